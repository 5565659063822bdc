// The channel-list container in memory: the reader's checks and the writer's
// layout over byte buffers, with no file and no message. The file reader and
// writer (CdlDecodeFile, CdlEncodeFile in cdlfile.h) are thin wrappers over
// these two, and the editor's own file commands call them directly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "cdlrecords.h"

// How a record failed the reader's checks.
enum class CdlFault : uint8_t {
    None,        // every check passed
    WrongTag,    // the record does not begin with its tag
    CutShort,    // the container ends inside the record
    BadLength,   // a length the reader cannot take: below 4 (no room for the
                 // CRC), or a DG above CDL_WORK_BUFFER_SIZE
    NoBlocks,    // the PH announces no DG record (the low-order byte of its
                 // block count is 0)
    CrcMismatch, // the CRC stored in the record is not that of its bytes
    NoMemory,    // the image could not be allocated; nothing was checked
};

// The outcome of a decode. For a failed check, `record` names the record that
// failed (a PH announcing no block counts as a failed DG, as its message
// says) and `block` the index of a failed DG record; both are 0-valued
// (DLH, 0) when the check passed or memory ran out.
struct CdlCheck {
    CdlFault fault = CdlFault::None;
    CdlRecordTag record = CdlRecordTag::DLH;
    uint32_t block = 0;

    bool Passed() const { return fault == CdlFault::None; }
    friend bool operator==(const CdlCheck&, const CdlCheck&) = default;
};

// The records the writer wrote last.
extern DLH g_DlhRecord;
extern PH g_PhRecord;

// Most bytes the reader can consume: a DLH and a PH of 255 body bytes and 255
// DG records of the largest length. Bytes beyond are never looked at.
constexpr size_t CDL_MAX_CONTAINER_SIZE = (2 + 255) + (2 + 255) + 255 * (3 + CDL_WORK_BUFFER_SIZE);

// Checks the container of `size` bytes at `container`, in the reader's order
// (DLH tag and CRC, PH tag and CRC, block count, then each DG's tag, length
// and CRC), and puts the payloads of its DG records, in order, into `image`,
// which is cleared first. Stops at the first failed check and gives it;
// `image` then holds the payloads of the blocks that passed (none when the
// DLH or PH failed). Fields the reader does not interpret and bytes after
// the last block are not checked. A NULL container reads as no bytes. When
// memory for the image runs out it gives CdlFault::NoMemory with `image`
// empty. Throws nothing.
CdlCheck CdlDecodeBytes(const uint8_t* container, size_t size, std::vector<uint8_t>& image);

// The reader's message for a failed check, such as
// "File open Error(DG_CRC_ERROR)"; NULL when the check passed or memory ran
// out (neither is shown to the user as a damaged file).
const char* CdlCheckMessage(const CdlCheck& check);

// Wraps an image into a container laid out as the writer lays it out: always
// CDL_DATA_SIZE data bytes, the first `size` bytes of `image` (a shorter
// image is padded with 0xFF, as erased flash would be; a longer one is cut),
// in DG records of CDL_BLOCK_SIZE. Sets g_DlhRecord and g_PhRecord to the
// records written. Returns 0; or 1, with `container` empty and the two
// records as they were, when `image` is NULL with a nonzero size or memory
// runs out. Throws nothing.
int CdlEncodeBytes(const uint8_t* image, size_t size, std::vector<uint8_t>& container);
