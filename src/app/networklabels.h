// The texts of the tree's items and the numbers read back from them: the
// tree keeps a satellite's running number and a transponder's row only in
// its labels.
#pragma once

#include "slm.h"

#include <QString>

#include <cstdint>

// "%d. %s": the running number among the used satellites and the slot's
// name (at most its 16 bytes, Latin-1).
QString SatelliteLabel(int number, uint8_t slot);

// "%i. %i | %c | %i": row + 1, frequency (MHz), polarisation letter ('A'
// for automatic, 'H' for horizontal, 'V' for any other value), symbol rate.
QString TransponderLabel(uint32_t row, const TpRow& tpRow);

// The polarisation letter of a transponder label.
char PolarisationLetter(uint8_t polarisation);

// The number a label begins with: the text before its first '.' read as a
// signed decimal number (leading blanks and a sign allowed; no digits: 0).
int LabelNumber(const QString& label);
