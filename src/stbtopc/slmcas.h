// The CA bits as the views show them: the bit of a CA system id, and the
// family name the channel list's CAS column shows for a bit.
#pragma once
#include <cstdint>

#include "slmresult.h"

using CasBit = uint16_t;

constexpr CasBit CAS_BIT_OTHER = 0x4000; // a CA id of no known family
constexpr CasBit CAS_BIT_NONE = 0x8000;  // CA id 0: not scrambled

// Stores the bit of casId in out. Null out: DBERR_NULL_ARG.
DBERR SLM_GetCasBit(uint16_t casId, uint16_t* out);

// The family name of a bit ("VIACCESS", ...), or "ETC" for CAS_BIT_OTHER,
// CAS_BIT_NONE and any value that is not one family bit; the text is the
// library's and stays valid. DBERR_NULL_ARG without out.
SLM_RESULT SLM_GetCasName(CasBit bit, const char** out);
