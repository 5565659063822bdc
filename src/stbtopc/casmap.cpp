#include "casmap.h"

namespace {
struct CasFamily {
    uint8_t idHigh; // the family owns ids idHigh << 8 to idHigh << 8 | 0xFF
    CasBit bit;
    const char* name;
};

// One row per family; the bit order is the order of the CA list ids 110-119.
constexpr CasFamily kFamilies[CAS_FAMILY_COUNT] = {
    {0x01, 0x0001, "MEDIAGUARD"},  {0x05, 0x0002, "VIACCESS"}, {0x06, 0x0004, "IRDETO"},
    {0x09, 0x0008, "NDS"},         {0x0B, 0x0010, "CONAX"},    {0x0D, 0x0020, "CRYPTOWORKS"},
    {0x17, 0x0040, "BETACRYPT"},   {0x0E, 0x0080, "POWERVU"},  {0x26, 0x0100, "BISS"},
    {0x18, 0x0200, "NAGRAVISION"},
};
} // namespace

CasBit INT_SLM_MapCasId(uint16_t casId) {
    if (casId == 0) return CAS_BIT_NONE;
    const uint8_t high = static_cast<uint8_t>(casId >> 8);
    for (const CasFamily& family : kFamilies)
        if (family.idHigh == high) return family.bit;
    return CAS_BIT_OTHER;
}

DBERR SLM_GetCasBit(uint16_t casId, uint16_t* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = INT_SLM_MapCasId(casId);
    return DBERR_OK;
}

CasBit INT_SLM_MakeCasBit(unsigned k) {
    return k < 16 ? static_cast<CasBit>(1u << k) : 0;
}

const char* INT_SLM_CasBitName(CasBit bit) {
    for (const CasFamily& family : kFamilies)
        if (family.bit == bit) return family.name;
    return "ETC";
}

SLM_RESULT SLM_GetCasName(CasBit bit, const char** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = INT_SLM_CasBitName(bit);
    return DBERR_OK;
}
