// What the flash image and the index state hold, kept aside so that an
// operation that fails part way can put it back byte for byte: the image,
// the slot states, the format table, the index tables of every record kind,
// the favourite table and the commit word. The commit keeps it before it
// rewrites the image; the document keeps it before it opens another image.
#pragma once

#include "favtable.h"
#include "indexblocks.h"
#include "wrapper.h"

struct IndexSnapshot {
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
    FavInfo favTable[FAV_CAPACITY];
    uint32_t commitWord;

    // Copies the live state in; cannot fail.
    void Take();
    // Copies it back over the live state; cannot fail.
    void Restore() const;
};

// A snapshot on the heap (about 700 KB), or null when there is no memory
// for it. Delete with delete.
IndexSnapshot* IDX_NewSnapshot();
