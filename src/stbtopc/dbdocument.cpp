#include "dbdocument.h"

#include <cstring>
#include <memory>
#include <utility>

#include "dbload.h"
#include "dbstate.h"
#include "flashstore.h"
#include "indexbank.h"
#include "indexcommit.h"
#include "indexsnapshot.h"
#include "indextable.h"
#include "satnet.h"
#include "tables.h"
#include "wrapper.h"

static_assert(DB_IMAGE_SIZE == FLASH_DB_SIZE, "an image is the whole flash window");

DBERR DB_DocumentInit() {
    DB_InitFlashMap(DB_MAX_SVC_SECTORS);
    return DBERR_OK;
}

DBERR DB_OpenImage(const uint8_t* bytes, size_t size, uint16_t* outCount) {
    const DB_QuietChanges quiet;
    if (outCount != nullptr) *outCount = 0;
    if (bytes == nullptr) return DBERR_NULL_OBJECT;
    // The open list lives in the tables and lists until the load replaces
    // them, so only the image and the index state need keeping: a bank
    // check that fails leaves the tables untouched.
    std::unique_ptr<IndexSnapshot> before(IDX_NewSnapshot());
    if (before == nullptr) return DBERR_NO_MEMORY;
    before->Take();

    // The bytes may be the image itself (a reopen): move, then zero the rest.
    const size_t taken = size < FLASH_DB_SIZE ? size : FLASH_DB_SIZE;
    std::memmove(g_FlashImage, bytes, taken);
    std::memset(g_FlashImage + taken, 0, FLASH_DB_SIZE - taken);
    if (SLM_LoadIndex() != 0) {
        before->Restore();
        return DBERR_NOT_A_DATABASE;
    }
    uint16_t count = 0;
    const DBERR loaded = SLM_LoadDatabase(&count);
    if (loaded != DBERR_OK) {
        // The load dropped what it built and the list that was open with it;
        // the image that belongs to that list comes back, and so does the
        // list, as far as memory allows (its last saved state).
        before->Restore();
        if (SLM_LoadIndex() != 0 || SLM_LoadDatabase(&count) != DBERR_OK) {
            before->Restore(); // the image's bytes, with no list open
            IDX_ClearTable(IDX_TABLE_ALL);
            TBL_FreeAll();
        } else {
            before->Restore(); // the bank check may have repaired a bank
        }
        return loaded;
    }
    SN_SetRegionId(0);
    if (outCount != nullptr) *outCount = count;
    return DBERR_OK;
}

DBERR DB_NewFromTemplate(const uint8_t* bytes, size_t size, uint16_t* outCount) {
    const DB_QuietChanges quiet;
    return DB_OpenImage(bytes, size, outCount);
}

DBERR DB_ReopenImage(uint16_t* outCount) {
    const DB_QuietChanges quiet;
    return DB_OpenImage(g_FlashImage, FLASH_DB_SIZE, outCount);
}

DBERR DB_SaveImage(uint8_t* out, size_t outSize) {
    const DB_QuietChanges quiet;
    if (out == nullptr) return DBERR_NULL_ARG;
    if (outSize < FLASH_DB_SIZE) return DBERR_TABLE_INDEX;
    if (const DBERR committed = IDX_CommitAll()) return committed;
    std::memcpy(out, g_FlashImage, FLASH_DB_SIZE);
    return DBERR_OK;
}

void DB_CloseImage() {
    const DB_QuietChanges quiet;
    IDX_ClearTable(IDX_TABLE_ALL);
    TBL_FreeAll();
    std::memset(g_FlashImage, 0, FLASH_DB_SIZE);
}

uint32_t DB_GetChangeCount() {
    return DB_ChangeCount();
}

void DB_SetChangeHook(std::function<void()> hook) {
    DB_SetChangeHookFn(std::move(hook));
}
