#include "dialogs/messagebox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QThread>

#include <utility>

namespace platform {

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int answer;
};

// The buttons of each MB_TYPEMASK value, left to right.
std::vector<ButtonSpec> ButtonsOf(unsigned flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT},
                {QMessageBox::Retry, IDRETRY},
                {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {
            {QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

// Escape closes a box only when it has a way out: OK alone, or a Cancel
// button. Yes/No and Abort/Retry/Ignore boxes must be answered; 0 = none.
int EscapeAnswer(unsigned flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return 0;
    }
}

// What a window manager's title bar takes beside the caption: the window's
// icon, the minimise, maximise and close buttons and the margins.
constexpr int kTitleBarReserve = 112;

} // namespace

int CaptionWidth(const QString& caption) {
    // Title bars draw their caption in bold, at the size of the desktop's font.
    QFont bold = QApplication::font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(caption) + kTitleBarReserve;
}

// The box sizes itself to its text and buttons: a row as wide as the caption
// needs keeps it from growing narrower.
void FitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(CaptionWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

namespace {

// Shows the real box; a box closed in a way we cannot map answers as Escape
// does, or IDCANCEL when the box has no escape.
int ShowBox(const MessageBoxCall& call, QWidget* owner) {
    QMessageBox box(call.icon, call.caption, call.text, QMessageBox::NoButton,
                    owner ? owner : QApplication::activeWindow());
    const auto specs = ButtonsOf(call.flags);
    const unsigned defIndex = (call.flags & MB_DEFMASK) >> 8;
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        QPushButton* b = box.addButton(specs[i].button);
        buttons.push_back({b, specs[i].answer});
        if (i == defIndex) box.setDefaultButton(b);
        if (specs[i].answer == EscapeAnswer(call.flags)) box.setEscapeButton(b);
    }
    FitCaption(box);
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button) return answer;
    const int escape = EscapeAnswer(call.flags);
    return escape ? escape : IDCANCEL;
}

} // namespace

QMessageBox::Icon MessageBoxIcon(unsigned flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int DefaultAnswer(unsigned flags) {
    const auto specs = ButtonsOf(flags);
    const std::size_t defIndex = (flags & MB_DEFMASK) >> 8;
    return specs[defIndex < specs.size() ? defIndex : 0].answer;
}

int MessageBox(const QString& text, const QString& caption, unsigned flags, QWidget* owner) {
    // A worker thread (the serial transfer's) cannot show widgets: the box
    // runs on the user-interface thread while the worker waits for the answer.
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        int answer = IDCANCEL;
        QMetaObject::invokeMethod(
            app, [&] { answer = MessageBox(text, caption, flags, nullptr); },
            Qt::BlockingQueuedConnection);
        return answer;
    }
    MessageBoxCall call;
    call.text = text;
    call.caption = caption.isEmpty() ? QString::fromLatin1(kAppTitle) : caption;
    call.icon = MessageBoxIcon(flags);
    call.flags = flags;
    if (Hook()) return Hook()(call);
    return ShowBox(call, owner);
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

MessageBoxRecorder::MessageBoxRecorder()
    : m_previous(SetMessageBoxHook([this](const MessageBoxCall& call) { return Answer(call); })) {}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHook(std::move(m_previous));
}

std::vector<QString> MessageBoxRecorder::Texts() const {
    std::vector<QString> texts;
    for (const auto& c : m_calls)
        texts.push_back(c.text);
    return texts;
}

int MessageBoxRecorder::Answer(const MessageBoxCall& call) {
    m_calls.push_back(call);
    if (m_answers.empty()) return DefaultAnswer(call.flags);
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

} // namespace platform
