#include "linktest.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <cstdlib>

void LinkTest::SetUp() {
    ASSERT_TRUE(pty.IsOpen());
    ::setenv("QUORVANDELIX_PORTS", pty.SlavePath().c_str(), 1);
    link.SetOwnerDialog(&owner);
    link.m_nPort = 1;
}

void LinkTest::TearDown() {
    link.ClosePortIfOpen();
    EXPECT_TRUE(link.WaitForWorker(std::chrono::seconds(10)));
    ::unsetenv("QUORVANDELIX_PORTS");
}

void LinkTest::Configure(int direction, int kind) {
    owner.settings.direction = direction;
    owner.settings.kind = kind;
    owner.settings.transferPath = SendPath();
    owner.settings.receivePath = ReceivePath();
}

bool LinkTest::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds bound) {
    const QDeadlineTimer deadline(bound.count());
    // The tick wakes the wait below when nothing is posted.
    QTimer tick;
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCoreApplication::processEvents(); // what the worker posted last
    return true;
}
