#include "indexcommit.h"

#include <memory>

#include "favtable.h"
#include "flashstore.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "indexsnapshot.h"
#include "indextable.h"
#include "tablesave.h"
#include "wrapper.h"

namespace {
IDX_CommitStep* g_firstCommitStep = nullptr; // constant-initialised: static steps find it

// The first failure of the registered steps; every step runs.
DBERR runCommitSteps() {
    DBERR first = DBERR_OK;
    for (const IDX_CommitStep* step = g_firstCommitStep; step != nullptr; step = step->next) {
        const DBERR result = step->fn();
        if (first == DBERR_OK) first = result;
    }
    return first;
}
} // namespace

IDX_CommitStep::IDX_CommitStep(IDX_CommitStepFn stepFn) : fn(stepFn), next(nullptr) {
    if (fn == nullptr) return;
    next = g_firstCommitStep;
    g_firstCommitStep = this;
}

DBERR IDX_WriteAll() {
    if (const DBERR result = TBL_SaveTpInfos()) return result;
    // The maps free themselves on every way out.
    TBL_AddressMap prvMap, tsMap;
    if (const DBERR result = TBL_SavePrvInfos(&prvMap)) return result;
    if (const DBERR result = TBL_SaveTsInfos(&tsMap)) return result;
    if (const DBERR result = TBL_SaveSvcInfos(&prvMap, &tsMap)) return result;
    if (const DBERR result = SN_SaveSatTable()) return result;
    return TBL_SaveFavTable();
}

DBERR IDX_CommitAll() {
    std::unique_ptr<IndexSnapshot> before(IDX_NewSnapshot());
    if (before == nullptr) return DBERR_NO_MEMORY;
    before->Take();

    // Groups take the numbers of the service table about to be written.
    DBERR result = runCommitSteps();
    if (result == DBERR_OK) {
        IDX_ClearTable(IDX_TABLE_ALL);
        DB_FormatAll();
        result = IDX_WriteAll();
    }
    // The bank functions answer 1 for a failure; pass on a DBERR code.
    if (result == DBERR_OK && DB_SaveIndexBankLocked() != 0) result = DBERR_TABLE_INDEX;
    if (result != DBERR_OK) {
        before->Restore();
        return result;
    }
    IDX_SetCommitWord(0);
    return DBERR_OK;
}

DBERR IDX_FormatAndReload() {
    IDX_ClearTable(IDX_TABLE_ALL);
    DB_FormatAll();
    DB_SaveIndexBank();
    DB_LoadIndexBank(IDXBANK_MODE_CHECK);
    return DBERR_OK;
}
