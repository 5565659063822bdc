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
        forEachBlock([](void* kept, void* live, size_t size) { std::memcpy(kept, live, size); });
        commitWord = IDX_GetCommitWord();
    }

    void Restore() {
        forEachBlock([](void* kept, void* live, size_t size) { std::memcpy(live, kept, size); });
        IDX_SetCommitWord(commitWord);
    }

  private:
    // Each kept copy with the program-wide block it keeps: one list for both
    // directions, so nothing is kept that is not put back.
    template <typename Copy> void forEachBlock(Copy copy) {
        copy(image, g_FlashImage, sizeof image);
        copy(&slotStates, &g_SlotStateArea, sizeof slotStates);
        copy(&formatTable, &g_FormatTable, sizeof formatTable);
        copy(&svc, &g_SvcIndex, sizeof svc);
        copy(&prv, &g_PrvIndex, sizeof prv);
        copy(&kind9, &g_Kind9Index, sizeof kind9);
        copy(&kind10, &g_Kind10Index, sizeof kind10);
        copy(&ts, &g_TsIndex, sizeof ts);
        copy(&tp, &g_TpIndex, sizeof tp);
        copy(&sat, &g_SatIndex, sizeof sat);
        copy(&fav, &g_FavIndex, sizeof fav);
        copy(favTable, g_FavTable, sizeof favTable);
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
