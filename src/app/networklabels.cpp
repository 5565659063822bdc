#include "networklabels.h"

#include "base/text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

QString SatelliteLabel(int number, uint8_t slot) {
    // The name is bounded by its field whether or not the record ends it.
    const char* name = SN_GetSatName(slot);
    return QString::number(number) + QStringLiteral(". ") +
           platform::FromLatin1Field(name, SAT_NAME_LEN);
}

char PolarisationLetter(uint8_t polarisation) {
    if (polarisation == POL_AUTO) return 'A';
    if (polarisation == POL_HORIZONTAL) return 'H';
    return 'V';
}

QString TransponderLabel(uint32_t row, const TpRow& tpRow) {
    char text[64];
    std::snprintf(text, sizeof text, "%i. %i | %c | %i", static_cast<int>(row + 1),
                  static_cast<int>(tpRow.frequency), PolarisationLetter(tpRow.polarisation),
                  static_cast<int>(tpRow.symbolRate));
    return QString::fromLatin1(text);
}

int LabelNumber(const QString& label) {
    const std::string bytes = platform::ToLatin1(label.section(QLatin1Char('.'), 0, 0));
    // Read as the C library reads a number: what does not parse counts 0,
    // and a value past int's range is clamped rather than left undefined.
    const long value = std::strtol(bytes.c_str(), nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int>(value);
}
