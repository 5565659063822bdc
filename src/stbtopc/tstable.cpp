#include "tstable.h"

#include <cstring>

#include "dbstate.h"
#include "reccompare.h"
#include "tablecopy.h"
#include "tablerefelement.h"
#include "tablering.h"

LL_Node* g_TsInfoList = nullptr;

namespace {
uint32_t g_tsCount = 0;

TBL_RefElement<TsInfo>* elementOf(void* data) {
    return TBL_RefElementOf<TsInfo>(data);
}

DB_ResetHook g_resetHook(TBL_FreeTsList);

LL_Node* nodeOf(const TsInfo* element) {
    return element != nullptr ? LL_Find(g_TsInfoList, element, nullptr, nullptr, 0) : nullptr;
}
} // namespace

void TBL_SetTsCount(uint32_t count) {
    g_tsCount = count;
}
uint32_t TBL_GetTsCount() {
    return g_tsCount;
}
void TBL_IncTsCount() {
    ++g_tsCount;
}
void TBL_DecTsCount() {
    if (g_tsCount != 0) --g_tsCount;
}

DBERR TBL_AddTsInfo(const TsInfo* record, TsInfo** out, RefId* outRef) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (outRef != nullptr) *outRef = REF_NONE;
    if (record == nullptr) return DBERR_NULL_OBJECT;

    if (LL_Node* equal = LL_Find(g_TsInfoList, record, INT_SLM_CompareTsInfo, nullptr, 0)) {
        *out = static_cast<TsInfo*>(equal->data);
        if (outRef != nullptr) *outRef = elementOf(equal->data)->ref;
        return DBERR_OK;
    }
    if (g_tsCount >= TS_CAPACITY) return DBERR_TS_TABLE_FULL;

    TBL_RefElement<TsInfo>* element = TBL_AppendRefElement(g_TsInfoList, *record, RefKind::Ts);
    if (element == nullptr) return DBERR_NO_MEMORY_COPY;
    TBL_IncTsCount();
    *out = &element->record;
    if (outRef != nullptr) *outRef = element->ref;
    return DBERR_OK;
}

DBERR TBL_DeleteTsInfo(const TsInfo* record) {
    if (record == nullptr) return DBERR_OK;
    if (LL_Node* equal = LL_Find(g_TsInfoList, record, INT_SLM_CompareTsInfo, nullptr, 0)) {
        g_TsInfoList = LL_Remove(g_TsInfoList, equal, TBL_FreeTsInfo);
        TBL_DecTsCount();
    }
    return DBERR_OK;
}

void TBL_DeleteTsElement(const TsInfo* element) {
    if (LL_Node* node = nodeOf(element)) {
        g_TsInfoList = LL_Remove(g_TsInfoList, node, TBL_FreeTsInfo);
        TBL_DecTsCount();
    }
}

DBERR TBL_GetTsPos(const TsInfo* element, uint16_t* outPos) {
    return TBL_PositionFromOne(g_TsInfoList, element, outPos);
}

RefId TBL_GetTsRef(const TsInfo* element) {
    LL_Node* node = nodeOf(element);
    return node != nullptr ? elementOf(node->data)->ref : REF_NONE;
}

DBERR TBL_GetSavedTpsOfSat(uint32_t sat, TpNode** outFirst, uint32_t* outCount) {
    if (outFirst == nullptr || outCount == nullptr) return DBERR_NULL_ARG;
    *outFirst = nullptr;
    *outCount = 0;
    TpNode** tail = outFirst;
    bool outOfMemory = false;
    TBL_ForEachNode(g_TsInfoList, [&](LL_Node* node) {
        const TpInfo& tp = static_cast<const TsInfo*>(node->data)->tp;
        if (tp.satIndex != sat) return true;
        TpNode* tpNode = TBL_NewCopy(TpNode{});
        if (tpNode == nullptr) {
            outOfMemory = true;
            return false;
        }
        tpNode->row.frequency = tp.frequency;
        tpNode->row.symbolRate = tp.symbolRate;
        tpNode->row.rowField = tp.rowField;
        tpNode->row.polarisation = tp.polarisation;
        tpNode->row.fec = tp.fec;
        tpNode->row.modulation = tp.modulation;
        tpNode->row.pilot = tp.pilot <= 1 ? tp.pilot : 0;
        *tail = tpNode;
        tail = &tpNode->next;
        ++*outCount;
        return true;
    });
    if (*outCount == 0) return DBERR_NO_TP;
    return outOfMemory ? DBERR_TABLE_NOT_FOUND : DBERR_OK;
}

void TBL_FreeTpNodes(TpNode* first) {
    while (first != nullptr) {
        TpNode* next = first->next;
        delete first;
        first = next;
    }
}

LL_Node* TBL_GetTsInfoList() {
    return g_TsInfoList;
}

DBERR TBL_IsTsInfoInList(const TsInfo* element, uint32_t* outFlag) {
    if (outFlag == nullptr) return DBERR_NULL_ARG;
    *outFlag = nodeOf(element) != nullptr ? 1 : 0;
    return *outFlag != 0 ? DBERR_OK : DBERR_NOT_FOUND;
}

DBERR TBL_GetTsInfoArray(uint32_t count, TsInfo** array) {
    if (array == nullptr) return count == 0 ? DBERR_OK : DBERR_NULL_ARG;
    uint32_t filled = 0;
    TBL_ForEachNode(g_TsInfoList, [&](LL_Node* node) {
        if (filled == count) return false;
        array[filled++] = static_cast<TsInfo*>(node->data);
        return true;
    });
    for (uint32_t i = filled; i < count; ++i)
        array[i] = nullptr;
    return DBERR_OK;
}

DBERR TBL_FindTsByTrailingWord(uint32_t word, uint8_t* outKind, uint16_t* outPos) {
    if (outKind == nullptr || outPos == nullptr) return DBERR_NULL_ARG;
    *outKind = KIND_TS;
    *outPos = DB_INDEX_NONE;
    uint16_t position = 0;
    TBL_ForEachNode(g_TsInfoList, [&](LL_Node* node) {
        uint32_t trailing = 0;
        std::memcpy(&trailing, static_cast<const TsInfo*>(node->data)->reserved28, 4);
        if (trailing == word) {
            *outPos = position;
            return false;
        }
        ++position;
        return true;
    });
    return *outPos != DB_INDEX_NONE ? DBERR_OK : DBERR_TABLE_NOT_FOUND;
}

void TBL_FreeTsInfo(void* data) {
    TBL_FreeRefElement<TsInfo>(data);
}

void TBL_FreeTsList() {
    g_TsInfoList = LL_FreeAll(g_TsInfoList, TBL_FreeTsInfo);
    g_tsCount = 0;
}
