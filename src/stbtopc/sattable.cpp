#include "sattable.h"

#include <algorithm>
#include <cstring>

#include "dbstate.h"
#include "indextable.h"
#include "satnet.h"

SatInfo g_SatTable[SAT_CAPACITY];

namespace {
// Terminated copies of the names handed out by SN_GetSatName.
char g_satNameText[SAT_CAPACITY][SAT_NAME_LEN + 1];

void resetSatTable() {
    SN_ClearSatTable();
    std::memset(g_satNameText, 0, sizeof g_satNameText);
}
DB_ResetHook g_resetHook(resetSatTable);

bool isSlotEmpty(const SatInfo& sat) {
    return DB_GetBits(sat.lnb, SAT_LO_LO, SAT_LO_W) == 0 && (sat.lnb & SAT_UNIVERSAL) == 0 &&
           DB_GetBits(sat.power, SAT_SETTING_LO, SAT_SETTING_W) == 0;
}
} // namespace

void SN_ClearSatTable() {
    std::memset(g_SatTable, 0, sizeof g_SatTable);
}

DBERR SN_SetSatInfo(uint32_t slot, const SatInfo* record) {
    if (record == nullptr) return DBERR_NULL_ARG;
    if (slot >= SAT_CAPACITY) return DBERR_TABLE_INDEX;
    if (std::memcmp(&g_SatTable[slot], record, sizeof(SatInfo)) != 0) {
        std::memcpy(&g_SatTable[slot], record, sizeof(SatInfo));
        DB_NoteChange();
    }
    return DBERR_OK;
}

DBERR SN_GetSatInfo(uint32_t slot, SatInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    if (slot >= SAT_CAPACITY) return DBERR_TABLE_INDEX;
    if (isSlotEmpty(g_SatTable[slot])) {
        std::memset(out, 0, sizeof(SatInfo));
        return DBERR_TABLE_INDEX;
    }
    std::memcpy(out, &g_SatTable[slot], sizeof(SatInfo));
    return DBERR_OK;
}

const char* SN_GetSatName(uint32_t slot) {
    if (slot >= SAT_CAPACITY) return nullptr;
    char* text = g_satNameText[slot];
    std::memcpy(text, g_SatTable[slot].name, SAT_NAME_LEN);
    text[SAT_NAME_LEN] = '\0';
    return text;
}

uint32_t SN_IsSatUsed(uint32_t slot) {
    return slot < SAT_CAPACITY && (g_SatTable[slot].lnb & SAT_IN_USE) != 0 ? 1 : 0;
}

uint32_t SN_GetUsableSlotCount() {
    // The region tables have at most 55 antennas; the bound keeps a bad
    // antenna count from walking past the table.
    const uint64_t usable = uint64_t{g_NumAntenna} + SN_USER_SLOTS;
    return static_cast<uint32_t>(std::min<uint64_t>(usable, SAT_CAPACITY));
}

uint32_t SN_GetNthUsedSatIndex(uint32_t n) {
    if (n == 0) return 0;
    const uint32_t usable = SN_GetUsableSlotCount();
    uint32_t used = 0;
    for (uint32_t slot = 0; slot < usable; ++slot)
        if (SN_IsSatUsed(slot) != 0 && ++used == n) return slot;
    return 0;
}

uint32_t SN_CountUsedSatsBefore(uint32_t n) {
    if (n >= SN_GetUsableSlotCount()) return 0;
    uint32_t used = 0;
    for (uint32_t slot = 0; slot < n; ++slot)
        used += SN_IsSatUsed(slot);
    return used;
}

uint32_t SN_LoadSatTable() {
    uint16_t count = 0;
    return IDX_GetNumSats(&count) == DBERR_OK ? count : 0;
}
