// The index bank: the database's table of contents in flash. It saves the
// ten blocks of indexblocks.h, each with a CRC-16 checksum, in two copies:
// the primary bank in sector 133 and the backup bank in sector 134.
//
// Bank layout, offsets from the start of the bank's sector (little-endian;
// bytes 0x0000-0x3FFF of the sector are not used):
//   0x4000  magic 0x20080730
//   0x4004  ten u16 checksums, section k at 0x4004 + 2k:
//           CRC-16/ARC of the section's bytes plus 0x5A5A
//   0x4018  sections 0-9, back to back, in the order of indexblocks.h
//   0xD652  end of the bank
//
// Loading reads sections straight into the blocks (a check also loads);
// saving writes the primary from the blocks and copies it to the backup.
#pragma once
#include <cstdint>

#include "slmload.h"

constexpr uint32_t IDXBANK_MAGIC = 0x20080730u;
constexpr uint32_t IDXBANK_OFFSET = 0x4000;          // magic
constexpr uint32_t IDXBANK_CHECKSUM_OFFSET = 0x4004; // ten u16
constexpr uint32_t IDXBANK_FIRST_SECTION_OFFSET = 0x4018;
constexpr uint32_t IDXBANK_END_OFFSET = 0xD652;
constexpr uint32_t IDXBANK_SECTION_COUNT = 10;
constexpr uint16_t IDXBANK_CHECKSUM_ADD = 0x5A5A;

constexpr uint8_t IDXBANK_MODE_CHECK = 1; // stop at the first good bank
constexpr uint8_t IDXBANK_MODE_LOAD = 2;  // read both, repair the bad one

// Offset of section k from the start of the bank's sector, and its size.
uint32_t DB_BankSectionOffset(uint32_t section);
uint32_t DB_BankSectionSize(uint32_t section);

// Reads the banks, backup first, into the blocks. A bank is good when its
// magic is right, every section matches its checksum, every index section's
// count is within its capacity, and the first slot states of kinds 6, 8, 9
// and 10 are set. A good bank whose service-sector byte is neither 1 nor 2
// (for a sector of the map) leaves the slot-state area zeroed.
// Mode 1 returns 0 at the first good bank. Mode 2 reads both; when only one
// is good, its sector is copied over the other and the blocks hold its
// content. Returns 0 when a good bank was found, 1 when neither is usable
// (then every block is zero) or the mode is neither 1 nor 2 (nothing changes).
uint16_t DB_LoadIndexBank(uint8_t mode);

// SLM_LoadIndex (slmload.h) is DB_LoadIndexBank with mode 2.

// Writes the primary bank from the blocks and copies it to the backup. When
// every service sector of the map is marked full, all of them are marked
// open again first (their slot states stay). Returns 0.
uint16_t DB_SaveIndexBank();

// DB_SaveIndexBank under the database semaphore.
uint16_t DB_SaveIndexBankLocked();
