#include "dialogs/dialogunits.h"

#include <QFont>
#include <QFontMetrics>

namespace platform {

Rect DialogUnitsToPixels(const QFont& font, const Rect& dialogUnits) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as dialog units count it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (letters / 26 + 1) / 2;
    const int baseY = metrics.height();
    const auto scale = [](int v, int base, int div) {
        return (v * base + (v >= 0 ? div / 2 : -div / 2)) / div;
    };
    return Rect(scale(dialogUnits.left, baseX, 4), scale(dialogUnits.top, baseY, 8),
                scale(dialogUnits.right, baseX, 4), scale(dialogUnits.bottom, baseY, 8));
}

} // namespace platform
