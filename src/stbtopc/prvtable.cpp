#include "prvtable.h"

#include <cstring>

#include "dbstate.h"
#include "dvbtext.h"
#include "tablerefelement.h"
#include "tablering.h"

LL_Node* g_PrvInfoList = nullptr;

namespace {
uint32_t g_prvCount = 0;

TBL_RefElement<PrvInfo>* elementOf(void* data) {
    return TBL_RefElementOf<PrvInfo>(data);
}

DB_ResetHook g_resetHook(TBL_FreePrvList);

LL_Node* nodeOf(const PrvInfo* element) {
    return element != nullptr ? LL_Find(g_PrvInfoList, element, nullptr, nullptr, 0) : nullptr;
}

struct UpperPrvName {
    char text[PRV_NAME_BUFFER];
};
UpperPrvName upperPrvName(const void* name) {
    UpperPrvName upper{};
    OS_StrCpyBounded(upper.text, sizeof upper.text, static_cast<const char*>(name), PRV_NAME_LEN);
    OS_StrUpr(upper.text);
    return upper;
}

bool fitsComparison(const char* name) {
    return strnlen(name, PRV_NAME_LEN) < PRV_NAME_LEN;
}
} // namespace

int INT_SLM_ComparePrvName(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) return a == b ? 0 : 1;
    const UpperPrvName x = upperPrvName(a);
    const UpperPrvName y = upperPrvName(b);
    const int order = OS_StrCmp(x.text, y.text);
    return (order > 0) - (order < 0);
}

void TBL_SetPrvCount(uint32_t count) {
    g_prvCount = count;
}
uint32_t TBL_GetPrvCount() {
    return g_prvCount;
}
void TBL_IncPrvCount() {
    ++g_prvCount;
}
void TBL_DecPrvCount() {
    if (g_prvCount != 0) --g_prvCount;
}

DBERR TBL_FindPrvInfoByName(const char* name, PrvInfo** out, RefId* outRef) {
    if (out != nullptr) *out = nullptr;
    if (outRef != nullptr) *outRef = REF_NONE;
    if (name == nullptr) return DBERR_NULL_ARG;
    if (!fitsComparison(name)) return DBERR_NAME_TOO_LONG;
    LL_Node* node = LL_Find(g_PrvInfoList, name, INT_SLM_ComparePrvName, nullptr, 0);
    if (node == nullptr) return DBERR_TABLE_NOT_FOUND;
    if (out != nullptr) *out = static_cast<PrvInfo*>(node->data);
    if (outRef != nullptr) *outRef = elementOf(node->data)->ref;
    return DBERR_OK;
}

DBERR TBL_FindPrvByName(const char* name) {
    return TBL_FindPrvInfoByName(name, nullptr);
}

DBERR TBL_AddPrvInfo(const PrvInfo* record, PrvInfo** out, RefId* outRef) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = nullptr;
    if (outRef != nullptr) *outRef = REF_NONE;
    if (record == nullptr) return DBERR_NULL_OBJECT;

    if (TBL_FindPrvByName(record->name) == DBERR_OK) return DBERR_OK;
    if (g_prvCount >= PRV_CAPACITY) return DBERR_TABLE_INDEX;

    TBL_RefElement<PrvInfo>* element = TBL_AppendRefElement(g_PrvInfoList, *record, RefKind::Prv);
    if (element == nullptr) return DBERR_NO_MEMORY_COPY;
    TBL_IncPrvCount();
    *out = &element->record;
    if (outRef != nullptr) *outRef = element->ref;
    return DBERR_OK;
}

DBERR TBL_DeletePrvInfo(const PrvInfo* record) {
    if (record == nullptr) return DBERR_OK;
    if (LL_Node* node = LL_Find(g_PrvInfoList, record, INT_SLM_ComparePrvName, nullptr, 0)) {
        g_PrvInfoList = LL_Remove(g_PrvInfoList, node, TBL_FreePrvInfo);
        TBL_DecPrvCount();
    }
    return DBERR_OK;
}

void TBL_DeletePrvElement(const PrvInfo* element) {
    if (LL_Node* node = nodeOf(element)) {
        g_PrvInfoList = LL_Remove(g_PrvInfoList, node, TBL_FreePrvInfo);
        TBL_DecPrvCount();
    }
}

uint16_t TBL_GetPrvName(uint32_t index, char* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    out[0] = '\0';
    uint32_t position = 0;
    uint16_t result = DB_INDEX_NONE;
    TBL_ForEachNode(g_PrvInfoList, [&](LL_Node* node) {
        if (position++ != index) return true;
        const char* name = static_cast<const PrvInfo*>(node->data)->name;
        const size_t length = strnlen(name, PRV_NAME_LEN);
        std::memcpy(out, name, length);
        out[length] = '\0';
        result = DBERR_OK;
        return false;
    });
    return result;
}

DBERR TBL_GetPrvPos(const PrvInfo* element, uint16_t* outPos) {
    return TBL_PositionFromOne(g_PrvInfoList, element, outPos);
}

RefId TBL_GetPrvRef(const PrvInfo* element) {
    LL_Node* node = nodeOf(element);
    return node != nullptr ? elementOf(node->data)->ref : REF_NONE;
}

LL_Node* TBL_GetPrvInfoList() {
    return g_PrvInfoList;
}

void TBL_FreePrvInfo(void* data) {
    TBL_FreeRefElement<PrvInfo>(data);
}

void TBL_FreePrvList() {
    g_PrvInfoList = LL_FreeAll(g_PrvInfoList, TBL_FreePrvInfo);
    g_prvCount = 0;
}
