#include "draw/syscolors.h"

#include "base/drawconstants.h"

#include <QApplication>
#include <QPalette>

namespace platform {

COLORREF GetSysColor(int index) {
    const QPalette palette = QApplication::palette();
    auto role = [&palette](QPalette::ColorRole r) { return FromQColor(palette.color(r)); };
    switch (index) {
    case COLOR_WINDOW:
        return role(QPalette::Base);
    case COLOR_WINDOWTEXT:
        return role(QPalette::Text);
    case COLOR_HIGHLIGHT:
        return role(QPalette::Highlight);
    case COLOR_HIGHLIGHTTEXT:
        return role(QPalette::HighlightedText);
    case COLOR_BTNFACE:
        return role(QPalette::Button);
    case COLOR_BTNTEXT:
        return role(QPalette::ButtonText);
    case COLOR_BTNHIGHLIGHT:
        return role(QPalette::Light);
    case COLOR_3DLIGHT:
        return role(QPalette::Midlight);
    case COLOR_BTNSHADOW:
        return role(QPalette::Dark);
    case COLOR_3DDKSHADOW:
        return role(QPalette::Shadow);
    case COLOR_GRAYTEXT:
        return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    case COLOR_INFOBK:
        return role(QPalette::ToolTipBase);
    case COLOR_INFOTEXT:
        return role(QPalette::ToolTipText);
    default:
        return RGB(0, 0, 0);
    }
}

} // namespace platform
