#include "slmtp.h"

#include "dbstate.h"
#include "tpeditlist.h"

TpInfo SLM_TpRowToKey(const TpRow& row, uint8_t satellite) {
    return DB_TpInfoFromRow(row, satellite);
}

SLM_RESULT SLM_LoadSatTpList(uint8_t satellite, uint8_t useDefaults, uint16_t* count,
                             uint16_t* constant) {
    if (count == nullptr || constant == nullptr) return DBERR_NULL_ARG;
    return INT_SLM_LoadSatTpList(satellite, useDefaults, count, constant);
}

SLM_RESULT SLM_GetNthTp(uint32_t n, TpRow* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    return INT_SLM_GetNthTp(n, out);
}

SLM_RESULT SLM_AddTp(TpRow* row, const uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    if (row == nullptr) return DBERR_NULL_OBJECT;
    return INT_SLM_AddTp(row, count);
}

SLM_RESULT SLM_UpdateTp(uint32_t n, const TpRow* row, const uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    if (row == nullptr) return DBERR_NULL_OBJECT;
    return INT_SLM_UpdateTp(n, row, count);
}

SLM_RESULT SLM_DeleteTpRow(const TpRow* row, const uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    if (row == nullptr) return DBERR_NULL_OBJECT;
    return INT_SLM_DeleteTp(row, count);
}

SLM_RESULT SLM_GetTpIndex(const TpRow* row, uint16_t* index) {
    if (index == nullptr) return DBERR_NULL_ARG;
    *index = DB_INDEX_NONE;
    if (row == nullptr) return DBERR_NULL_OBJECT;
    return INT_SLM_GetTpIndex(row, 0, index);
}

SLM_RESULT SLM_CommitTpList(uint8_t satellite) {
    return DB_CountIfDone(INT_SLM_CommitTpList(satellite));
}

SLM_RESULT SLM_FreeTpList() {
    INT_SLM_FreeTpList();
    return DBERR_OK;
}

SLM_RESULT SLM_GetTpCounts(uint8_t satellite, uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    return INT_SLM_GetTpCounts(satellite, count);
}
