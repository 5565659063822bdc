#include "tpeditlist.h"

#include <cstring>
#include <vector>

#include "dballoc.h"
#include "dbstate.h"
#include "filters.h"
#include "reccompare.h"
#include "satnet.h"
#include "tablecopy.h"
#include "tablering.h"
#include "tables.h"
#include "tptable.h"
#include "tstable.h"

LL_Node* g_TpEditList = nullptr;
LL_Node* g_RemovedTpList = nullptr;

namespace {

// The satellite the edit list was loaded for; kNoSatellite when none. The
// removed rows are that satellite's, so a commit for another one is refused.
constexpr uint32_t kNoSatellite = 0x100;
uint32_t s_editSatellite = kNoSatellite;

// Rows replaced by an update since the load, each with the edit-list row that
// took its place (the row's own heap copy, which stays put while the row is
// in either list). The commit moves the services of a replaced transponder
// onto its successor. Freed with the lists.
struct Replacement {
    TpRow old;
    const TpRow* successor;
};
std::vector<Replacement> s_replacements;

// The part of a row that edits copy and comparisons read: bytes 0-19.
constexpr size_t kRowKeyBytes = offsetof(TpRow, state);

TpRow* RowOf(const LL_Node* node) {
    return static_cast<TpRow*>(node->data);
}

// Inserts a new copy of row in exact order. False when no memory (the list
// is unchanged then).
bool InsertCopySorted(LL_Node** list, const TpRow& row) {
    TpRow* copy = TBL_NewCopy(row);
    if (copy == nullptr) return false;
    DBERR result = DBERR_OK;
    *list = LL_Close(LL_InsertSorted(*list, copy, INT_SLM_CompareTpRowExact, &result));
    if (result == DBERR_OK) return true;
    INT_SLM_FreeTpRow(copy);
    return false;
}

// Moves a node's row to the end of another list. False when no memory (both
// lists unchanged then).
bool MoveRow(LL_Node** from, LL_Node* node, LL_Node** to) {
    DBERR result = DBERR_OK;
    *to = LL_Append(*to, node->data, &result);
    if (result != DBERR_OK) return false;
    *from = LL_Remove(*from, node, nullptr);
    return true;
}

// Replaces the row similar to entry by a copy of entry, unless the list
// already holds a row exactly equal to it. Returns true when entry had no
// similar row (nothing changed then). *noMemory is set when a copy failed.
bool ReplaceSimilar(LL_Node** list, const TpRow& entry, bool* noMemory) {
    LL_Node* similar = LL_Find(*list, &entry, INT_SLM_CompareTpRow, nullptr, 0);
    if (similar == nullptr) return true;
    if (LL_Find(*list, &entry, INT_SLM_CompareTpRowExact, nullptr, 0) != nullptr) return false;
    if (InsertCopySorted(list, entry)) {
        *list = LL_Remove(*list, similar, INT_SLM_FreeTpRow);
    } else {
        *noMemory = true;
    }
    return false;
}

bool IsInEditList(const TpRow* row) {
    bool found = false;
    TBL_ForEachNode(g_TpEditList, [&](LL_Node* node) {
        found = RowOf(node) == row;
        return !found;
    });
    return found;
}

// The replacement whose old row is the transport stream's transponder, or
// null. A stream that is exactly a row still in the list stays with that
// row, and a row deleted after its update takes no streams along.
const Replacement* ReplacementOf(const TpInfo& streamTp, uint8_t satellite) {
    if (streamTp.satIndex != satellite) return nullptr;
    TpRow streamRow = DB_TpRowFrom(streamTp, 1);
    if (LL_Find(g_TpEditList, &streamRow, INT_SLM_CompareTpRowExact, nullptr, 0) != nullptr)
        return nullptr;
    for (const Replacement& replacement : s_replacements) {
        const TpInfo oldKey = DB_TpInfoFromRow(replacement.old, satellite);
        if (INT_SLM_IsTpDifferentMhz(&streamTp, &oldKey) == 0 &&
            IsInEditList(replacement.successor))
            return &replacement;
    }
    return nullptr;
}

// Services follow their transponder: every transport stream of the satellite
// that was on a replaced row takes its successor's tuning fields, so its
// services show (and are stored) under the edited transponder. Each stream
// is matched once against the rows as they were before this commit. The
// stream keeps its satellite index and its uninterpreted bytes 12-19.
void MoveStreamsToSuccessors(uint8_t satellite) {
    if (s_replacements.empty()) return;
    TBL_ForEachNode(TBL_GetTsInfoList(), [&](LL_Node* node) {
        TsInfo* stream = static_cast<TsInfo*>(node->data);
        const Replacement* replacement = ReplacementOf(stream->tp, satellite);
        if (replacement == nullptr) return true;
        const TpInfo now = DB_TpInfoFromRow(*replacement->successor, satellite);
        stream->tp.frequency = now.frequency;
        stream->tp.symbolRate = now.symbolRate;
        stream->tp.modulation = now.modulation;
        stream->tp.polarisation = now.polarisation;
        stream->tp.fec = now.fec;
        stream->tp.rowField = now.rowField;
        stream->tp.pilot = now.pilot;
        return true;
    });
}

struct BuiltLists {
    LL_Node* edit = nullptr;
    LL_Node* removed = nullptr;
};

// Builds what a load installs, without touching the program-wide lists.
DBERR BuildSatTpLists(uint8_t satellite, bool useDefaults, BuiltLists* built) {
    DBERR result = DBERR_OK;
    LL_Node* defaults = nullptr;
    uint16_t defaultCount = 0;
    if (INT_SLM_GetDefaultTps(satellite, &defaultCount, &defaults) == DBERR_NO_MEMORY)
        result = DBERR_NO_MEMORY;
    LL_Node* stored = nullptr;
    uint16_t storedCount = 0;
    if (INT_SLM_GetUserTps(satellite, &storedCount, &stored) == DBERR_NO_MEMORY)
        result = DBERR_NO_MEMORY;
    uint16_t added = 0;
    if (INT_SLM_MergeSavedSearchedTps(satellite, &defaults, &defaultCount, &stored, &storedCount,
                                      &added) == DBERR_NO_MEMORY)
        result = DBERR_NO_MEMORY;

    // A stored transponder that equals a default row is a default row.
    TBL_ForEachNode(stored, [&](LL_Node* node) {
        if (LL_Find(defaults, node->data, INT_SLM_CompareTpRowExact, nullptr, 0) != nullptr)
            RowOf(node)->state = 0;
        return true;
    });

    if (stored == nullptr || useDefaults != 0) {
        // The defaults win: stored transponders that are no default row are
        // removed, so the commit deletes them.
        while (stored != nullptr) {
            LL_Node* node = stored;
            if (RowOf(node)->state != 0 && MoveRow(&stored, node, &built->removed)) continue;
            if (RowOf(node)->state != 0) result = DBERR_NO_MEMORY;
            stored = LL_Remove(stored, node, INT_SLM_FreeTpRow);
        }
        built->edit = defaults;
    } else {
        built->edit = stored;
        LL_FreeAll(defaults, INT_SLM_FreeTpRow);
    }
    return result;
}

// Both the library reset and the emptying of the tables (New, Load, close)
// free the edit lists.
DB_ResetHook resetHook(INT_SLM_FreeTpList);
TBL_FreeHook freeHook(INT_SLM_FreeTpList);

} // namespace

DBERR INT_SLM_GetDefaultTps(uint8_t satellite, uint16_t* count, LL_Node** list) {
    if (count == nullptr || list == nullptr) return DBERR_NULL_ARG;
    *count = 0;
    *list = nullptr;
    uint16_t rowCount = 0;
    const DefaultTpRow* rows = nullptr;
    if (SN_GetDefaultSatInfo(satellite, &rowCount, &rows) != DBERR_OK || rows == nullptr ||
        rowCount == 0)
        return DBERR_BAD_LIST;
    DBERR result = DBERR_OK;
    for (uint16_t i = 0; i < rowCount; ++i) {
        if (!InsertCopySorted(list, DB_TpRowFrom(rows[i], 0))) {
            result = DBERR_NO_MEMORY;
            break;
        }
    }
    *count = LL_Count(*list, nullptr, 0);
    return result;
}

DBERR INT_SLM_GetUserTps(uint8_t satellite, uint16_t* count, LL_Node** list) {
    if (count == nullptr || list == nullptr) return DBERR_NULL_ARG;
    *count = 0;
    *list = nullptr;
    DBERR result = DBERR_OK;
    TBL_ForEachNode(TBL_GetTpInfoList(), [&](LL_Node* node) {
        const TpInfo* tp = static_cast<const TpInfo*>(node->data);
        if (tp->satIndex != satellite) return true;
        if (InsertCopySorted(list, DB_TpRowFrom(*tp, 1))) return true;
        result = DBERR_NO_MEMORY;
        return false;
    });
    *count = LL_Count(*list, nullptr, 0);
    return result;
}

DBERR INT_SLM_MergeSavedSearchedTps(uint8_t satellite, LL_Node** defaults, uint16_t* defaultCount,
                                    LL_Node** stored, uint16_t* storedCount, uint16_t* added) {
    if (defaults == nullptr || defaultCount == nullptr || stored == nullptr ||
        storedCount == nullptr || added == nullptr)
        return DBERR_NULL_ARG;
    *added = 0;
    uint16_t entryCount = 0;
    TpNode* entries = nullptr;
    if (SN_GetTpAll(satellite, &entryCount, &entries) != DBERR_OK) return DBERR_OK;

    bool noMemory = false;
    for (const TpNode* entry = entries; entry != nullptr; entry = entry->next) {
        const TpRow row = DB_TpRowFrom(entry->row, 1);
        if (!ReplaceSimilar(defaults, row, &noMemory)) continue;
        if (InsertCopySorted(defaults, row)) {
            ++*defaultCount;
            ++*added;
        } else {
            noMemory = true;
        }
    }
    for (const TpNode* entry = entries; entry != nullptr; entry = entry->next)
        ReplaceSimilar(stored, DB_TpRowFrom(entry->row, 1), &noMemory);

    SN_FreeTpList(entries);
    return noMemory ? DBERR_NO_MEMORY : DBERR_OK;
}

DBERR INT_SLM_LoadSatTpList(uint8_t satellite, uint8_t useDefaults, uint16_t* count,
                            uint16_t* constant) {
    if (count == nullptr || constant == nullptr) return DBERR_NULL_ARG;
    // Rows removed in an earlier edit belong to that edit: a commit of this
    // one must not delete them.
    INT_SLM_FreeTpList();
    BuiltLists built;
    const DBERR result = BuildSatTpLists(satellite, useDefaults != 0, &built);
    g_TpEditList = built.edit;
    g_RemovedTpList = built.removed;
    s_editSatellite = satellite;
    *count = LL_Count(g_TpEditList, nullptr, 0);
    *constant = TP_EDIT_LOAD_CONSTANT;
    return result;
}

DBERR INT_SLM_GetTpCounts(uint8_t satellite, uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    BuiltLists built;
    const DBERR result = BuildSatTpLists(satellite, false, &built);
    *count = LL_Count(built.edit, nullptr, 0);
    LL_FreeAll(built.edit, INT_SLM_FreeTpRow);
    LL_FreeAll(built.removed, INT_SLM_FreeTpRow);
    return result;
}

DBERR INT_SLM_GetNthTp(uint32_t n, TpRow* row) {
    if (row == nullptr) return DBERR_NULL_ARG;
    const LL_Node* node = LL_GetNth(g_TpEditList, n, nullptr, 0);
    if (node == nullptr) return DBERR_BAD_LIST;
    std::memcpy(row, node->data, sizeof(TpRow));
    return DBERR_OK;
}

DBERR INT_SLM_GetNumTps(uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    *count = LL_Count(g_TpEditList, nullptr, 0);
    return DBERR_OK;
}

DBERR INT_SLM_AddTp(TpRow* row, const uint16_t* count) {
    if (row == nullptr || count == nullptr) return DBERR_NULL_OBJECT;
    if (*count == 0) return DBERR_ZERO_COUNT;
    const LL_Node* similar = LL_Find(g_TpEditList, row, INT_SLM_CompareTpRow, nullptr, 0);
    if (similar != nullptr) {
        std::memcpy(row, similar->data, kRowKeyBytes);
        return DBERR_EXISTS;
    }
    TpRow fresh{};
    std::memcpy(&fresh, row, kRowKeyBytes);
    fresh.state = 1;
    TpRow* copy = TBL_NewCopy(fresh);
    if (copy == nullptr) return DBERR_NO_MEMORY;
    DBERR result = DBERR_OK;
    g_TpEditList = LL_Append(g_TpEditList, copy, &result);
    if (result != DBERR_OK) {
        INT_SLM_FreeTpRow(copy);
        return DBERR_NO_MEMORY;
    }
    return DBERR_OK;
}

DBERR INT_SLM_DeleteTp(const TpRow* row, const uint16_t* count) {
    if (row == nullptr || count == nullptr) return DBERR_NULL_OBJECT;
    LL_Node* node = LL_Find(g_TpEditList, row, INT_SLM_CompareTpRowExact, nullptr, 0);
    if (node == nullptr) return DBERR_BAD_LIST;
    return MoveRow(&g_TpEditList, node, &g_RemovedTpList) ? DBERR_OK : DBERR_NO_MEMORY;
}

DBERR INT_SLM_UpdateTp(uint32_t n, const TpRow* row, const uint16_t* count) {
    if (row == nullptr || count == nullptr) return DBERR_NULL_OBJECT;
    // Unlike a read, an update past the last row must not land on the first.
    if (n >= LL_Count(g_TpEditList, nullptr, 0)) return DBERR_BAD_LIST;
    LL_Node* node = LL_GetNth(g_TpEditList, n, nullptr, 0);
    if (LL_Find(g_TpEditList, row, INT_SLM_CompareTpRowExact, nullptr, 0) != nullptr)
        return DBERR_EXISTS;
    // Room for the replacement first, so nothing changes when there is none.
    if (!DB_Reserve(s_replacements, s_replacements.size() + 1)) return DBERR_NO_MEMORY;
    TpRow* old = TBL_NewCopy(*RowOf(node));
    if (old == nullptr) return DBERR_NO_MEMORY;
    DBERR result = DBERR_OK;
    g_RemovedTpList = LL_Append(g_RemovedTpList, old, &result);
    if (result != DBERR_OK) {
        INT_SLM_FreeTpRow(old);
        return DBERR_NO_MEMORY;
    }
    s_replacements.push_back(Replacement{*old, RowOf(node)});
    std::memcpy(node->data, row, kRowKeyBytes);
    RowOf(node)->state = 1;
    return DBERR_OK;
}

DBERR INT_SLM_GetTpIndex(const TpRow* row, uint32_t /*unused*/, uint16_t* index) {
    if (row == nullptr || index == nullptr) return DBERR_NULL_OBJECT;
    *index = LL_IndexOf(g_TpEditList, row, INT_SLM_CompareTpRow, nullptr, 0);
    return DBERR_OK;
}

DBERR INT_SLM_CommitTpList(uint8_t satellite) {
    if (s_editSatellite != satellite) return DBERR_EDIT_SESSION;
    MoveStreamsToSuccessors(satellite);
    s_replacements.clear();
    TBL_ForEachNode(g_RemovedTpList, [&](LL_Node* node) {
        const TpRow& row = *RowOf(node);
        TBL_DeleteTpInfo(satellite, row.frequency, row.symbolRate, row.rowField, row.polarisation,
                         row.fec, row.modulation, row.pilot);
        return true;
    });
    // Every row is offered even after a refusal, and the first refusal is
    // reported: a row the table could not take must not pass for stored.
    DBERR result = DBERR_OK;
    TBL_ForEachNode(g_TpEditList, [&](LL_Node* node) {
        const TpInfo tp = DB_TpInfoFromRow(*RowOf(node), satellite);
        TpInfo* stored = nullptr;
        const DBERR added = TBL_AddTpInfo(&tp, &stored);
        if (added != DBERR_OK && result == DBERR_OK) result = added;
        return true;
    });
    g_RemovedTpList = LL_FreeAll(g_RemovedTpList, INT_SLM_FreeTpRow);
    return result;
}

void INT_SLM_FreeTpList() {
    g_TpEditList = LL_FreeAll(g_TpEditList, INT_SLM_FreeTpRow);
    g_RemovedTpList = LL_FreeAll(g_RemovedTpList, INT_SLM_FreeTpRow);
    s_replacements = {};
    s_editSatellite = kNoSatellite;
}

bool INT_SLM_GetTpEditSatellite(uint8_t* satellite) {
    if (s_editSatellite == kNoSatellite) return false;
    if (satellite != nullptr) *satellite = static_cast<uint8_t>(s_editSatellite);
    return true;
}
