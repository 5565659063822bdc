#include "refids.h"

#include <new>
#include <vector>

#include "dballoc.h"
#include "dbstate.h"

namespace {
struct RefEntry {
    RefKind kind;
    void* element; // nullptr once released
};
std::vector<RefEntry> g_refs; // index = id - g_firstRef
uint32_t g_firstRef = 1;

void resetRefs() {
    g_refs.clear();
    g_refs.shrink_to_fit();
    g_firstRef = 1;
}
DB_ResetHook g_resetHook(resetRefs);

RefEntry* entryOf(RefId id) {
    if (id == REF_NONE || id < g_firstRef) return nullptr;
    const uint64_t index = uint64_t{id} - g_firstRef;
    return index < g_refs.size() ? &g_refs[index] : nullptr;
}
} // namespace

RefId REF_Register(RefKind kind, void* element) {
    if (element == nullptr) return REF_NONE;
    const uint64_t id = uint64_t{g_firstRef} + g_refs.size();
    if (id > 0xFFFFFFFEu) return REF_NONE;
    if (!DB_Append(g_refs, RefEntry{kind, element})) return REF_NONE;
    return static_cast<RefId>(id);
}

void* REF_Resolve(RefKind kind, RefId id) {
    const RefEntry* entry = entryOf(id);
    return entry != nullptr && entry->kind == kind ? entry->element : nullptr;
}

RefId REF_Find(RefKind kind, const void* element) {
    if (element == nullptr) return REF_NONE;
    for (size_t i = 0; i < g_refs.size(); ++i)
        if (g_refs[i].kind == kind && g_refs[i].element == element)
            return static_cast<RefId>(g_firstRef + i);
    return REF_NONE;
}

void REF_Release(RefId id) {
    if (RefEntry* entry = entryOf(id)) entry->element = nullptr;
}

void REF_Clear() {
    g_firstRef += static_cast<uint32_t>(g_refs.size());
    g_refs.clear();
}
