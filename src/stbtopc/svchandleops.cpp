#include "svchandleops.h"

#include <cstring>

#include "placeholder.h"
#include "refids.h"

DBERR INT_SLM_InitServiceHandle(SvcHandle handle) {
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if ((obj->numFlags & SVH_OWNS_NAME) != 0) delete[] obj->name;
    // The id stays in self: it is what keeps the handle resolvable.
    obj->marker = 0xFFFFFFFFu;
    obj->record = nullptr;
    obj->numFlags = SVH_NEW_NUMFLAGS;
    obj->name = nullptr;
    return DBERR_OK;
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

DBERR INT_SLM_CopyServiceName(SvcHandle handle, uint8_t* buffer) {
    if (buffer == nullptr) return DBERR_NULL_ARG;
    std::memset(buffer, 0, SVC_NAME_LEN);
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if (obj->name == nullptr) return DBERR_OK;
    // An owned name may be shorter than the record's field: stop at its end.
    size_t length = 0;
    while (length < SVC_NAME_LEN && obj->name[length] != 0)
        ++length;
    std::memcpy(buffer, obj->name, length);
    return DBERR_OK;
}

DBERR INT_SLM_ReadServiceInfo(SvcHandle handle, SvcInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    if (handle == SVC_HANDLE_NONE) return DBERR_NULL_OBJECT;
    const SvcHandleObj* obj = HT_Resolve(handle);
    if (obj == nullptr) return DBERR_NOT_FOUND;
    if (obj->record == nullptr) return DBERR_NULL_OBJECT;
    std::memcpy(out, obj->record, sizeof *out);
    return DBERR_OK;
}

DBERR INT_SLM_GetTsInfo(SvcHandle handle, TsInfo* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, sizeof *out);
    SvcInfo record;
    const DBERR result = INT_SLM_ReadServiceInfo(handle, &record);
    if (result != DBERR_OK) return result;
    const TsInfo* ts = REF_ResolveTs(record.tsRef);
    if (ts == nullptr) return DBERR_NOT_FOUND;
    std::memcpy(out, ts, sizeof *out);
    return DBERR_OK;
}
