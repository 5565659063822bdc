#include "window/mainwnd.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

QPointer<QWidget>& MainWnd() {
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void SetMainWnd(QWidget* window) {
    MainWnd() = window;
}

QWidget* GetMainWnd() {
    return MainWnd().data();
}

QWidget* DefaultOwnerWidget() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return GetMainWnd();
}

} // namespace platform
