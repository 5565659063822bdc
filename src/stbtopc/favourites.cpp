#include "favourites.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

#include "dballoc.h"
#include "dbstate.h"
#include "favtable.h"
#include "indexcommit.h"
#include "refids.h"
#include "slmload.h"
#include "slmlock.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svctable.h"
#include "tables.h"

FavGroupState g_FavGroupState{};

namespace {

bool isFavOrExtraList(SvcListId id) {
    return DB_IsFavList(id) || id == LIST_EXTRA_A || id == LIST_EXTRA_B;
}
uint32_t groupOf(SvcListId id) {
    return static_cast<uint32_t>(id - LIST_FAV_FIRST);
}
uint16_t builtBit(SvcListId id) {
    return static_cast<uint16_t>(1u << groupOf(id));
}
// The live head of list 7-24, kept by the service lists.
LL_Node*& liveHead(SvcListId id) {
    return *INT_SLM_FavListSlot(id);
}

uint32_t typeOfRecord(const SvcInfo& record) {
    return DB_GetBits(record.flags, SVCF_TYPE_LO, SVCF_TYPE_W);
}
uint32_t numberOf(const SvcHandleObj& obj) {
    return DB_GetBits(obj.numFlags, SVH_NUMBER_LO, SVH_NUMBER_W);
}
uint32_t typeOf(const SvcHandleObj& obj) {
    return DB_GetBits(obj.numFlags, SVH_TYPE_LO, SVH_TYPE_W);
}

// Nodes of a closed (or open) list, counted without a filter.
uint32_t nodeCount(LL_Node* head) {
    return INT_LL_Count(head, nullptr, 0);
}

void freeGroupName(uint32_t group) {
    delete[] g_FavGroupState.names[group];
    g_FavGroupState.names[group] = nullptr;
}

// An owned, terminated copy of at most maxLength bytes of text. Null when
// memory runs out.
uint8_t* copyText(const uint8_t* text, size_t maxLength) {
    size_t length = 0;
    while (length < maxLength && text[length] != 0)
        ++length;
    uint8_t* copy = DB_NewArray<uint8_t>(length + 1);
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, text, length);
    copy[length] = 0;
    return copy;
}

// Forgets the group names and which groups were built; the service lists
// free the lists themselves.
void clearGroupState() {
    for (uint32_t g = 0; g < FAV_CAPACITY; ++g)
        freeGroupName(g);
    g_FavGroupState.built = 0;
}
DB_ResetHook g_resetHook(clearGroupState);
TBL_FreeHook g_freeHook(clearGroupState);
// Every commit stores the built groups first, with the numbers of the
// service table it is about to write.
IDX_CommitStep g_commitStep(INT_SLM_StoreBuiltFavGroups);

// The services of a list by number and type, for building many groups with
// one walk. A look-up answers what a find by number and type in the list
// answers: the first handle in list order whose number and type match, type
// 6 matching any type.
class ServiceIndex {
  public:
    // False when memory runs out.
    bool build(LL_Node* list) {
        const uint32_t total = nodeCount(list);
        if (!DB_Reserve(entries_, total)) return false;
        LL_Node* node = list;
        for (uint32_t pos = 0; pos < total; ++pos, node = node->next) {
            const SvcHandle handle = SLM_NodeHandle(node);
            const SvcHandleObj* obj = HT_Resolve(handle);
            if (obj == nullptr) continue;
            // Within the room reserved: no allocation.
            entries_.push_back(Entry{keyOf(numberOf(*obj), typeOf(*obj)), pos, handle});
        }
        std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
            return a.key != b.key ? a.key < b.key : a.pos < b.pos;
        });
        return true;
    }

    SvcHandle find(uint32_t number, uint32_t type) const {
        if (type != SVC_QUERY_TYPE_ANY) {
            const Entry* e = firstWithKey(keyOf(number, type));
            return e != nullptr ? e->handle : SVC_HANDLE_INVALID;
        }
        const Entry* best = nullptr;
        for (uint32_t t = 0; t <= 7; ++t) {
            const Entry* e = firstWithKey(keyOf(number, t));
            if (e != nullptr && (best == nullptr || e->pos < best->pos)) best = e;
        }
        return best != nullptr ? best->handle : SVC_HANDLE_INVALID;
    }

  private:
    struct Entry {
        uint32_t key;
        uint32_t pos;
        SvcHandle handle;
    };
    static uint32_t keyOf(uint32_t number, uint32_t type) { return number << 3 | (type & 7u); }
    const Entry* firstWithKey(uint32_t key) const {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                                   [](const Entry& e, uint32_t k) { return e.key < k; });
        return it != entries_.end() && it->key == key ? &*it : nullptr;
    }
    std::vector<Entry> entries_;
};

// The number and type each service record will carry after the next load.
// A load files the records in the order of the service table: every radio
// service into one list and every other service into the other, and numbers
// both from 1. A record whose transport stream does not resolve is not
// loaded and takes no number.
class NextLoadNumbers {
  public:
    // False when memory runs out.
    bool build() {
        LL_Node* list = TBL_GetSvcInfoList();
        const uint32_t total = nodeCount(list);
        if (!DB_Reserve(entries_, total)) return false;
        uint32_t radio = 0;
        uint32_t other = 0;
        LL_Node* node = list;
        for (uint32_t i = 0; i < total; ++i, node = node->next) {
            const SvcInfo* record = static_cast<const SvcInfo*>(node->data);
            if (record == nullptr || REF_ResolveTs(record->tsRef) == nullptr) continue;
            const uint32_t type = typeOfRecord(*record);
            const uint32_t number = type == SVC_TYPE_RADIO ? ++radio : ++other;
            entries_.push_back(Entry{record, number, type}); // within the room reserved
        }
        std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
            return std::less<const SvcInfo*>()(a.record, b.record);
        });
        return true;
    }

    // The favourite entry of a record; false when the record will not load
    // or its number does not fit an entry.
    bool entryOf(const SvcInfo* record, uint16_t* entry) const {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), record,
                                   [](const Entry& e, const SvcInfo* r) {
                                       return std::less<const SvcInfo*>()(e.record, r);
                                   });
        if (it == entries_.end() || it->record != record || it->number > 0x1FFFu) return false;
        *entry = INT_SLM_MakeFavEntry(it->number, it->type);
        return true;
    }

  private:
    struct Entry {
        const SvcInfo* record;
        uint32_t number;
        uint32_t type;
    };
    std::vector<Entry> entries_;
};

// The list 0 the groups are built from: that of the current method.
LL_Node* currentList0() {
    LL_Node* head = nullptr;
    INT_SLM_GetListHead(LIST_ALL, g_AccessMethod, &head);
    return head;
}

bool listHolds(LL_Node* list, SvcHandle handle) {
    return INT_LL_Find(list, SLM_HandleNodeData(handle), nullptr, nullptr, 0) != nullptr;
}

// A group built from the table aside, so that it is installed whole or not
// at all.
struct GroupBuild {
    LL_Node* list = nullptr;
    uint8_t* name = nullptr;
    DBERR result = DBERR_OK; // what the build answers once installed
    bool built = false;      // whether the group then counts as built

    void free() {
        list = INT_LL_FreeAll(list, nullptr);
        delete[] name;
        name = nullptr;
    }
};

// Builds group id from the table: DBERR_NO_MEMORY (nothing kept) when a node
// or the name cannot be had, else 0 and the build in *out.
DBERR buildGroup(SvcListId id, const ServiceIndex& services, GroupBuild* out) {
    const uint32_t group = groupOf(id);
    GroupBuild build;
    uint16_t count = 0;
    const uint16_t* entries = nullptr;
    build.result = TBL_GetFavEntries(group, &count, &entries);
    if (build.result != DBERR_OK) {
        *out = build; // dropped and not built, as the table cannot be read
        return DBERR_OK;
    }
    for (uint16_t i = 0; i < count; ++i) {
        const SvcHandle handle =
            services.find(INT_SLM_FavEntryNumber(entries[i]), INT_SLM_FavEntryType(entries[i]));
        if (handle == SVC_HANDLE_INVALID || listHolds(build.list, handle)) continue;
        DBERR appended = DBERR_OK;
        build.list = INT_LL_Append(build.list, SLM_HandleNodeData(handle), &appended);
        if (appended != DBERR_OK) {
            build.free();
            return DBERR_NO_MEMORY;
        }
    }
    const uint8_t* name = nullptr;
    build.result = TBL_GetFavName(group, &name);
    if (build.result == DBERR_OK && name[0] != 0) {
        build.name = copyText(name, FAV_NAME_LEN);
        if (build.name == nullptr) {
            build.free();
            return DBERR_NO_MEMORY;
        }
    }
    build.built = true;
    *out = build;
    return DBERR_OK;
}

// The build becomes group id: the old list and name go. Its result.
DBERR installGroup(SvcListId id, GroupBuild& build) {
    LL_Node*& head = liveHead(id);
    head = INT_LL_FreeAll(head, nullptr);
    head = build.list;
    freeGroupName(groupOf(id));
    g_FavGroupState.names[groupOf(id)] = build.name;
    if (build.built) {
        g_FavGroupState.built |= builtBit(id);
    } else {
        g_FavGroupState.built &= static_cast<uint16_t>(~builtBit(id));
    }
    const DBERR result = build.result;
    build = GroupBuild{};
    return result;
}

DBERR storeGroup(SvcListId id, const NextLoadNumbers& numbers) {
    uint16_t entries[FAV_MAX_ENTRIES] = {};
    uint32_t count = 0;
    LL_Node*& head = liveHead(id);
    const uint32_t total = nodeCount(head);
    LL_Node* node = head;
    for (uint32_t i = 0; i < total; ++i) {
        LL_Node* next = node->next;
        const SvcHandleObj* obj = HT_Resolve(SLM_NodeHandle(node));
        if (obj == nullptr) {
            head = INT_LL_Remove(head, node, nullptr); // the service was deleted
        } else if (count < FAV_MAX_ENTRIES && obj->record != nullptr &&
                   numbers.entryOf(obj->record, &entries[count])) {
            ++count;
        }
        node = next;
    }
    const DBERR result = TBL_SetFavEntries(groupOf(id), count, entries);
    if (result == DBERR_OK) g_FavGroupState.built |= builtBit(id);
    return result;
}

DBERR storeGroupName(SvcListId id) {
    const uint8_t* name = g_FavGroupState.names[groupOf(id)];
    return name != nullptr ? TBL_SetFavName(groupOf(id), name) : DBERR_OK;
}

// The group's head under the current method: the live list, or its copy
// while an edit is open under ACCESS_EDIT_MASTER and ACCESS_EDIT_NAME.
DBERR currentGroupHead(SvcListId id, LL_Node** out) {
    return INT_SLM_GetListHeadEx(id, g_AccessMethod, out);
}
DBERR setCurrentGroupHead(SvcListId id, LL_Node* head) {
    return INT_SLM_SetListHeadEx(id, g_AccessMethod, head);
}

// Changes group id (7-22) under the current method at the handle's node:
// edit(head, node) gives the new head, which is stored. DBERR_BAD_LIST for
// other ids, DBERR_NOT_FOUND when the group does not hold the handle.
template <typename Edit> DBERR editGroupNode(SvcHandle handle, SvcListId id, Edit edit) {
    if (!DB_IsFavList(id)) return DBERR_BAD_LIST;
    LL_Node* head = nullptr;
    if (const DBERR headResult = currentGroupHead(id, &head)) return headResult;
    LL_Node* node = SLM_FindHandleNode(head, handle);
    if (node == nullptr) return DBERR_NOT_FOUND;
    return setCurrentGroupHead(id, edit(head, node));
}

// Whether the handle is in list 0 of the current method.
bool inCurrentList0(SvcHandle handle) {
    return SLM_FindHandleNode(currentList0(), handle) != nullptr;
}

} // namespace

SLM_RESULT SLM_LoadSpecialList(SvcListId id) {
    if (id != LIST_EXTRA_A && id != LIST_EXTRA_B) return DBERR_BAD_LIST;
    LL_Node* taken = nullptr;
    const DBERR result = SLM_TakeSpecialList(id, &taken);
    if (result != DBERR_OK) return result;
    SlmLockGuard lock;
    liveHead(id) = INT_LL_FreeAll(liveHead(id), nullptr);
    liveHead(id) = taken;
    return DBERR_OK;
}

// ---- Groups --------------------------------------------------------------------

DBERR INT_SLM_LoadFavGroup(SvcListId id) {
    if (!DB_IsFavList(id)) return DBERR_OK;
    ServiceIndex services;
    if (!services.build(currentList0())) return DBERR_NO_MEMORY;
    GroupBuild build;
    if (const DBERR built = buildGroup(id, services, &build)) return built;
    const DBERR result = build.result;
    installGroup(id, build);
    return result;
}

SLM_RESULT SLM_LoadFavGroup(SvcListId id) {
    SlmLockGuard lock;
    return INT_SLM_LoadFavGroup(id);
}

DBERR INT_SLM_LoadAllFavGroups() {
    ServiceIndex services;
    if (!services.build(currentList0())) return DBERR_NO_MEMORY;
    // Every group is built before any is installed: no memory for one of
    // them leaves all sixteen as they were.
    GroupBuild builds[FAV_CAPACITY];
    for (uint32_t g = 0; g < FAV_CAPACITY; ++g) {
        const SvcListId id = static_cast<SvcListId>(LIST_FAV_FIRST + g);
        if (buildGroup(id, services, &builds[g]) != DBERR_OK) {
            for (GroupBuild& build : builds)
                build.free();
            return DBERR_NO_MEMORY;
        }
    }
    DBERR first = DBERR_OK;
    for (uint32_t g = 0; g < FAV_CAPACITY; ++g) {
        const DBERR result = builds[g].result;
        installGroup(static_cast<SvcListId>(LIST_FAV_FIRST + g), builds[g]);
        if (first == DBERR_OK) first = result;
    }
    return first;
}

DBERR INT_SLM_StoreFavGroup(SvcListId id) {
    if (!DB_IsFavList(id)) return DBERR_BAD_LIST;
    NextLoadNumbers numbers;
    if (!numbers.build()) return DBERR_NO_MEMORY;
    return storeGroup(id, numbers);
}

SLM_RESULT SLM_StoreFavGroup(SvcListId id) {
    SlmLockGuard lock;
    return INT_SLM_StoreFavGroup(id);
}

DBERR INT_SLM_StoreBuiltFavGroups() {
    if (g_FavGroupState.built == 0) return DBERR_OK;
    NextLoadNumbers numbers;
    if (!numbers.build()) return DBERR_NO_MEMORY;
    DBERR first = DBERR_OK;
    for (SvcListId id = LIST_FAV_FIRST; id <= LIST_FAV_LAST; ++id) {
        if ((g_FavGroupState.built & builtBit(id)) == 0) continue;
        DBERR result = storeGroup(id, numbers);
        if (result == DBERR_OK) result = storeGroupName(id);
        if (first == DBERR_OK) first = result;
    }
    return first;
}

DBERR INT_SLM_ClearFavList(SvcListId id) {
    if (!isFavOrExtraList(id)) return DBERR_BAD_LIST;
    liveHead(id) = INT_LL_FreeAll(liveHead(id), nullptr);
    if (DB_IsFavList(id)) {
        freeGroupName(groupOf(id));
        g_FavGroupState.built |= builtBit(id);
    }
    return DBERR_OK;
}

SLM_RESULT SLM_ClearFavList(SvcListId id) {
    SlmLockGuard lock;
    return INT_SLM_ClearFavList(id);
}

DBERR INT_SLM_ClearAllFavGroups() {
    static const uint8_t kNoName[1] = {0};
    DBERR first = DBERR_OK;
    for (SvcListId id = LIST_FAV_FIRST; id <= LIST_FAV_LAST; ++id) {
        INT_SLM_ClearFavList(id);
        DBERR result = TBL_SetFavEntries(groupOf(id), 0, nullptr);
        if (result == DBERR_OK) result = TBL_SetFavName(groupOf(id), kNoName);
        if (first == DBERR_OK) first = result;
    }
    return first;
}

SLM_RESULT SLM_ClearAllFavGroups() {
    SlmLockGuard lock;
    return INT_SLM_ClearAllFavGroups();
}

// ---- Names ---------------------------------------------------------------------

DBERR INT_SLM_SetListName(SvcListId id, const uint8_t* name) {
    if (name == nullptr) return DBERR_NULL_OBJECT;
    if (id == LIST_ALL || DB_IsCaList(id)) return DBERR_BAD_LIST;
    if (!DB_IsFavList(id)) return DBERR_OK;
    uint8_t* copy = copyText(name, FAV_NAME_LEN);
    if (copy == nullptr) return DBERR_NO_MEMORY;
    freeGroupName(groupOf(id));
    g_FavGroupState.names[groupOf(id)] = copy;
    return DBERR_OK;
}

SLM_RESULT SLM_SetListName(SvcListId id, const uint8_t* name) {
    if (name == nullptr) return DBERR_NULL_OBJECT;
    SlmLockGuard lock;
    return DB_CountIfDone(INT_SLM_SetListName(id, name));
}

DBERR INT_SLM_GetListName(SvcListId id, uint8_t* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    std::memset(out, 0, FAV_LIST_NAME_SIZE);
    if (id == LIST_ALL || DB_IsCaList(id)) return DBERR_BAD_LIST;
    if (!DB_IsFavList(id)) return DBERR_OK;
    const uint8_t* name = g_FavGroupState.names[groupOf(id)];
    if (name != nullptr) {
        size_t length = 0;
        while (length < FAV_NAME_LEN && name[length] != 0)
            ++length;
        std::memcpy(out, name, length);
    }
    return DBERR_OK;
}

SLM_RESULT SLM_GetListName(SvcListId id, uint8_t* out) {
    if (out == nullptr) return DBERR_NULL_ARG;
    SlmLockGuard lock;
    return INT_SLM_GetListName(id, out);
}

// ---- Membership ----------------------------------------------------------------

DBERR INT_SLM_AddServiceToList(SvcHandle handle, SvcListId id, SvcHandle* out) {
    if (out != nullptr) *out = handle;
    if (!inCurrentList0(handle)) return DBERR_NOT_FOUND;
    LL_Node* head = nullptr;
    const DBERR headResult = currentGroupHead(id, &head);
    if (headResult != DBERR_OK) return headResult;
    if (listHolds(head, handle)) return DBERR_ALREADY_IN_LIST;
    DBERR appended = DBERR_OK;
    head = INT_LL_Append(head, SLM_HandleNodeData(handle), &appended);
    if (appended != DBERR_OK) return DBERR_NO_MEMORY;
    return setCurrentGroupHead(id, head);
}

SLM_RESULT SLM_AddServiceToList(SvcHandle handle, SvcListId id, SvcHandle* out) {
    if (!DB_IsFavList(id)) return DBERR_BAD_LIST;
    SlmLockGuard lock;
    if (!inCurrentList0(handle)) return DBERR_NOT_FOUND;
    return DB_CountIfDone(INT_SLM_AddServiceToList(handle, id, out));
}

DBERR INT_SLM_RemoveServiceFromList(SvcHandle handle, SvcListId id) {
    return editGroupNode(handle, id, [](LL_Node* head, LL_Node* node) {
        return INT_LL_Remove(head, node, nullptr);
    });
}

DBERR INT_SLM_MoveServiceInFavList(SvcHandle handle, SvcListId id, int32_t delta) {
    return editGroupNode(handle, id, [delta](LL_Node* head, LL_Node* node) {
        return INT_LL_MoveBy(head, node, delta, nullptr, 0);
    });
}
