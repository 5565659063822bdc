// Test main of the suites over Qt widgets: one QApplication for the whole
// program, on the offscreen platform unless the caller chose another, with a
// fixed style and palette so that pixels read back are the same everywhere.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(QApplication::style()->standardPalette());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
