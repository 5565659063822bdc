#include "filters.h"

#include <cstring>

#include "casmap.h"
#include "dvbtext.h"
#include "listids.h"
#include "placeholder.h"
#include "prvtable.h"
#include "refids.h"
#include "tpequality.h"
#include "wrapper.h"

namespace {
constexpr uint32_t kAnyType = SVC_QUERY_TYPE_ANY;
constexpr uint32_t kAnyNumber = SVC_NUMBER_ANY;

// The live handle object a node carries, or null.
const SvcHandleObj* handleOf(const void* data) {
    return HT_Resolve(INT_SLM_DataWord(data));
}

uint32_t numberOf(const SvcHandleObj& handle) {
    return DB_GetBits(handle.numFlags, SVH_NUMBER_LO, SVH_NUMBER_W);
}
uint32_t typeOf(const SvcHandleObj& handle) {
    return DB_GetBits(handle.numFlags, SVH_TYPE_LO, SVH_TYPE_W);
}
bool isHidden(const SvcHandleObj& handle) {
    return (handle.numFlags & SVH_HIDDEN) != 0;
}
bool typeMatches(uint32_t keyType, const SvcHandleObj& handle) {
    return keyType == kAnyType || keyType == typeOf(handle);
}

// The handle of a listed service (a real record, not the placeholder), or null.
const SvcHandleObj* listedHandleOf(const void* data) {
    const SvcHandle id = INT_SLM_DataWord(data);
    return SLM_IsNullService(id) ? nullptr : HT_Resolve(id);
}

// The TsInfo of a handle's record; null when there is no record or the
// reference does not resolve.
const TsInfo* tsOf(const SvcHandleObj& handle) {
    return handle.record != nullptr ? REF_ResolveTs(handle.record->tsRef) : nullptr;
}
const PrvInfo* prvOf(const SvcHandleObj& handle) {
    return handle.record != nullptr ? REF_ResolvePrv(handle.record->prvRef) : nullptr;
}

template <typename T> int orderOf(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// The key of a name for the name order, in a buffer one byte longer than the
// field so that a full field keeps its terminator.
struct SortName {
    uint8_t text[SVC_NAME_LEN + 1];
};
SortName sortNameOf(const SvcHandleObj* handle) {
    SortName name{};
    if (handle == nullptr || handle->name == nullptr) return name;
    DVB_CopyTextBounded(name.text, sizeof name.text, handle->name, SVC_NAME_LEN);
    OS_StrUpr(name.text);
    DVB_StripControlCodes(name.text);
    return name;
}

} // namespace

// ---- Handles -------------------------------------------------------------------

int INT_SLM_ServiceHasTp(const void* handleData, const void* tpKey) {
    const SvcHandleObj* handle = handleOf(handleData);
    if (handle == nullptr || tpKey == nullptr) return 1;
    const TsInfo* ts = tsOf(*handle);
    if (ts == nullptr) return 1;
    uint32_t tunerType = 0;
    WRAP_GetTunerType(DB_GetBits(ts->flags, TSF_TUNER_LO, TSF_TUNER_W), &tunerType);
    const TpInfo& key = *static_cast<const TpInfo*>(tpKey);
    if (ts->tp.satIndex != key.satIndex) return 1;
    return INT_SLM_IsTpDifferentMhz(&ts->tp, &key) != 0 ? 1 : 0;
}

int INT_SLM_CompareSvcName(const void* a, const void* b) {
    const SvcHandleObj* x = handleOf(a);
    const SvcHandleObj* y = handleOf(b);
    const SortName xName = sortNameOf(x);
    const SortName yName = sortNameOf(y);
    if (const int order = OS_StrCmp(xName.text, yName.text)) return (order > 0) - (order < 0);
    if (x == nullptr || y == nullptr) return orderOf(x != nullptr, y != nullptr);
    if (const int order = orderOf(numberOf(*x), numberOf(*y))) return order;
    return orderOf(typeOf(*x), typeOf(*y));
}

int INT_SLM_IsSameHandle(const void* a, const void* b) {
    return INT_SLM_DataWord(a) == INT_SLM_DataWord(b) ? 0 : 1;
}

int INT_SLM_CompareSvcNumber(const void* a, const void* b) {
    const SvcHandleObj* x = handleOf(a);
    const SvcHandleObj* y = handleOf(b);
    if (x == nullptr || y == nullptr) return orderOf(x != nullptr, y != nullptr);
    return orderOf(numberOf(*x), numberOf(*y));
}

int INT_SLM_CompareSvcNumberAndType(const void* a, const void* b) {
    const SvcHandleObj* x = handleOf(a);
    const SvcHandleObj* y = handleOf(b);
    if (x == nullptr || y == nullptr) return orderOf(x != nullptr, y != nullptr);
    if (const int order = orderOf(numberOf(*x), numberOf(*y))) return order;
    return orderOf(typeOf(*x), typeOf(*y));
}

int INT_SLM_CompareNameKeyBytes(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) return a == b ? 0 : 1;
    const int order = std::memcmp(a, b, 24);
    return (order > 0) - (order < 0);
}

int INT_SLM_MatchNumType(const void* handleData, const void* wordKey) {
    const SvcHandleObj* handle = handleOf(handleData);
    if (handle == nullptr) return 1;
    const uint32_t key = INT_SLM_DataWord(wordKey);
    const uint32_t number = key >> 16;
    const uint32_t type = key & 0xFFu;
    const bool numberMatches = number == kAnyNumber || number == numberOf(*handle);
    return numberMatches && typeMatches(type, *handle) ? 0 : 1;
}

int INT_SLM_MatchNumTypeSat(const void* handleData, const void* wordKey) {
    const SvcHandleObj* handle = handleOf(handleData);
    if (handle == nullptr) return 1;
    const uint32_t key = INT_SLM_DataWord(wordKey);
    if ((key >> 16) != numberOf(*handle) || !typeMatches((key >> 8) & 0xFFu, *handle)) return 1;
    const TsInfo* ts = tsOf(*handle);
    return ts != nullptr && ts->tp.satIndex == (key & 0xFFu) ? 0 : 1;
}

// ---- Filters -------------------------------------------------------------------

int INT_SLM_FilterByType(const void* handleData, uint32_t key) {
    const SvcHandleObj* handle = handleOf(handleData);
    return handle != nullptr && typeMatches(key & 0xFFu, *handle) ? 1 : 0;
}

int INT_SLM_FilterListedByType(const void* handleData, uint32_t key) {
    const SvcHandleObj* handle = listedHandleOf(handleData);
    return handle != nullptr && typeMatches(key & 0xFFu, *handle) && !isHidden(*handle) ? 1 : 0;
}

int INT_SLM_FilterListedByNumType(const void* handleData, uint32_t key) {
    const SvcHandleObj* handle = listedHandleOf(handleData);
    return handle != nullptr && typeMatches(key & 0xFFu, *handle) &&
                   (key >> 16) == numberOf(*handle) && !isHidden(*handle)
               ? 1
               : 0;
}

int INT_SLM_FilterBySat(const void* handleData, uint32_t key) {
    const SvcHandleObj* handle = handleOf(handleData);
    if (handle == nullptr || !typeMatches((key >> 8) & 0xFFu, *handle)) return 0;
    const TsInfo* ts = tsOf(*handle);
    return ts != nullptr && ts->tp.satIndex == (key & 0xFFu) ? 1 : 0;
}

int INT_SLM_FilterByPrv(const void* handleData, uint32_t key) {
    const SvcHandleObj* handle = listedHandleOf(handleData);
    if (handle == nullptr || !typeMatches((key >> 8) & 0xFFu, *handle)) return 0;
    const PrvInfo* prv = prvOf(*handle);
    if (prv == nullptr) return 0;
    char listName[PRV_NAME_BUFFER];
    if (TBL_GetPrvName(key & 0xFFu, listName) != DBERR_OK || listName[0] == '\0') return 0;
    return INT_SLM_ComparePrvName(prv->name, listName) == 0 ? 1 : 0;
}

int INT_SLM_FilterData(const void* handleData, uint32_t key) {
    const SvcHandleObj* handle = listedHandleOf(handleData);
    if (handle == nullptr || !typeMatches((key >> 8) & 0xFFu, *handle)) return 0;
    return DB_GetBits(handle->record->flags, SVCF_CLASS_LO, SVCF_CLASS_W) == SVC_CLASS_DATA ? 1 : 0;
}

int INT_SLM_FilterByCas(const void* handleData, uint32_t key) {
    const SvcHandleObj* handle = listedHandleOf(handleData);
    if (handle == nullptr || !typeMatches((key >> 8) & 0xFFu, *handle)) return 0;
    const uint16_t* casIds = handle->record->casId;
    const uint32_t k = key & 0xFFu;
    if (k == CAS_BIT_NONE_INDEX) return casIds[0] == 0 ? 1 : 0; // first CA id only
    if (k > CAS_BIT_NONE_INDEX) return 0;
    for (int i = 0; i < 3; ++i) {
        uint16_t bit = CAS_BIT_NONE;
        SLM_GetCasBit(casIds[i], &bit);
        if (k == CAS_BIT_ANY_INDEX ? bit != CAS_BIT_NONE : bit == INT_SLM_MakeCasBit(k)) return 1;
    }
    return 0;
}

// ---- Free callbacks ------------------------------------------------------------

void INT_SLM_FreeTpRow(void* data) {
    delete static_cast<TpRow*>(data);
}
