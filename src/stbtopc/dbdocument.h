// The document's road through the database: the only calls the editor's
// document makes for the life of a channel list. Bytes in, bytes out; the
// files ("Default.dat", "data.tmp", the ".cdl" container) are the editor's.
//
// Each call is all or nothing: when it fails, the flash image keeps its
// bytes and the list that was open stays open as it was, or none stays open
// when none was; never half of either. (One exception, below: memory that
// runs out part way through a load.)
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "dberr.h"

// Size of a flash image: what an open takes and a save gives.
constexpr size_t DB_IMAGE_SIZE = 0xA0000;

// Sets the flash map up for the document (six service sectors) with no list
// open. Returns 0; nothing can fail.
DBERR DB_DocumentInit();

// Opens an image: the bytes (the first DB_IMAGE_SIZE of them; a shorter
// image is filled up with 0x00, as a short file is read) become the flash
// image, its index banks are checked (a damaged bank is repaired from the
// other), the database is loaded and region 0 is selected. *outCount (when
// given) gets the number of services. Failures: DBERR_NULL_OBJECT without
// bytes, DBERR_NOT_A_DATABASE when neither bank is usable, DBERR_NO_MEMORY
// when there was no memory to keep the state aside; each changes nothing,
// the list that was open stays open with its unsaved changes.
// DBERR_NO_MEMORY part way through the load: the load has already dropped
// the open list, so the image it came from is loaded again (the list as last
// saved) or, when memory does not allow even that, no list stays open; the
// image keeps its bytes in both cases.
DBERR DB_OpenImage(const uint8_t* bytes, size_t size, uint16_t* outCount = nullptr);

// A new list: the template image's bytes ("Default.dat") opened as DB_OpenImage
// opens an image, with its results.
DBERR DB_NewFromTemplate(const uint8_t* bytes, size_t size, uint16_t* outCount = nullptr);

// Checks and loads the image as it is in memory again (after an upload the
// editor reloads the list from it): DB_OpenImage over the image's own bytes,
// with its results. Changes made since the last save are dropped.
DBERR DB_ReopenImage(uint16_t* outCount = nullptr);

// Saves the open list: the all-or-nothing commit of every table into the
// flash image, then a copy of the whole image into out (outSize at least
// DB_IMAGE_SIZE bytes). Failure leaves the image, the lists and out as they
// were: DBERR_NULL_ARG without out; DBERR_TABLE_INDEX when out is too small;
// otherwise the commit's code.
DBERR DB_SaveImage(uint8_t* out, size_t outSize);

// Closes the list: the index tables are cleared, every table and list is
// freed (a list edit with it) and the flash image is zero-filled. Cannot
// fail; closing with no list open does the same.
void DB_CloseImage();

// The count of changes made to the open list through the public operations
// since the program started (a service added, edited, deleted or moved, a
// transponder list committed, a satellite or a favourite group edited; an
// edit that stores what was there already counts none). Opens, saves,
// commits and closes count none: the editor remembers the count at its last
// save and compares.
uint32_t DB_GetChangeCount();
// Called after every change counted above (the editor marks its caption);
// an empty function sets none. Kept across resets and closes.
void DB_SetChangeHook(std::function<void()> hook);
