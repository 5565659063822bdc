#include "placeholder.h"

#include <cstring>

#include "dbstate.h"

SvcInfo g_PlaceholderSvcInfo;
TsInfo g_PlaceholderTsInfo;
PrvInfo g_PlaceholderPrvInfo;

namespace {
void resetPlaceholders() {
    std::memset(&g_PlaceholderSvcInfo, 0, sizeof g_PlaceholderSvcInfo);
    std::memset(&g_PlaceholderTsInfo, 0, sizeof g_PlaceholderTsInfo);
    std::memset(&g_PlaceholderPrvInfo, 0, sizeof g_PlaceholderPrvInfo);
}
DB_ResetHook g_resetHook(resetPlaceholders);

RefId refOf(RefKind kind, void* element) {
    const RefId known = REF_Find(kind, element);
    return known != REF_NONE ? known : REF_Register(kind, element);
}
} // namespace

void DB_SetUpPlaceholders() {
    std::memset(&g_PlaceholderTsInfo, 0xFF, sizeof g_PlaceholderTsInfo);
    std::memset(&g_PlaceholderPrvInfo, 0, sizeof g_PlaceholderPrvInfo);
    std::memset(&g_PlaceholderSvcInfo, 0, sizeof g_PlaceholderSvcInfo);
    g_PlaceholderSvcInfo.flags = DB_BitMask(0, 14); // bits 0-13
    g_PlaceholderSvcInfo.tsRef = refOf(RefKind::Ts, &g_PlaceholderTsInfo);
    g_PlaceholderSvcInfo.prvRef = refOf(RefKind::Prv, &g_PlaceholderPrvInfo);
}

DBERR INT_SLM_IsSvcNull(SvcHandle handle, uint32_t* isNull) {
    if (isNull == nullptr) return DBERR_NULL_ARG;
    *isNull = 1;
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if (obj->record != nullptr && !DB_IsPlaceholderSvc(obj->record)) *isNull = 0;
    return DBERR_OK;
}

bool SLM_IsNullService(SvcHandle handle) {
    uint32_t isNull = 1;
    return INT_SLM_IsSvcNull(handle, &isNull) != DBERR_OK || isNull != 0;
}
