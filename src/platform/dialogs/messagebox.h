// Modal message boxes with the original's flags and answers. Every box goes
// through one function, so a test can install a recorder that answers instead
// of a user and keeps what would have been shown.
#pragma once

#include <QMessageBox>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace platform {

// Buttons (low nibble of the flags).
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_OKCANCEL = 0x01;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
inline constexpr unsigned MB_YESNOCANCEL = 0x03;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_RETRYCANCEL = 0x05;
inline constexpr unsigned MB_TYPEMASK = 0x0F;
// Icons (second nibble).
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONERROR = MB_ICONSTOP;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;
// Default button (third nibble).
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;

// Answers of a box, and the results of dialogs that end with a button.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The application title: the caption of a box that passes none of its own.
inline constexpr const char* kAppTitle = "Quorvandelix";

// One box as it would be shown: the caption already filled in.
struct MessageBoxCall {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    unsigned flags = MB_OK;
};

// The icon that the flags ask for (stop Critical, question Question,
// exclamation Warning, information Information, none NoIcon).
QMessageBox::Icon MessageBoxIcon(unsigned flags);
// The answer that the box's default button gives (Enter on the box).
int DefaultAnswer(unsigned flags);

// Shows a modal box and returns the button pressed (IDOK, IDCANCEL, IDYES,
// IDNO ...). An empty caption becomes "Quorvandelix". With a hook installed the
// hook answers and nothing is shown. The owner defaults to the active window.
// Called from another thread, the box (or the hook) runs on the
// user-interface thread and the caller waits for its answer; a box closed
// without a button answers as Escape does (IDCANCEL when it has no escape).
int MessageBox(const QString& text, const QString& caption = QString(), unsigned flags = MB_OK,
               QWidget* owner = nullptr);

// The width a window needs to show its whole caption in a window manager's
// title bar, beside the bar's icon and buttons.
int CaptionWidth(const QString& caption);
// Keeps the box at least as wide as its caption needs (MessageBox does it to
// every box it shows).
void FitCaption(QMessageBox& box);

// Test hook: answers every box instead of a user. Returns the previous hook;
// an empty function restores the real boxes.
using MessageBoxHook = std::function<int(const MessageBoxCall&)>;
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// A test's recorder: while it lives every box is recorded and answered with
// the next queued answer, or with the box's default button when none is queued.
class MessageBoxRecorder {
  public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    const std::vector<MessageBoxCall>& Calls() const { return m_calls; }
    // The texts shown, in order (the most common thing a test reads).
    std::vector<QString> Texts() const;
    void Clear() { m_calls.clear(); }

  private:
    int Answer(const MessageBoxCall& call);

    std::vector<MessageBoxCall> m_calls;
    std::deque<int> m_answers;
    MessageBoxHook m_previous;
};

} // namespace platform
