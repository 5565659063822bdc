#include "svcnamekey.h"

#include <cstring>

#include "dbrecords.h"
#include "dvbtext.h"
#include "slmlock.h"
#include "svchandleops.h"
#include "svclist.h"
#include "wrapper.h"

DBERR INT_SLM_MakeNameKey(SvcHandle handle, SvcNameSortItem* item) {
    if (item == nullptr) return DBERR_NULL_ARG;
    item->handle = handle;
    std::memset(item->key, 0, sizeof item->key);
    uint8_t name[SVC_NAME_KEY_LEN] = {};
    const DBERR result = INT_SLM_CopyServiceName(handle, name);
    if (result != DBERR_OK) return result;
    const size_t length = OS_StrNLen(name, SVC_NAME_LEN);
    if (length == 0) return DBERR_OK;
    DVB_CopyTextNBounded(item->key, sizeof item->key, name, length);
    // Upper-case and strip over what was copied, so the terminator the strip
    // writes stays inside the key.
    const size_t copied = OS_StrNLen(item->key, SVC_NAME_LEN);
    OS_ToUpperN(item->key, copied);
    OS_StripHighBytesN(item->key, copied);
    return DBERR_OK;
}

DBERR INT_SLM_MakeNameKeys(LL_Node* list, SvcNameSortItem* items, uint32_t count, uint32_t* made) {
    if (made != nullptr) *made = 0;
    if (count == 0) return DBERR_OK;
    if (items == nullptr) return DBERR_NULL_ARG;
    uint32_t filled = 0;
    for (LL_Node* node = list; node != nullptr && filled < count;) {
        const SvcHandle handle = SLM_NodeHandle(node);
        if (!SLM_IsNullService(handle)) INT_SLM_MakeNameKey(handle, &items[filled++]);
        node = node->next;
        if (node == list) break;
    }
    if (made != nullptr) *made = filled;
    return DBERR_OK;
}

int INT_SLM_CompareServiceByNameSimple(const void* a, const void* b) {
    if (a == nullptr || b == nullptr) {
        WRAP_DebugPrint(WRAP_DBG_ERROR, "[INT_SLM_CompareServiceByNameSimple] invalid arguments\n");
        return 0;
    }
    const uint8_t* keyA = static_cast<const SvcNameSortItem*>(a)->key;
    const uint8_t* keyB = static_cast<const SvcNameSortItem*>(b)->key;
    // Keys are terminated inside their 24 bytes; the bound only guards items
    // that were not made by INT_SLM_MakeNameKey.
    for (size_t i = 0; i < SVC_NAME_KEY_LEN; ++i) {
        if (keyA[i] != keyB[i]) return keyA[i] < keyB[i] ? -1 : 1;
        if (keyA[i] == 0) break;
    }
    return 0;
}

DBERR SLM_MakeNameKeys(LL_Node* list, SvcNameSortItem* items, uint32_t count) {
    if (items == nullptr) return DBERR_NULL_ARG;
    SlmLockGuard lock;
    return INT_SLM_MakeNameKeys(list, items, count);
}
