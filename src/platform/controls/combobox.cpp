#include "controls/combobox.h"

#include "controls/edit.h"
#include "base/text.h"
#include "window/windowhost.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace platform {

namespace {

QString FromBytes(const char* text) {
    return FromLatin1Field(text, std::strlen(text));
}

// Code changing the selection: no CBN_SELCHANGE for it.
class Programmatic {
  public:
    explicit Programmatic(int& depth) : m_depth(depth) { ++m_depth; }
    ~Programmatic() { --m_depth; }
    Programmatic(const Programmatic&) = delete;
    Programmatic& operator=(const Programmatic&) = delete;

  private:
    int& m_depth;
};

// Whether widget is box or lies inside it, its pop-up list included (a
// window of its own whose parent is the box).
bool WithinBox(const QWidget* widget, const QWidget* box) {
    for (; widget; widget = widget->parentWidget())
        if (widget == box) return true;
    return false;
}

// Hears the open list's focus losses: the keyboard going from the list to
// anything but the box is the box's focus loss.
class ListFocusWatch : public QObject {
  public:
    explicit ListFocusWatch(std::function<void()> lost) : m_lost(std::move(lost)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The list closing hands the focus back with PopupFocusReason.
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            m_lost();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> m_lost;
};

} // namespace

// The Qt side: opening and closing the list become notifications, and the
// focus leaving the open list for another window is the box's focus loss.
class ComboHost : public WindowHost<QComboBox> {
  public:
    using WindowHost<QComboBox>::WindowHost;

    void showPopup() override {
        if (auto* box = dynamic_cast<ComboBox*>(HostedWindow())) box->BeforeDropDown();
        QComboBox::showPopup();
        // Installing again is harmless: Qt keeps one entry per filter.
        if (view()) view()->installEventFilter(&m_listFocus);
    }
    void hidePopup() override {
        const bool wasOpen = view() && view()->isVisible();
        QComboBox::hidePopup();
        if (!wasOpen) return;
        if (auto* box = dynamic_cast<ComboBox*>(HostedWindow())) box->AfterCloseUp();
    }

  private:
    void ListLostFocus() {
        QWidget* gaining = QApplication::focusWidget();
        // A move inside the box, or a list already closing, ends nothing.
        if (!view() || !view()->isVisible() || WithinBox(gaining, this)) return;
        // The list closes once Qt's focus change is over; the box hears of
        // its focus loss now, before the gaining window hears of its gain.
        QMetaObject::invokeMethod(
            this, [this] { hidePopup(); }, Qt::QueuedConnection);
        if (auto* box = dynamic_cast<ComboBox*>(HostedWindow()))
            box->LoseFocusTo(Window::FromWidgetOrAncestor(gaining));
    }

    ListFocusWatch m_listFocus{[this] { ListLostFocus(); }};
};

ComboBox::ComboBox() = default;
ComboBox::~ComboBox() = default;

BOOL ComboBox::Create(DWORD style, const Rect& rect, Window* parent, UINT id) {
    return Window::Create(style, rect, parent, id);
}

QWidget* ComboBox::CreateWidget(QWidget* parent) {
    auto* host = new ComboHost(this, parent);
    host->setInsertPolicy(QComboBox::NoInsert);
    // The window may go before its widget: reach it through the widget.
    QObject::connect(host, &QComboBox::currentIndexChanged, host, [host] {
        if (auto* box = dynamic_cast<ComboBox*>(FromWidget(host))) box->UserChoseIndex();
    });
    return host;
}

QComboBox* ComboBox::Combo() const {
    return qobject_cast<QComboBox*>(GetWidget());
}

Window* ComboBox::GetEditField() const {
    QComboBox* combo = Combo();
    return combo && combo->lineEdit() ? FromWidget(combo->lineEdit()) : nullptr;
}

void ComboBox::UserChoseIndex() {
    if (m_programmatic == 0) SendCommandToOwner(CBN_SELCHANGE);
}

void ComboBox::BeforeDropDown() {
    const std::shared_ptr<const bool> alive = AliveToken();
    SendCommandToOwner(CBN_DROPDOWN);
    if (!*alive) return;
    if (QComboBox* combo = Combo(); combo && m_droppedWidth > 0)
        combo->view()->setMinimumWidth(m_droppedWidth);
}

void ComboBox::AfterCloseUp() {
    PostCommandToOwner(CBN_CLOSEUP);
}

bool ComboBox::ValidIndex(int index) const {
    return index >= 0 && index < GetCount();
}

int ComboBox::GetCount() const {
    return Combo() ? Combo()->count() : 0;
}

int ComboBox::Insert(int index, const char* text) {
    QComboBox* combo = Combo();
    if (!combo || !text) return CB_ERR;
    Programmatic guard(m_programmatic);
    const int before = combo->currentIndex();
    combo->insertItem(index, FromBytes(text));
    if (m_itemHeight > 0) combo->setItemData(index, QSize(0, m_itemHeight), Qt::SizeHintRole);
    // Qt selects the first item added to an empty box; the original does not.
    if (before < 0 && combo->currentIndex() >= 0) combo->setCurrentIndex(-1);
    return index;
}

int ComboBox::AddString(const char* text) {
    if (!text) return CB_ERR;
    int index = GetCount();
    if (GetStyle() & CBS_SORT) {
        const QString value = FromBytes(text);
        for (int i = 0; i < GetCount(); ++i) {
            if (Combo()->itemText(i).compare(value, Qt::CaseInsensitive) > 0) {
                index = i;
                break;
            }
        }
    }
    return Insert(index, text);
}

int ComboBox::InsertString(int index, const char* text) {
    if (index == -1) index = GetCount();
    if (index < 0 || index > GetCount()) return CB_ERR;
    return Insert(index, text);
}

int ComboBox::DeleteString(UINT index) {
    if (!ValidIndex(static_cast<int>(index))) return CB_ERR;
    Programmatic guard(m_programmatic);
    Combo()->removeItem(static_cast<int>(index));
    return GetCount();
}

void ComboBox::ResetContent() {
    if (!Combo()) return;
    Programmatic guard(m_programmatic);
    Combo()->clear();
}

int ComboBox::GetCurSel() const {
    return Combo() ? Combo()->currentIndex() : CB_ERR;
}

int ComboBox::SetCurSel(int index) {
    QComboBox* combo = Combo();
    if (!combo) return CB_ERR;
    Programmatic guard(m_programmatic);
    if (!ValidIndex(index)) {
        combo->setCurrentIndex(-1);
        return CB_ERR;
    }
    combo->setCurrentIndex(index);
    return index;
}

int ComboBox::FindFrom(int start, const char* text, bool whole) const {
    const int count = GetCount();
    if (!text || count == 0) return CB_ERR;
    const QString wanted = FromBytes(text);
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const QString item = Combo()->itemText(i);
        const bool match = whole ? item.compare(wanted, Qt::CaseInsensitive) == 0
                                 : item.startsWith(wanted, Qt::CaseInsensitive);
        if (match) return i;
    }
    return CB_ERR;
}

int ComboBox::FindString(int start, const char* prefix) const {
    return FindFrom(start, prefix, false);
}

int ComboBox::FindStringExact(int start, const char* text) const {
    return FindFrom(start, text, true);
}

int ComboBox::SelectString(int start, const char* prefix) {
    const int found = FindString(start, prefix);
    if (found == CB_ERR) return CB_ERR;
    return SetCurSel(found);
}

int ComboBox::GetLBText(int index, char* buffer) const {
    if (!ValidIndex(index) || !buffer) return CB_ERR;
    const std::string bytes = ToLatin1(Combo()->itemText(index));
    std::memcpy(buffer, bytes.c_str(), bytes.size() + 1);
    return static_cast<int>(bytes.size());
}

int ComboBox::GetLBText(int index, std::string& text) const {
    if (!ValidIndex(index)) return CB_ERR;
    text = ToLatin1(Combo()->itemText(index));
    return static_cast<int>(text.size());
}

int ComboBox::SetItemData(int index, DWORD_PTR data) {
    if (!ValidIndex(index)) return CB_ERR;
    Combo()->setItemData(index, QVariant::fromValue<qulonglong>(data), Qt::UserRole);
    return 0;
}

DWORD_PTR ComboBox::GetItemData(int index) const {
    if (!ValidIndex(index)) return static_cast<DWORD_PTR>(CB_ERR);
    return static_cast<DWORD_PTR>(Combo()->itemData(index, Qt::UserRole).toULongLong());
}

int ComboBox::SetItemHeight(int index, UINT height) {
    QComboBox* combo = Combo();
    if (!combo || height == 0) return CB_ERR;
    if (index == -1) {
        // The selection field: the box is the field and its frame.
        const int frame = combo->height() - GetItemHeight(-1);
        combo->setFixedHeight(static_cast<int>(height) + std::max(frame, 0));
        m_fieldHeight = static_cast<int>(height);
        return 0;
    }
    if (index < -1) return CB_ERR;
    m_itemHeight = static_cast<int>(height);
    for (int i = 0; i < GetCount(); ++i)
        combo->setItemData(i, QSize(0, m_itemHeight), Qt::SizeHintRole);
    return 0;
}

int ComboBox::GetItemHeight(int index) const {
    QComboBox* combo = Combo();
    if (!combo) return CB_ERR;
    if (index == -1) return m_fieldHeight > 0 ? m_fieldHeight : combo->fontMetrics().height();
    if (m_itemHeight > 0) return m_itemHeight;
    return combo->view()->sizeHintForRow(0) > 0 ? combo->view()->sizeHintForRow(0)
                                                : combo->fontMetrics().height();
}

int ComboBox::SetDroppedWidth(UINT width) {
    if (!Combo()) return CB_ERR;
    m_droppedWidth = static_cast<int>(width);
    return GetDroppedWidth();
}

int ComboBox::GetDroppedWidth() const {
    if (!Combo()) return CB_ERR;
    return std::max(m_droppedWidth, Combo()->width());
}

BOOL ComboBox::SetDroppedHeight(int height) {
    QComboBox* combo = Combo();
    if (!combo) return FALSE;
    const int item = std::max(GetItemHeight(0), 1);
    combo->setMaxVisibleItems(std::max(height / item, 1));
    return TRUE;
}

void ComboBox::ShowDropDown(BOOL show) {
    QComboBox* combo = Combo();
    if (!combo) return;
    if (show)
        combo->showPopup();
    else
        combo->hidePopup();
}

BOOL ComboBox::GetDroppedState() const {
    QComboBox* combo = Combo();
    return combo && combo->view() && combo->view()->isVisible() ? TRUE : FALSE;
}

LRESULT ComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    QComboBox* combo = Combo();
    switch (message) {
    case WM_CREATE: {
        const DWORD kind = GetStyle() & CBS_DROPDOWNLIST;
        if (combo && (kind == CBS_DROPDOWN || kind == CBS_SIMPLE)) {
            // The field is a window of its own and takes the focus itself.
            m_field = std::make_unique<Edit>();
            if (!m_field->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, Rect(), this,
                                 kComboFieldId))
                return -1;
            combo->setLineEdit(m_field->LineEdit());
            combo->setCompleter(nullptr);
            combo->setInsertPolicy(QComboBox::NoInsert);
            m_field->LineEdit()->setFocusProxy(nullptr);
            combo->setFocusProxy(m_field->LineEdit());
        }
        return 0;
    }
    case WM_SETTEXT:
        if (Window* field = GetEditField()) return field->SendMessage(message, wParam, lParam);
        return CB_ERR;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        if (Window* field = GetEditField()) return field->SendMessage(message, wParam, lParam);
        const std::string text = combo ? ToLatin1(combo->currentText()) : std::string();
        if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || wParam == 0) return 0;
        const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETDLGCODE:
        // An open list takes Enter and Escape for itself.
        return DLGC_WANTCHARS | DLGC_WANTARROWS | (GetDroppedState() ? DLGC_WANTALLKEYS : 0);
    default:
        return Window::DefWindowProc(message, wParam, lParam);
    }
}

} // namespace platform
