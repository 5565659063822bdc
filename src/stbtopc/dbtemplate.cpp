#include "dbtemplate.h"

#include <cstring>

#include "flashstore.h"
#include "indexblocks.h"
#include "indexcommit.h"
#include "indextable.h"
#include "tables.h"
#include "wrapper.h"

DBERR DB_MakeEmptyImage() {
    std::memset(g_FlashImage, 0xFF, FLASH_DB_SIZE);
    if (const DBERR result = DB_InitFlashMap(DB_MAX_SVC_SECTORS)) return result;
    IDX_ClearTable(IDX_TABLE_ALL);
    TBL_FreeAll();
    // The bank saves the whole slot-state area and format table, also the
    // parts of sectors the map does not use: those start from zero.
    std::memset(&g_SlotStateArea, 0, sizeof g_SlotStateArea);
    std::memset(&g_FormatTable, 0, sizeof g_FormatTable);
    IDX_SetCommitWord(0);
    return IDX_CommitAll();
}
