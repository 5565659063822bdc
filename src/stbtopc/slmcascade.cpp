#include "slmcascade.h"

#include "indexcommit.h"
#include "sattable.h"
#include "slmlock.h"
#include "slmquery.h"
#include "slmservice.h"
#include "slmtp.h"
#include "svchandleops.h"
#include "svclist.h"
#include "svcrenumber.h"
#include "svctable.h"
#include "tablering.h"
#include "tpeditlist.h"
#include "tstable.h"

namespace {
bool editListBelongsTo(uint8_t satellite) {
    uint8_t editSatellite = 0;
    return INT_SLM_GetTpEditSatellite(&editSatellite) && editSatellite == satellite;
}

// The tree numbers a satellite's rows by the list it loaded for it, but a
// dialog may have loaded another satellite's list since (the channel dialog
// does when its satellite is changed). A cascade works on the satellite's
// own list and loads it when another one (or none) is loaded: a load gives
// the rows in the order the tree shows them. DBERR_NO_MEMORY when the list
// could be built only in part.
DBERR takeEditListOf(uint8_t satellite) {
    if (editListBelongsTo(satellite)) return DBERR_OK;
    uint16_t count = 0, constant = 0;
    return INT_SLM_LoadSatTpList(satellite, 0, &count, &constant);
}

uint16_t editListRows() {
    uint16_t rows = 0;
    INT_SLM_GetNumTps(&rows);
    return rows;
}

// Deletes the services on a transponder, the first one only or all of them,
// by looking up service 0 of the transponder again after each delete.
// Returns how many were deleted.
uint32_t deleteServicesOn(const TpInfo& key, bool firstOnly) {
    uint32_t deleted = 0;
    for (;;) {
        SvcHandle handle = SVC_HANDLE_INVALID;
        if (SLM_GetNthServiceHandleWithTpInfo(&key, 0, &handle) != DBERR_OK) break;
        if (SLM_DeleteService(handle) != DBERR_OK) break; // cannot happen: it came from the list
        ++deleted;
        if (firstOnly) break;
    }
    return deleted;
}

bool serviceIsOnSatellite(SvcHandle handle, uint8_t satellite) {
    TsInfo tsInfo;
    return INT_SLM_GetTsInfo(handle, &tsInfo) == DBERR_OK && tsInfo.tp.satIndex == satellite;
}

// Every service whose transport stream lies on the satellite, whether or not
// an edit-list row describes that transponder.
void deleteServicesOfSatellite(uint8_t satellite) {
    const uint16_t total = LL_Count(g_MasterSvcList, nullptr, 0);
    LL_Node* node = g_MasterSvcList;
    // A delete frees only its own node, so the next one, read first, stays
    // valid; the count bounds the pass to one round of the ring.
    for (uint16_t i = 0; i < total && node != nullptr; ++i) {
        LL_Node* next = node->next;
        const SvcHandle handle = SLM_NodeHandle(node);
        if (serviceIsOnSatellite(handle, satellite)) SLM_DeleteService(handle);
        node = next;
    }
}

// Transport streams of the satellite that no service record uses: left in
// the table they would come back as transponders of the slot's next
// satellite.
void deleteUnusedTransportStreams(uint8_t satellite) {
    const uint32_t total = TBL_GetTsCount();
    LL_Node* node = TBL_GetTsInfoList();
    for (uint32_t i = 0; i < total && node != nullptr; ++i) {
        LL_Node* next = node->next;
        const TsInfo* ts = static_cast<const TsInfo*>(node->data);
        uint8_t kind = 0;
        uint16_t position = 0;
        if (ts->tp.satIndex == satellite &&
            TBL_FindSvcUsingTs(ts, &kind, &position) == DBERR_TABLE_NOT_FOUND)
            TBL_DeleteTsElement(ts);
        node = next;
    }
}

// Checks a row index against the satellite's edit list and reads the row.
DBERR readRow(uint8_t satellite, uint16_t index, TpRow* row) {
    if (const DBERR taken = takeEditListOf(satellite)) return taken;
    if (index >= editListRows()) return DBERR_BAD_LIST;
    return INT_SLM_GetNthTp(index, row);
}
} // namespace

SLM_RESULT SLM_DeleteSatellite(uint8_t satellite, const uint16_t* count) {
    if (count == nullptr) return DBERR_NULL_ARG;
    if (const DBERR taken = takeEditListOf(satellite)) return taken;

    // Row 0 each time: the row delete takes the row out of the list, so
    // every row comes first once.
    const uint16_t rows = editListRows();
    for (uint16_t i = 0; i < rows; ++i) {
        TpRow row{};
        if (INT_SLM_GetNthTp(0, &row) != DBERR_OK) break;
        deleteServicesOn(SLM_TpRowToKey(row, satellite), false);
        uint16_t rowCount = editListRows();
        if (INT_SLM_DeleteTp(&row, &rowCount) != DBERR_OK) break;
    }
    deleteServicesOfSatellite(satellite);
    deleteUnusedTransportStreams(satellite);

    const SLM_RESULT committed = SLM_CommitTpList(satellite);
    const SatInfo empty{};
    SN_SetSatInfo(satellite, &empty);
    return committed;
}

SLM_RESULT SLM_DeleteTp(uint8_t satellite, uint16_t row) {
    TpRow tpRow{};
    const DBERR read = readRow(satellite, row, &tpRow);
    if (read != DBERR_OK) return read;
    deleteServicesOn(SLM_TpRowToKey(tpRow, satellite), false);
    uint16_t rowCount = editListRows();
    INT_SLM_DeleteTp(&tpRow, &rowCount);
    return SLM_CommitTpList(satellite);
}

SLM_RESULT SLM_DeleteServiceOnTp(uint8_t satellite, uint16_t row) {
    TpRow tpRow{};
    const DBERR read = readRow(satellite, row, &tpRow);
    if (read != DBERR_OK) return read;
    return deleteServicesOn(SLM_TpRowToKey(tpRow, satellite), true) != 0 ? DBERR_OK
                                                                         : DBERR_NOT_FOUND;
}

SLM_RESULT SLM_SaveServiceOrder(uint32_t flag) {
    if (flag != 0) {
        SlmLockGuard lock;
        // Records before the cursor are placed; the cursor is the record now
        // at `position`.
        LL_Node* cursor = TBL_GetSvcInfoList();
        uint32_t position = 0;
        TBL_ForEachNode(INT_SLM_NumberOrderStart(g_MasterSvcList), [&](LL_Node* node) {
            const SvcHandle handle = SLM_NodeHandle(node);
            if (SLM_IsNullService(handle)) return true;
            if (position >= TBL_GetSvcCount()) return false; // every record is placed
            const SvcInfo* record = HT_Resolve(handle)->record;
            if (cursor != nullptr && cursor->data == record) {
                cursor = cursor->next; // already in place: no move
                ++position;
            } else if (cursor != nullptr) {
                TBL_MoveSvcInfo(record, position);
                // A record the table does not hold took no place.
                if (cursor->prev != nullptr && cursor->prev->data == record) ++position;
            }
            return true;
        });
    }
    return IDX_CommitAll();
}
