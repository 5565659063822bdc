#include "svcquery.h"

#include <cstring>

#include "casmap.h"
#include "dbstate.h"
#include "dbrecords.h"
#include "filters.h"
#include "prvtable.h"
#include "refids.h"
#include "svchandleops.h"
#include "svclist.h"
#include "wrapper.h"

namespace {

uint32_t g_lastWalkVisits = 0;
void resetWalkVisits() {
    g_lastWalkVisits = 0;
}
DB_ResetHook g_resetHook(resetWalkVisits);

uint32_t numberOf(const SvcHandleObj& obj) {
    return DB_GetBits(obj.numFlags, SVH_NUMBER_LO, SVH_NUMBER_W);
}
uint32_t typeOf(const SvcHandleObj& obj) {
    return DB_GetBits(obj.numFlags, SVH_TYPE_LO, SVH_TYPE_W);
}
bool numberAndTypePass(const SvcHandleObj& obj, uint16_t number, uint8_t type) {
    if (number != SVC_NUMBER_ANY && number != numberOf(obj)) return false;
    return type == SVC_QUERY_TYPE_ANY || type == typeOf(obj);
}

// The filter of an indexed list id and its index within the id's range;
// false for ids without one.
bool listFilter(SvcListId id, LL_FilterFn* filter, uint32_t* index) {
    if (DB_IsSatList(id)) {
        *filter = INT_SLM_FilterBySat;
        *index = id - LIST_SAT_FIRST;
    } else if (DB_IsCaList(id)) {
        *filter = INT_SLM_FilterByCas;
        *index = id - LIST_CA_FIRST;
    } else if (DB_IsPrvList(id)) {
        *filter = INT_SLM_FilterByPrv;
        *index = id - LIST_PRV_FIRST;
    } else if (id == LIST_DATA) {
        *filter = INT_SLM_FilterData;
        *index = 0;
    } else {
        return false;
    }
    return true;
}

// Provider lists: the service's provider record carries the name of the
// provider at index. No provider, an index beyond the table or an empty name
// is no match.
bool hasProviderAt(const SvcInfo& record, uint32_t index) {
    const PrvInfo* prv = REF_ResolvePrv(record.prvRef);
    if (prv == nullptr) return false;
    char wanted[PRV_NAME_BUFFER] = {};
    if (TBL_GetPrvName(index, wanted) != DBERR_OK || wanted[0] == 0) return false;
    return std::strncmp(prv->name, wanted, PRV_NAME_LEN) == 0;
}

bool walkMatches(SvcHandle handle, SvcListId id, uint16_t number, uint8_t type) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr || (obj->numFlags & SVH_HIDDEN) != 0) return false;
    if (SLM_IsNullService(handle)) return false;
    const SvcInfo& record = *obj->record;
    if (DB_IsPrvList(id))
        return numberAndTypePass(*obj, number, type) && hasProviderAt(record, id - LIST_PRV_FIRST);
    if (id == LIST_DATA)
        return numberAndTypePass(*obj, number, type) &&
               DB_GetBits(record.flags, SVCF_CLASS_LO, SVCF_CLASS_W) == SVC_CLASS_DATA;

    const bool satList = DB_IsSatList(id);
    uint8_t satIndex = 0;
    if (satList) {
        const TsInfo* ts = REF_ResolveTs(record.tsRef);
        if (ts == nullptr) return false;
        satIndex = ts->tp.satIndex;
    }
    const bool caList = DB_IsCaList(id);
    uint32_t scrambled = 0;
    if (caList) {
        uint16_t bits[3];
        if (INT_SLM_GetCasSpecifier(handle, id, &scrambled, &bits[0], &bits[1], &bits[2]) !=
            DBERR_OK)
            return false;
    }
    return INT_SLM_ServiceMatchesList(handle, id, type, number, caList, scrambled, satList,
                                      satIndex) == 0;
}

// One step along the ring; an open end wraps to the other end.
LL_Node* stepFrom(LL_Node* list, LL_Node* node, bool forwards) {
    LL_Node* next = forwards ? node->next : node->prev;
    if (next != nullptr) return next;
    return forwards ? list : INT_LL_GetTail(list);
}

} // namespace

DBERR INT_SLM_FindServiceByNumAndType(LL_Node* list, uint16_t number, uint8_t type, SvcListId id,
                                      SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    LL_Node* node = nullptr;
    if (DB_IsSatList(id)) {
        const uint32_t key = INT_SLM_MakeListKey(number, type, id - LIST_SAT_FIRST);
        node = INT_LL_Find(list, INT_SLM_WordData(key), INT_SLM_MatchNumTypeSat, nullptr, 0);
    } else {
        const uint32_t key = WRAP_MakeU32(number, type);
        node = INT_LL_Find(list, INT_SLM_WordData(key), INT_SLM_MatchNumType, nullptr, 0);
    }
    if (node == nullptr) return DBERR_NOT_FOUND;
    *out = SLM_NodeHandle(node);
    return DBERR_OK;
}

DBERR INT_SLM_FindServiceInList(LL_Node* list, SvcHandle handle, SvcListId id, uint32_t* found) {
    if (found == nullptr) return DBERR_NULL_ARG;
    *found = 0;
    // A stale id must not find the node it left in a list, and 0 would be
    // taken as "any element".
    if (HT_Resolve(handle) == nullptr) return DBERR_NOT_FOUND;
    LL_FilterFn filter = nullptr;
    uint32_t index = 0;
    listFilter(id, &filter, &index);
    const uint32_t key = INT_SLM_MakeListKey(0, SVC_QUERY_TYPE_ANY, index);
    if (INT_LL_Find(list, SLM_HandleNodeData(handle), nullptr, filter, key) == nullptr)
        return DBERR_NOT_FOUND;
    *found = 1;
    return DBERR_OK;
}

DBERR INT_SLM_CountServicesInList(LL_Node* list, SvcListId id, uint16_t number, uint8_t type,
                                  uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    LL_FilterFn filter = nullptr;
    uint32_t index = 0;
    if (listFilter(id, &filter, &index))
        *count = INT_LL_Count(list, filter, INT_SLM_MakeListKey(0, type, index));
    else if (number == SVC_NUMBER_ANY)
        *count = INT_LL_Count(list, INT_SLM_FilterListedByType, type);
    else
        *count = INT_LL_Count(list, INT_SLM_FilterListedByNumType, WRAP_MakeU32(number, type));
    return DBERR_OK;
}

DBERR INT_SLM_GetCasSpecifier(SvcHandle handle, SvcListId id, uint32_t* scrambled, uint16_t* bit1,
                              uint16_t* bit2, uint16_t* bit3) {
    if (scrambled == nullptr || bit1 == nullptr || bit2 == nullptr || bit3 == nullptr)
        return DBERR_NULL_ARG;
    *scrambled = 0;
    *bit1 = *bit2 = *bit3 = CAS_BIT_NONE;
    if (id != LIST_ALL && !DB_IsCaList(id)) return DBERR_BAD_LIST;
    SvcInfo record;
    const DBERR result = INT_SLM_ReadServiceInfo(handle, &record);
    if (result != DBERR_OK) return result;
    const CasBit bits[3] = {INT_SLM_MapCasId(record.casId[0]), INT_SLM_MapCasId(record.casId[1]),
                            INT_SLM_MapCasId(record.casId[2])};
    if (bits[0] == CAS_BIT_NONE && bits[1] == CAS_BIT_NONE && bits[2] == CAS_BIT_NONE)
        return DBERR_OK;
    if (id == LIST_ALL || id == LIST_CA_ANY || id == LIST_CA_NONE) {
        *scrambled = 1;
    } else {
        const CasBit own = INT_SLM_MakeCasBit(id - LIST_CA_FIRST);
        *scrambled = (bits[0] == own || bits[1] == own || bits[2] == own) ? 1 : 0;
    }
    *bit1 = bits[0];
    *bit2 = bits[1];
    *bit3 = bits[2];
    return DBERR_OK;
}

uint32_t INT_SLM_ServiceMatchesList(SvcHandle handle, SvcListId id, uint8_t type, uint16_t number,
                                    bool caList, uint32_t scrambled, bool satList,
                                    uint8_t satIndex) {
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return 1;
    if ((obj->numFlags & SVH_HIDDEN) != 0) return 1;
    if (number != SVC_NUMBER_ANY && number != numberOf(*obj)) return 1;
    if (type != SVC_QUERY_TYPE_ANY && type != typeOf(*obj)) return 1;
    if (caList) {
        if (id != LIST_CA_NONE && scrambled == 0) return 1;
        if (id == LIST_CA_NONE && scrambled != 0) return 1;
    }
    if (satList && satIndex != 255 && satIndex != id - LIST_SAT_FIRST) return 1;
    return SLM_IsNullService(handle) ? 1 : 0;
}

DBERR INT_SLM_GetNextServiceHandle(LL_Node* list, SvcHandle handle, SvcListId id, uint16_t number,
                                   uint8_t type, int32_t step, SvcHandle* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    *out = SVC_HANDLE_INVALID;
    if (list == nullptr) return DBERR_NULL_OBJECT;
    const bool forwards = step >= 0;
    int64_t count = forwards ? int64_t{step} : -int64_t{step};

    LL_Node* start = SLM_FindHandleNode(list, handle);
    if (start == nullptr) start = list;
    g_lastWalkVisits = 0;
    auto matches = [&](const LL_Node* node) {
        ++g_lastWalkVisits;
        return walkMatches(SLM_NodeHandle(node), id, number, type);
    };
    if (!walkMatches(SLM_NodeHandle(start), id, number, type) && count > 0) --count;

    // position counts the matches met after the start; it sits at -1 only
    // while none has been met, which is how a full round without a match
    // shows when the walk is back at the start.
    LL_Node* current = start;
    int64_t position = 0;
    for (;;) {
        if (!matches(current)) --position;
        if (position == count) break;
        current = stepFrom(list, current, forwards);
        if (current == start) {
            if (position == -1) return DBERR_NOT_FOUND;
            // One round met position + 1 matches and every further round
            // meets them again, so the rounds still to go change nothing:
            // go on from the start as if the walk began there, with what is
            // left of count. A step of 2^31 then takes one round more, not
            // 2^31 rounds.
            count %= position + 1;
            position = -1;
        }
        ++position;
    }
    *out = SLM_NodeHandle(current);
    return DBERR_OK;
}

uint32_t INT_SLM_LastWalkVisits() {
    return g_lastWalkVisits;
}
