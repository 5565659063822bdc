#include "wrapper.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>

#include "dballoc.h"
#include "dberr.h"
#include "dbstate.h"

uint8_t g_FlashImage[FLASH_DB_SIZE];

namespace {
uint32_t g_DbSemId = 0;
WRAP_DebugSink g_debugSink = nullptr;
void* g_debugContext = nullptr;
char g_debugBuffer[1024];

void resetWrapper() {
    std::memset(g_FlashImage, 0, sizeof g_FlashImage);
    g_DbSemId = 0;
}
DB_ResetHook g_resetHook(resetWrapper);

bool isImageSector(uint32_t sector) {
    const uint32_t s = sector & 0xFFFFu;
    return s >= FLASH_FIRST_DB_SECTOR && s <= FLASH_LAST_SECTOR;
}
uint8_t* sectorBytes(uint32_t sector) {
    return g_FlashImage + (WRAP_SectorAddress(sector) - FLASH_DB_BASE);
}

// The part of [address, address + length) inside the window, as image offsets.
struct Overlap {
    uint64_t first, last; // [first, last) in the image; empty when first >= last
};
Overlap overlapOf(uint32_t address, uint32_t length) {
    const uint64_t begin = address, end = uint64_t{address} + length;
    const uint64_t lo = begin < FLASH_DB_BASE ? FLASH_DB_BASE : begin;
    const uint64_t hi = end > FLASH_DB_END ? FLASH_DB_END : end;
    return Overlap{lo - FLASH_DB_BASE, hi > lo ? hi - FLASH_DB_BASE : lo - FLASH_DB_BASE};
}

constexpr uint16_t crcEntry(uint16_t i) {
    uint16_t reg = i;
    for (int bit = 0; bit < 8; ++bit)
        reg = (reg & 1u) ? (reg >> 1) ^ 0xA001u : reg >> 1;
    return reg;
}
struct CrcTable {
    uint16_t values[256];
};
constexpr CrcTable makeCrcTable() {
    CrcTable t{};
    for (int i = 0; i < 256; ++i)
        t.values[i] = crcEntry(static_cast<uint16_t>(i));
    return t;
}
constexpr CrcTable kCrcTable = makeCrcTable();
static_assert(kCrcTable.values[1] == 0xC0C1 && kCrcTable.values[2] == 0xC181);
} // namespace

uint16_t WRAP_Crc16TableEntry(uint8_t index) {
    return kCrcTable.values[index];
}

uint32_t WRAP_SectorAddress(uint32_t sector) {
    const uint32_t s = sector & 0xFFFFu;
    if (s < 8) return 0xA0000000u + s * FLASH_SMALL_SECTOR_SIZE;
    return 0xA0010000u + (s - 8) * FLASH_SECTOR_SIZE;
}

bool WRAP_InWindow(uint32_t address, uint32_t length) {
    return address >= FLASH_DB_BASE && uint64_t{address} + length <= FLASH_DB_END;
}

void WRAP_FlashRead(uint32_t address, uint32_t length, void* buffer) {
    if (buffer == nullptr || length == 0) return;
    auto* out = static_cast<uint8_t*>(buffer);
    const Overlap o = overlapOf(address, length);
    if (o.first >= o.last) {
        std::memset(out, 0, length);
        return;
    }
    const uint64_t lead = o.first + FLASH_DB_BASE - address; // bytes before the window
    const uint64_t inside = o.last - o.first;
    std::memset(out, 0, lead);
    std::memcpy(out + lead, g_FlashImage + o.first, inside);
    std::memset(out + lead + inside, 0, length - lead - inside);
}

void WRAP_FlashWrite(uint32_t address, uint32_t length, const void* data) {
    if (data == nullptr || length == 0) return;
    const Overlap o = overlapOf(address, length);
    if (o.first >= o.last) return;
    const uint64_t lead = o.first + FLASH_DB_BASE - address;
    std::memcpy(g_FlashImage + o.first, static_cast<const uint8_t*>(data) + lead, o.last - o.first);
}

uint16_t WRAP_FlashReadChecked(void* buffer, uint32_t address, uint32_t length) {
    // The start address must lie inside the window even for an empty read.
    if (address >= FLASH_DB_END || !WRAP_InWindow(address, length)) {
        if (buffer != nullptr && length != 0) std::memset(buffer, 0, length);
        return DBERR_FLASH_RANGE;
    }
    WRAP_FlashRead(address, length, buffer);
    return 0;
}

uint32_t WRAP_CopySector(uint32_t source, uint32_t destination) {
    if (!isImageSector(source) || !isImageSector(destination)) return 0;
    std::memmove(sectorBytes(destination), sectorBytes(source), FLASH_SECTOR_SIZE);
    return 0;
}

uint32_t WRAP_EraseSector(uint32_t sector) {
    if (isImageSector(sector)) std::memset(sectorBytes(sector), 0xFF, FLASH_SECTOR_SIZE);
    return 0;
}

uint16_t WRAP_Crc16(const void* data, uint16_t length) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    uint16_t reg = 0;
    if (bytes == nullptr) return 0;
    for (uint16_t i = 0; i < length; ++i)
        reg = static_cast<uint16_t>(kCrcTable.values[(reg ^ bytes[i]) & 0xFFu] ^ (reg >> 8));
    return reg;
}

void WRAP_SelectionSort(void* base, uint32_t count, uint32_t elementSize, WRAP_Comparator cmp) {
    if (base == nullptr || cmp == nullptr || count < 2 || elementSize == 0) return;
    auto* temp = DB_NewArray<uint8_t>(elementSize);
    if (temp == nullptr) return;
    auto* elems = static_cast<uint8_t*>(base);
    auto at = [&](uint32_t i) { return elems + uint64_t{i} * elementSize; };
    for (uint32_t i = 0; i + 1 < count; ++i) {
        uint32_t m = i;
        for (uint32_t j = i + 1; j < count; ++j)
            if (cmp(at(j), at(m)) < 0) m = j;
        // Exchanged through the temporary also when m == i, as on the receiver.
        std::memcpy(temp, at(i), elementSize);
        std::memmove(at(i), at(m), elementSize);
        std::memcpy(at(m), temp, elementSize);
    }
    delete[] temp;
}

uint32_t WRAP_GetTunerType(uint32_t /*selector*/, uint32_t* out) {
    if (out != nullptr) *out = 0;
    return 0;
}

void WRAP_SetDebugSink(WRAP_DebugSink sink, void* context) {
    g_debugSink = sink;
    g_debugContext = context;
}

void WRAP_DebugPrint(int level, const char* format, ...) {
    if (g_debugSink == nullptr || format == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(g_debugBuffer, sizeof g_debugBuffer, format, args);
    va_end(args);
    g_debugSink(level, g_debugBuffer, g_debugContext);
}

uint32_t OS_SemCreate(uint32_t* /*semId*/) {
    return 0;
}
uint32_t OS_SemTake(uint32_t /*semId*/) {
    return 0;
}
uint32_t OS_SemGive(uint32_t /*semId*/) {
    return 0;
}
uint32_t OS_TaskSleep(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    return 0;
}

void DB_SetSemId(uint32_t id) {
    g_DbSemId = id;
}
uint32_t DB_GetSemId() {
    return g_DbSemId;
}
