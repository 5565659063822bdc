#include "draw/sysmetrics.h"

#include "base/drawconstants.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

namespace platform {

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
        return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    case SM_CXSCREEN: {
        QScreen* screen = QApplication::primaryScreen();
        return screen ? screen->geometry().width() : 0;
    }
    case SM_CYSCREEN: {
        QScreen* screen = QApplication::primaryScreen();
        return screen ? screen->geometry().height() : 0;
    }
    default:
        return 0;
    }
}

unsigned int GetDoubleClickTime() {
    const int interval = QApplication::doubleClickInterval();
    return interval > 0 ? static_cast<unsigned int>(interval) : 0u;
}

} // namespace platform
