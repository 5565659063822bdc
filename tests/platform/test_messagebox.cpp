#include "dialogs/messagebox.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

#include "qt_print.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct BoxCase {
    const char* name;
    QString caption;
    unsigned flags;
    QString shownCaption;
    QMessageBox::Icon icon;
    int defaultAnswer;
};

TEST(MessageBoxTest, CaptionIconAndDefaultAnswerComeFromTheFlags) {
    const BoxCase cases[] = {
        {"no caption", "", MB_OK, "Quorvandelix", QMessageBox::NoIcon, IDOK},
        {"stop", "ERROR", MB_OK | MB_ICONSTOP, "ERROR", QMessageBox::Critical, IDOK},
        {"question", "Save Data", MB_OKCANCEL | MB_ICONQUESTION, "Save Data", QMessageBox::Question,
         IDOK},
        {"exclamation", "", MB_ICONEXCLAMATION, "Quorvandelix", QMessageBox::Warning, IDOK},
        {"information", "Infomation", MB_ICONINFORMATION, "Infomation", QMessageBox::Information,
         IDOK},
        {"yes/no", "x", MB_YESNO, "x", QMessageBox::NoIcon, IDYES},
        {"yes/no, second default", "x", MB_YESNO | MB_DEFBUTTON2, "x", QMessageBox::NoIcon, IDNO},
        {"yes/no/cancel, third default", "x", MB_YESNOCANCEL | MB_DEFBUTTON3, "x",
         QMessageBox::NoIcon, IDCANCEL},
        {"default past the last button", "x", MB_OKCANCEL | MB_DEFBUTTON3, "x", QMessageBox::NoIcon,
         IDOK},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder recorder;
        EXPECT_EQ(MessageBox("text", c.caption, c.flags), c.defaultAnswer) << c.name;
        ASSERT_EQ(recorder.Calls().size(), 1u) << c.name;
        EXPECT_EQ(recorder.Calls()[0].caption, c.shownCaption) << c.name;
        EXPECT_EQ(recorder.Calls()[0].icon, c.icon) << c.name;
        EXPECT_EQ(recorder.Calls()[0].flags, c.flags) << c.name;
    }
}

TEST(MessageBoxTest, RecorderAnswersInOrderAndRestoresThePreviousHook) {
    std::vector<QString> outer;
    SetMessageBoxHook([&](const MessageBoxCall& call) {
        outer.push_back(call.text);
        return IDNO;
    });
    {
        MessageBoxRecorder recorder;
        recorder.QueueAnswer(IDCANCEL);
        EXPECT_EQ(MessageBox("first", "Save Data", MB_OKCANCEL), IDCANCEL);
        EXPECT_EQ(MessageBox("second", "Save Data", MB_OKCANCEL), IDOK); // queue empty: default
        EXPECT_EQ(recorder.Texts(), (std::vector<QString>{"first", "second"}));
    }
    EXPECT_EQ(MessageBox("third"), IDNO);
    EXPECT_EQ(outer, std::vector<QString>{"third"});
    SetMessageBoxHook(nullptr);
}

TEST(MessageBoxTest, AWorkerThreadsBoxIsAnsweredOnTheInterfaceThread) {
    QThread* answeredOn = nullptr;
    std::vector<QString> texts;
    SetMessageBoxHook([&](const MessageBoxCall& call) {
        answeredOn = QThread::currentThread();
        texts.push_back(call.caption + ": " + call.text);
        return IDCANCEL;
    });
    std::atomic<int> answer{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = MessageBox("Communication Complete");
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 5000));
    worker.join();
    SetMessageBoxHook(nullptr);
    EXPECT_EQ(answer.load(), IDCANCEL);
    EXPECT_EQ(answeredOn, QCoreApplication::instance()->thread());
    EXPECT_EQ(texts, std::vector<QString>{"Quorvandelix: Communication Complete"});
}

} // namespace
