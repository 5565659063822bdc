#include "dialogs/messagebox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
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

namespace {

// Boxes of the editor whose text is shorter than their caption. A window
// manager's title bar shows the caption in bold beside an icon and three
// buttons (at least 24 pixels each): the box must leave it that room.
TEST(MessageBoxTest, ABoxIsAsWideAsItsCaptionNeedsInATitleBar) {
    struct CaptionCase {
        QString caption;
        QString text;
    };
    const CaptionCase cases[] = {
        {QStringLiteral("Quorvandelix"), QStringLiteral("OK")},
        {QStringLiteral("ERROR"), QStringLiteral("OPEN ERROR")},
        {QStringLiteral("Delete Satelite"), QStringLiteral("Do you wnat to delete current Satelite infomation")},
        {QStringLiteral("Upload Channel Data Sat->Pc"), QStringLiteral("x")},
    };
    QFont bold = QApplication::font();
    bold.setBold(true);
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        const int needed = QFontMetrics(bold).horizontalAdvance(c.caption) + 4 * 24;
        QMessageBox box(QMessageBox::NoIcon, c.caption, c.text, QMessageBox::Ok);
        FitCaption(box);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        EXPECT_GE(box.width(), needed);
        EXPECT_GE(box.width(), CaptionWidth(c.caption));
    }
    // Without the fit the first box is narrower: the fault the fit mends.
    QMessageBox plain(QMessageBox::NoIcon, cases[0].caption, cases[0].text, QMessageBox::Ok);
    plain.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    EXPECT_LT(plain.width(), QFontMetrics(bold).horizontalAdvance(cases[0].caption) + 4 * 24);
}

} // namespace
