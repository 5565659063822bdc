#include "dialogtest.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>
#include <QTimeZone>

#include <cstdlib>
#include <filesystem>

#include "base/appcommandline.h"
#include "base/trace.h"

void TransferDialogTest::SetUp() {
    ASSERT_TRUE(pty.IsOpen());
    SetPorts(pty.SlavePath());
    m_previousFolder = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Path());
    const QDateTime local(QDate(2024, 3, 5), QTime(9, 7, 30), QTimeZone::utc());
    m_clock = std::make_unique<ManualClock>(local.addSecs(-3600), local);
    m_previousClock = SetClock(m_clock.get());
    boxes = std::make_unique<MessageBoxRecorder>();
    SetFileDialogHook([this](const FileDialogRequest& request) -> std::optional<QString> {
        loadRequests.push_back(request);
        const std::string answer = loadAnswers.empty() ? std::string() : loadAnswers.front();
        if (!loadAnswers.empty()) loadAnswers.pop_front();
        if (answer.empty()) return std::nullopt;
        return QString::fromStdString(answer);
    });
    TakeTraces();
}

void TransferDialogTest::TearDown() {
    DialogBase::SetModalHook(nullptr);
    SetFileDialogHook(nullptr);
    boxes.reset();
    SetClock(m_previousClock);
    SetAppCommandLine("");
    std::filesystem::current_path(m_previousFolder);
    ::unsetenv("QUORVANDELIX_PORTS");
    EXPECT_EQ(FailedAssertionCount(), 0)
        << "an assertion fired (a notification off the UI thread?)";
}

void TransferDialogTest::AnswerLoad(const std::vector<std::string>& paths) {
    loadAnswers.insert(loadAnswers.end(), paths.begin(), paths.end());
}

void TransferDialogTest::SetPorts(const std::string& colonSeparated) {
    ::setenv("QUORVANDELIX_PORTS", colonSeparated.c_str(), 1);
}

int TransferDialogTest::Run(unsigned mode, const std::function<void(CSTBDownloadDlg&)>& steps,
                            Window* parent) {
    CSTBDownloadDlg dialog;
    progressPeak = 0;
    DialogBase::SetModalHook([&](DialogBase& shown) {
        EXPECT_EQ(&shown, &dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown.GetWidget()));
        if (QProgressBar* bar = dialog.GetDlgItem<ProgressCtrl>(IDC_PROGRESS)->Bar())
            QObject::connect(bar, &QProgressBar::valueChanged, bar,
                             [this](int value) { progressPeak = std::max(progressPeak, value); });
        steps(dialog);
    });
    const int result = dialog.RunTransfer(parent, mode, nullptr);
    DialogBase::SetModalHook(nullptr);
    // No worker outlives the dialog's end.
    EXPECT_FALSE(dialog.Link().IsWorkerRunning());
    return result;
}

bool TransferDialogTest::PumpUntil(const std::function<bool()>& done,
                                   std::chrono::milliseconds bound) {
    const QDeadlineTimer deadline(bound.count());
    QTimer tick; // wakes the wait below when nothing is posted
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents();
    return true;
}

void TransferDialogTest::Click(CSTBDownloadDlg& dialog, int id) {
    Window* control = dialog.GetDlgItem(id);
    ASSERT_NE(control, nullptr) << id;
    QTest::mouseClick(control->GetWidget(), Qt::LeftButton);
}

void TransferDialogTest::Key(CSTBDownloadDlg& dialog, int focusId, Qt::Key key) {
    Window* control = dialog.GetDlgItem(focusId);
    ASSERT_NE(control, nullptr) << focusId;
    control->SetFocus();
    QTest::keyClick(control->GetWidget(), key);
}

void TransferDialogTest::Choose(CSTBDownloadDlg& dialog, int comboId, int index) {
    auto* combo = dialog.GetDlgItem<ComboBox>(comboId);
    ASSERT_NE(combo, nullptr) << comboId;
    combo->SetFocus();
    for (int guard = 0; combo->GetCurSel() != index && guard < 100; ++guard)
        QTest::keyClick(combo->GetWidget(), combo->GetCurSel() < index ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(combo->GetCurSel(), index);
}

void TransferDialogTest::ClickMenuItem(CSTBDownloadDlg& dialog, UINT id) {
    QMenuBar* bar = dialog.GetMenu().Bar();
    QAction* item = dialog.GetMenu().Action(id);
    ASSERT_TRUE(bar && item) << id;
    QMenu* popup = nullptr;
    for (QAction* top : bar->actions())
        if (top->menu() && top->menu()->actions().contains(item)) popup = top->menu();
    ASSERT_NE(popup, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(popup->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 5000));
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
    // The command is posted: it runs once the menu has closed.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

bool TransferDialogTest::Enabled(CSTBDownloadDlg& dialog, int id) {
    Window* control = dialog.GetDlgItem(id);
    return control && control->IsWindowEnabled();
}

bool TransferDialogTest::MenuEnabled(CSTBDownloadDlg& dialog, UINT id) {
    return (dialog.GetMenu().GetMenuState(id) & MF_GRAYED) == 0;
}

int TransferDialogTest::Selection(CSTBDownloadDlg& dialog, int comboId) {
    auto* combo = dialog.GetDlgItem<ComboBox>(comboId);
    return combo ? combo->GetCurSel() : -2;
}

std::string TransferDialogTest::InfoLine(CSTBDownloadDlg& dialog, int line) {
    const std::string text = dialog.GetDlgItem(IDC_STATIC_INFO)->GetWindowText();
    const size_t newline = text.find('\n');
    if (line == 0) return text.substr(0, newline);
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

// The idle state as the user sees it.
bool TransferDialogTest::Idle(CSTBDownloadDlg& dialog) {
    return Enabled(dialog, ID_COM_CONNECT) && Enabled(dialog, IDC_COMBO_PORT) &&
           !Enabled(dialog, ID_COM_DISCONNECT) && !Enabled(dialog, ID_COM_ABORT) &&
           dialog.GetDlgItem<ProgressCtrl>(IDC_PROGRESS)->GetPos() == 0;
}

bool TransferDialogTest::Ended(CSTBDownloadDlg& dialog) {
    return Idle(dialog) && !dialog.Link().IsWorkerRunning();
}
