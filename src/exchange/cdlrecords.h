// The records of the channel-list container (".cdl") and the CRC-32 that
// protects them: the record tags, the DLH header and PH data description with
// their body layout, packing and field accessors, and the container's sizes.
// The in-memory reader and writer (cdlbytes.h) and the file roads
// (cdlfile.h) are built over this header; it includes neither.
#pragma once
#include <cstddef>
#include <cstdint>

enum class CdlRecordTag : uint8_t { DLH = 0x11, PH = 0x22, DG = 0x33 };

constexpr size_t CDL_DLH_BODY_SIZE = 45;
constexpr size_t CDL_PH_BODY_SIZE = 32;
constexpr size_t CDL_TEXT_SIZE = 30;
constexpr uint32_t CDL_DATA_SIZE = 0xA0000;       // what the writer always writes
constexpr uint32_t CDL_BLOCK_SIZE = 0x8000;       // payload of a full DG record
constexpr uint32_t CDL_WORK_BUFFER_SIZE = 0x8004; // payload and CRC of one DG

// DLH body, in body order (45 bytes in the file).
struct DLH {
    uint8_t byte0;
    uint8_t byte1;
    uint8_t byte2;
    uint8_t byte3; // the writer puts 1 here
    uint8_t byte4;
    char text[CDL_TEXT_SIZE];
    uint8_t byte35;
    uint8_t byte36;
    uint32_t value37;
    uint32_t headerCrc; // CRC of body bytes 0-40
};

// PH body, in body order (32 bytes in the file).
struct PH {
    uint8_t version;
    uint8_t byte1;
    uint8_t byte2;
    uint8_t byte3;
    uint32_t dataSize;
    uint32_t value8;
    uint32_t dataCrc; // CRC of all data bytes; the reader does not check it
    uint32_t value16;
    uint32_t value20;
    uint16_t blockSize;
    uint16_t blockCount; // the reader uses only the low-order byte
    uint32_t headerCrc;  // CRC of body bytes 0-27
};

// CRC-32/MPEG-2 (polynomial 0x04C11DB7, not reflected, initial 0xFFFFFFFF,
// no final xor) of length bytes; its check value over "123456789" is
// 0x0376E6E7. Computed eight bytes at a time from tables (the values are
// those of the bit-by-bit form the receiver uses). Gives 0xFFFFFFFF for no
// bytes or a NULL pointer.
uint32_t CdlCrc32(const void* bytes, size_t length);

// Continues a CRC over the next bytes: CdlCrc32 of a stretch, updated with
// the bytes that follow, is CdlCrc32 of the whole. Gives crc unchanged for
// no bytes or a NULL pointer.
uint32_t CdlCrc32Update(uint32_t crc, const void* bytes, size_t length);

// Pack writes the body bytes of a record (multi-byte fields big-endian);
// unpack fills a record from body bytes. Each returns 0, or 1 without
// touching anything when a pointer is NULL.
int CdlPackDLH(const DLH* record, uint8_t* out);
int CdlUnpackDLH(DLH* record, const uint8_t* in);
int CdlPackPH(const PH* record, uint8_t* out);
int CdlUnpackPH(PH* record, const uint8_t* in);

// Field accessors. Each returns 0, or 1 without touching anything when a
// pointer is NULL. The text setter clears the 30 bytes and copies at most 30
// bytes of the text (up to its end); the text getter copies at most 30 bytes
// into out, which must hold 30 (no terminator is added to a full field).
int CdlSetDLHByte3(DLH* record, uint8_t value);
int CdlGetDLHByte3(const DLH* record, uint8_t* value);
int CdlSetDLHByte4(DLH* record, uint8_t value);
int CdlGetDLHByte4(const DLH* record, uint8_t* value);
int CdlSetDLHText(DLH* record, const char* text);
int CdlGetDLHText(const DLH* record, char* out);
int CdlSetDLHByte35(DLH* record, uint8_t value);
int CdlGetDLHByte35(const DLH* record, uint8_t* value);
int CdlSetDLHByte36(DLH* record, uint8_t value);
int CdlGetDLHByte36(const DLH* record, uint8_t* value);
int CdlSetDLHValue37(DLH* record, uint32_t value);
int CdlGetDLHValue37(const DLH* record, uint32_t* value);
int CdlSetDLHHeaderCrc(DLH* record, uint32_t value);
int CdlGetDLHHeaderCrc(const DLH* record, uint32_t* value);

int CdlSetPHVersion(PH* record, uint8_t value);
int CdlGetPHVersion(const PH* record, uint8_t* value);
int CdlSetPHByte1(PH* record, uint8_t value);
int CdlGetPHByte1(const PH* record, uint8_t* value);
int CdlSetPHByte2(PH* record, uint8_t value);
int CdlGetPHByte2(const PH* record, uint8_t* value);
int CdlSetPHByte3(PH* record, uint8_t value);
int CdlGetPHByte3(const PH* record, uint8_t* value);
int CdlSetPHDataSize(PH* record, uint32_t value);
int CdlGetPHDataSize(const PH* record, uint32_t* value);
int CdlSetPHValue8(PH* record, uint32_t value);
int CdlGetPHValue8(const PH* record, uint32_t* value);
int CdlSetPHDataCrc(PH* record, uint32_t value);
int CdlGetPHDataCrc(const PH* record, uint32_t* value);
int CdlSetPHValue16(PH* record, uint32_t value);
int CdlGetPHValue16(const PH* record, uint32_t* value);
int CdlSetPHValue20(PH* record, uint32_t value);
int CdlGetPHValue20(const PH* record, uint32_t* value);
int CdlSetPHBlockSize(PH* record, uint16_t value);
int CdlGetPHBlockSize(const PH* record, uint16_t* value);
int CdlSetPHBlockCount(PH* record, uint16_t value);
int CdlGetPHBlockCount(const PH* record, uint16_t* value);
int CdlSetPHHeaderCrc(PH* record, uint32_t value);
int CdlGetPHHeaderCrc(const PH* record, uint32_t* value);
