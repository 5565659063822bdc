#include "tptable.h"

#include <cstring>

#include "dbstate.h"
#include "reccompare.h"
#include "tablecopy.h"
#include "tablering.h"

LL_Node* g_TpInfoList = nullptr;

namespace {
uint32_t g_tpCount = 0;

DB_ResetHook g_resetHook(TBL_FreeTpList);
} // namespace

void TBL_SetTpCount(uint32_t count) {
    g_tpCount = count;
}
uint32_t TBL_GetTpCount() {
    return g_tpCount;
}
void TBL_IncTpCount() {
    ++g_tpCount;
}
void TBL_DecTpCount() {
    if (g_tpCount != 0) --g_tpCount;
}

DBERR TBL_AddTpInfo(const TpInfo* record, TpInfo** out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (record == nullptr) return DBERR_NULL_OBJECT;

    if (LL_Node* same = LL_Find(g_TpInfoList, record, INT_SLM_CompareTpInfo, nullptr, 0)) {
        *out = static_cast<TpInfo*>(same->data);
        return DBERR_OK;
    }
    if (g_tpCount >= TP_CAPACITY) return DBERR_TABLE_INDEX;

    TpInfo* copy = TBL_NewCopy(*record);
    if (copy == nullptr) return DBERR_NO_MEMORY_COPY;
    if (!TBL_AppendToRing(g_TpInfoList, copy)) {
        delete copy;
        return DBERR_NO_MEMORY_COPY;
    }
    TBL_IncTpCount();
    *out = copy;
    return DBERR_OK;
}

DBERR TBL_DeleteTpInfo(uint32_t sat, uint32_t frequencyMhz, uint32_t symbolRate, uint16_t rowField,
                       uint8_t polarisation, uint8_t fec, uint8_t modulation, uint8_t pilot) {
    if (sat > 0xFF) return DBERR_TABLE_NOT_FOUND; // no stored satellite index is that high
    TpInfo key{};
    key.frequency = frequencyMhz;
    key.symbolRate = static_cast<uint16_t>(symbolRate);
    key.rowField = static_cast<uint8_t>(rowField);
    key.polarisation = polarisation;
    key.fec = fec;
    key.modulation = modulation;
    key.pilot = pilot;
    key.satIndex = static_cast<uint8_t>(sat);

    LL_Node* match = nullptr;
    TBL_ForEachNode(g_TpInfoList, [&](LL_Node* node) {
        if (INT_SLM_IsTpDifferentMhz(static_cast<const TpInfo*>(node->data), &key) != 0)
            return true;
        match = node;
        return false;
    });
    if (match == nullptr) return DBERR_TABLE_NOT_FOUND;
    g_TpInfoList = LL_Remove(g_TpInfoList, match, TBL_FreeTpInfo);
    TBL_DecTpCount();
    return DBERR_OK;
}

DBERR TBL_GetNthTpInfo(uint32_t n, TpInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof(TpInfo));
    uint32_t index = 0;
    DBERR result = DBERR_TABLE_NOT_FOUND;
    TBL_ForEachNode(g_TpInfoList, [&](LL_Node* node) {
        if (index++ != n) return true;
        std::memcpy(out, node->data, sizeof(TpInfo));
        result = DBERR_OK;
        return false;
    });
    return result;
}

LL_Node* TBL_GetTpInfoList() {
    return g_TpInfoList;
}

void TBL_FreeTpInfo(void* data) {
    delete static_cast<TpInfo*>(data);
}

void TBL_FreeTpList() {
    g_TpInfoList = LL_FreeAll(g_TpInfoList, TBL_FreeTpInfo);
    g_tpCount = 0;
}
