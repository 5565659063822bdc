#include "tables.h"

void TBL_FreeAll() {
    TBL_FreeSvcList();
    TBL_FreeTsList();
    TBL_FreePrvList();
    TBL_FreeTpList();
    DB_RunFreeHooks();
    SN_ClearSatTable();
    TBL_ClearFavTable();
}
