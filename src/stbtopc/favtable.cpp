#include "favtable.h"

#include <algorithm>
#include <cstring>

#include "dbstate.h"
#include "indextable.h"

FavInfo g_FavTable[FAV_CAPACITY];

namespace {
// Terminated copies of the names handed out by TBL_GetFavName.
uint8_t g_favNameText[FAV_CAPACITY][FAV_NAME_LEN + 1];

void resetFavTable() {
    TBL_ClearFavTable();
    std::memset(g_favNameText, 0, sizeof g_favNameText);
}
DB_ResetHook g_resetHook(resetFavTable);
} // namespace

void TBL_ClearFavTable() {
    std::memset(g_FavTable, 0, sizeof g_FavTable);
}

DBERR TBL_SetFavInfo(uint32_t group, const FavInfo* record) {
    if (record == nullptr) return DBERR_NULL_ARG;
    if (group >= FAV_CAPACITY) return DBERR_TABLE_INDEX;
    if (std::memcmp(&g_FavTable[group], record, sizeof(FavInfo)) != 0)
        std::memcpy(&g_FavTable[group], record, sizeof(FavInfo));
    return DBERR_OK;
}

DBERR TBL_SetFavName(uint32_t group, const uint8_t* name) {
    if (name == nullptr) return DBERR_NULL_ARG;
    if (group >= FAV_CAPACITY) return DBERR_TABLE_INDEX;
    uint8_t* field = g_FavTable[group].name;
    std::memset(field, 0, FAV_NAME_LEN);
    size_t length = 0;
    while (length < FAV_NAME_LEN && name[length] != 0)
        ++length;
    std::memcpy(field, name, length);
    return DBERR_OK;
}

DBERR TBL_GetFavName(uint32_t group, const uint8_t** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (group >= FAV_CAPACITY || g_FavTable[group].count > FAV_MAX_ENTRIES)
        return DBERR_TABLE_INDEX;
    uint8_t* text = g_favNameText[group];
    std::memcpy(text, g_FavTable[group].name, FAV_NAME_LEN);
    text[FAV_NAME_LEN] = 0;
    *out = text;
    return DBERR_OK;
}

DBERR TBL_GetFavEntries(uint32_t group, uint16_t* count, const uint16_t** entries) {
    if (count == nullptr || entries == nullptr) return DBERR_NULL_ARG;
    if (group >= FAV_CAPACITY) return DBERR_TABLE_INDEX;
    *count = std::min(g_FavTable[group].count, FAV_MAX_ENTRIES);
    *entries = g_FavTable[group].entries;
    return DBERR_OK;
}

DBERR TBL_SetFavEntries(uint32_t group, uint32_t count, const uint16_t* entries) {
    if (entries == nullptr && count != 0) return DBERR_NULL_ARG;
    if (group >= FAV_CAPACITY) return DBERR_TABLE_INDEX;
    const uint16_t stored = static_cast<uint16_t>(std::min<uint32_t>(count, FAV_MAX_ENTRIES));
    FavInfo& fav = g_FavTable[group];
    std::memset(fav.entries, 0, sizeof fav.entries);
    if (stored != 0) std::memcpy(fav.entries, entries, stored * sizeof(uint16_t));
    fav.count = stored;
    return DBERR_OK;
}

uint32_t TBL_LoadFavTable() {
    uint16_t count = 0;
    return IDX_GetNumFavs(&count) == DBERR_OK ? count : 0;
}
