#include "window/cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace platform {

namespace {

constexpr CursorShape kCursors[] = {
    {IDC_ARROW, Qt::ArrowCursor},        {IDC_IBEAM, Qt::IBeamCursor},
    {IDC_WAIT, Qt::WaitCursor},          {IDC_CROSS, Qt::CrossCursor},
    {IDC_SIZENWSE, Qt::SizeFDiagCursor}, {IDC_SIZENESW, Qt::SizeBDiagCursor},
    {IDC_SIZEWE, Qt::SizeHorCursor},     {IDC_SIZENS, Qt::SizeVerCursor},
    {IDC_SIZEALL, Qt::SizeAllCursor},    {IDC_NO, Qt::ForbiddenCursor},
    {IDC_HAND, Qt::PointingHandCursor},
};

struct CursorState {
    HCURSOR current = nullptr;
    QPointer<QWidget> widget;
    std::function<Point()> position;
    std::optional<Rect> clip;
};

CursorState& State() {
    static CursorState state;
    return state;
}

} // namespace

HCURSOR LoadStandardCursor(int id) {
    for (const CursorShape& c : kCursors)
        if (c.id == id) return &c;
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    CursorState& s = State();
    const HCURSOR previous = s.current;
    s.current = cursor;
    if (s.widget) {
        if (cursor)
            s.widget->setCursor(cursor->shape);
        else
            s.widget->unsetCursor();
    }
    return previous;
}

HCURSOR GetCursor() {
    return State().current;
}

void SetCursorWidget(QWidget* widget) {
    State().widget = widget;
}

BOOL GetCursorPos(Point* point) {
    if (!point) return FALSE;
    const CursorState& s = State();
    *point = s.position ? s.position() : Point(QCursor::pos());
    return TRUE;
}

void SetCursorPosSource(std::function<Point()> source) {
    State().position = std::move(source);
}

BOOL ClipCursor(const Rect* rect) {
    State().clip = rect ? std::optional<Rect>(*rect) : std::nullopt;
    return TRUE;
}

BOOL GetClipCursor(Rect* rect) {
    const std::optional<Rect>& clip = State().clip;
    if (!clip) return FALSE;
    if (rect) *rect = *clip;
    return TRUE;
}

WaitCursor::WaitCursor() {
    Restore();
}

WaitCursor::~WaitCursor() {
    if (m_shown) QGuiApplication::restoreOverrideCursor();
}

void WaitCursor::Restore() {
    if (m_shown) QGuiApplication::restoreOverrideCursor();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_shown = true;
}

bool WaitCursor::IsShown() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

} // namespace platform
