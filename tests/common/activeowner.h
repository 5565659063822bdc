// A top-level window for the controls under test, shown and active, so that
// keys and focus reach them as they do on a desktop.
#pragma once

#include "window/window.h"

#include <QTest>
#include <QWidget>

// Makes owner a width x height top-level window, shows and activates it.
// False when it could not be made or never became active.
inline bool CreateActiveOwner(platform::Window& owner, int width, int height) {
    if (!owner.Create(platform::WS_OVERLAPPED, platform::Rect(0, 0, width, height), nullptr, 0))
        return false;
    QWidget* window = owner.GetWidget();
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}
