// The program's main window, which may be a plain Qt window rather than a
// Window of this layer: the owner of every dialog that names none of its own.
#pragma once

class QWidget;

namespace platform {

// Registers the main window; null forgets it. The layer forgets a main
// window that is deleted.
void SetMainWnd(QWidget* window);
// The registered main window, or null.
QWidget* GetMainWnd();
// The window that a dialog without a parent belongs to, as the original
// owns it by the main window's last active pop-up: the modal dialog on top
// when one is up, else the main window; null when there is neither.
QWidget* DefaultOwnerWidget();

} // namespace platform
