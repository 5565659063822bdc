#include "svchandle.h"

#include <deque>
#include <new>

#include "dballoc.h"
#include "dbstate.h"

namespace {
// Objects live in a deque so their addresses never move; index = id - firstId.
std::deque<SvcHandleObj> g_handles;
uint32_t g_firstId = 1;
uint32_t g_liveCount = 0;

void releaseName(SvcHandleObj& obj) {
    if ((obj.numFlags & SVH_OWNS_NAME) != 0) delete[] obj.name;
    obj.name = nullptr;
    obj.numFlags &= ~SVH_OWNS_NAME;
}

void resetHandles() {
    HT_Clear();
    g_firstId = 1;
}
DB_ResetHook g_resetHook(resetHandles);
} // namespace

SvcHandle HT_Alloc() {
    const uint64_t id = uint64_t{g_firstId} + g_handles.size();
    if (id >= SVC_HANDLE_FREED) return SVC_HANDLE_NONE;
    if (!DB_Append(g_handles, SvcHandleObj{static_cast<uint32_t>(id), 0xFFFFFFFFu, nullptr,
                                           SVH_NEW_NUMFLAGS, nullptr, nullptr, 0}))
        return SVC_HANDLE_NONE;
    ++g_liveCount;
    return static_cast<SvcHandle>(id);
}

SvcHandleObj* HT_Resolve(SvcHandle id) {
    if (id == SVC_HANDLE_NONE || id == SVC_HANDLE_FREED || id < g_firstId) return nullptr;
    const uint64_t index = uint64_t{id} - g_firstId;
    if (index >= g_handles.size()) return nullptr;
    SvcHandleObj& obj = g_handles[index];
    return obj.self == id ? &obj : nullptr;
}

void HT_Free(SvcHandle id) {
    SvcHandleObj* obj = HT_Resolve(id);
    if (obj == nullptr) return;
    releaseName(*obj);
    obj->self = SVC_HANDLE_FREED;
    obj->record = nullptr;
    --g_liveCount;
}

void HT_Clear() {
    for (SvcHandleObj& obj : g_handles)
        releaseName(obj);
    g_firstId += static_cast<uint32_t>(g_handles.size());
    g_handles.clear();
    g_liveCount = 0;
}

uint32_t HT_LiveCount() {
    return g_liveCount;
}

void INT_SLM_FreeServiceHandle(void* handleData) {
    HT_Free(INT_SLM_DataWord(handleData));
}
