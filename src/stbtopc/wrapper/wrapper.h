// The PC side of the receiver's services: operating-system stubs, the flash
// image with its sector operations, CRC-16, a selection sort, value makers,
// the tuner type and the debug print.
#pragma once
#include <cstdint>

// ---- Flash image ---------------------------------------------------------
constexpr uint32_t FLASH_DB_BASE = 0xA0760000u;
constexpr uint32_t FLASH_DB_SIZE = 0xA0000u;
constexpr uint32_t FLASH_DB_END = FLASH_DB_BASE + FLASH_DB_SIZE; // exclusive
constexpr uint32_t FLASH_SECTOR_SIZE = 0x10000u;
constexpr uint32_t FLASH_SMALL_SECTOR_SIZE = 0x2000u;
constexpr uint16_t FLASH_FIRST_DB_SECTOR = 125;
constexpr uint16_t FLASH_LAST_SECTOR = 134;

extern uint8_t g_FlashImage[FLASH_DB_SIZE];

// Receiver address of a sector (low 16 bits of the argument): sectors 0-7 are
// 8 KB at 0xA0000000, sectors 8 and above 64 KB from 0xA0010000.
uint32_t WRAP_SectorAddress(uint32_t sector);

// True when [address, address + length) lies inside the image window.
bool WRAP_InWindow(uint32_t address, uint32_t length);

// Copies length bytes from a receiver address into buffer. Bytes outside the
// window are never touched in the image; the buffer gets 0 for them.
void WRAP_FlashRead(uint32_t address, uint32_t length, void* buffer);

// Copies length bytes to a receiver address. Bytes that would fall outside
// the window are dropped; the emulated flash accepts any bytes.
void WRAP_FlashWrite(uint32_t address, uint32_t length, const void* data);

// Reads as WRAP_FlashRead and returns 0 when the start address and the whole
// range lie inside the window; otherwise (an empty read at the window's end
// included) fills length bytes of buffer with 0 and returns DBERR_FLASH_RANGE.
uint16_t WRAP_FlashReadChecked(void* buffer, uint32_t address, uint32_t length);

// Copies a whole 64 KB sector over another. Only sectors 125-134 (the image)
// take part; any other number changes nothing. Returns 0 in every case.
uint32_t WRAP_CopySector(uint32_t source, uint32_t destination);

// Fills a sector with 0xFF. Only sectors 125-134 take part. Returns 0.
uint32_t WRAP_EraseSector(uint32_t sector);

// ---- Checksum, sort, value makers ----------------------------------------
// Entry i of the CRC-16/ARC table: the register after eight reflected steps
// with polynomial 0xA001 starting from i.
uint16_t WRAP_Crc16TableEntry(uint8_t index);

// CRC-16/ARC (reflected 0xA001, init 0, no final xor) over length bytes.
uint16_t WRAP_Crc16(const void* data, uint16_t length);

// Comparator of the library: negative when a is less than b, 0 equal,
// positive greater. Consumers test the sign only.
using WRAP_Comparator = int (*)(const void* a, const void* b);

// The receiver's selection sort, exactly (not stable: among equal elements
// the first one found stays the minimum). Leaves the array as it is when the
// element-sized temporary cannot be had.
void WRAP_SelectionSort(void* base, uint32_t count, uint32_t elementSize, WRAP_Comparator cmp);

constexpr uint16_t WRAP_MakeU16(uint32_t high, uint32_t low) {
    return static_cast<uint16_t>(((high & 0xFFu) << 8) | (low & 0xFFu));
}
constexpr uint32_t WRAP_MakeU32(uint32_t high, uint32_t low) {
    return (high << 16) | (low & 0xFFFFu);
}

// Tuner type of a tuner selector: always 0 on the PC. Returns 0.
uint32_t WRAP_GetTunerType(uint32_t selector, uint32_t* out);

// ---- Debug print ---------------------------------------------------------
constexpr int WRAP_DBG_INFO = 0;
constexpr int WRAP_DBG_ERROR = 1;

// Where debug lines go. Silent by default; text is the formatted line as the
// format made it, its line feed included when the format ends with one (the
// library's formats do, as the receiver's did).
using WRAP_DebugSink = void (*)(int level, const char* text, void* context);
void WRAP_SetDebugSink(WRAP_DebugSink sink, void* context);

// Formats printf-style into one program-wide buffer (text past 1023 bytes is
// cut) and hands it to the sink.
void WRAP_DebugPrint(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

// ---- Operating-system stubs ----------------------------------------------
uint32_t OS_SemCreate(uint32_t* semId);
uint32_t OS_SemTake(uint32_t semId);
uint32_t OS_SemGive(uint32_t semId);
uint32_t OS_TaskSleep(uint32_t milliseconds);

void DB_SetSemId(uint32_t id);
uint32_t DB_GetSemId();
