// Test main of the serial-link suite: one QCoreApplication, whose event loop
// delivers the link's queued notifications to the test's owner.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
