#include "indexcommit.h"

#include <cstring>
#include <memory>
#include <new>

#include "favourites.h"
#include "favtable.h"
#include "flashstore.h"
#include "indexbank.h"
#include "indexblocks.h"
#include "indextable.h"
#include "tablesave.h"
#include "wrapper.h"

namespace {

// Everything a commit changes, kept aside so that a failure can put it back.
struct CommitSnapshot {
    uint8_t image[FLASH_DB_SIZE];
    SlotStateArea slotStates;
    FormatTable formatTable;
    SvcIndexTable svc;
    PrvIndexTable prv;
    Kind9IndexTable kind9;
    Kind10IndexTable kind10;
    TsIndexTable ts;
    TpIndexTable tp;
    SatIndexTable sat;
    FavIndexTable fav;
    FavInfo favTable[FAV_CAPACITY]; // the groups are stored from their lists first
    uint32_t commitWord;

    void Take() {
        std::memcpy(image, g_FlashImage, sizeof image);
        slotStates = g_SlotStateArea;
        formatTable = g_FormatTable;
        svc = g_SvcIndex;
        prv = g_PrvIndex;
        kind9 = g_Kind9Index;
        kind10 = g_Kind10Index;
        ts = g_TsIndex;
        tp = g_TpIndex;
        sat = g_SatIndex;
        fav = g_FavIndex;
        std::memcpy(favTable, g_FavTable, sizeof favTable);
        commitWord = IDX_GetCommitWord();
    }

    void Restore() const {
        std::memcpy(g_FlashImage, image, sizeof image);
        g_SlotStateArea = slotStates;
        g_FormatTable = formatTable;
        g_SvcIndex = svc;
        g_PrvIndex = prv;
        g_Kind9Index = kind9;
        g_Kind10Index = kind10;
        g_TsIndex = ts;
        g_TpIndex = tp;
        g_SatIndex = sat;
        g_FavIndex = fav;
        std::memcpy(g_FavTable, favTable, sizeof favTable);
        IDX_SetCommitWord(commitWord);
    }
};

} // namespace

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
    std::unique_ptr<CommitSnapshot> before(new (std::nothrow) CommitSnapshot);
    if (before == nullptr) return DBERR_NO_MEMORY;
    before->Take();

    // Groups take the numbers of the service table about to be written.
    DBERR result = INT_SLM_StoreBuiltFavGroups();
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
