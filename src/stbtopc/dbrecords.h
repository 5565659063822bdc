// The stored records of the channel database, byte for byte as the receiver
// keeps them in flash. Every multi-byte field is little-endian; the structs
// are plain fixed-width fields and move between memory and the image with
// memcpy only (see README.md in this folder).
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "records are copied to and from the flash image as little-endian bytes");

// Record kinds: the slot table and index section of each stored record type.
// Services have sectors of their own and no kind number.
enum RecordKind : uint8_t {
    KIND_TS = 6,
    KIND_TP = 7,
    KIND_PRV = 8,
    KIND_9 = 9,
    KIND_10 = 10,
    KIND_SAT = 11,
    KIND_FAV = 12,
};

constexpr uint32_t SVC_SLOTS_PER_SECTOR = 1024; // the last one is never handed out
constexpr uint32_t MAX_SERVICES = 6000;
constexpr uint32_t TS_CAPACITY = 1000;
constexpr uint32_t TP_CAPACITY = 800;
constexpr uint32_t PRV_CAPACITY = 500;
constexpr uint32_t KIND9_CAPACITY = 200;
constexpr uint32_t KIND10_CAPACITY = 200;
constexpr uint32_t SAT_CAPACITY = 64;
constexpr uint32_t FAV_CAPACITY = 16;

constexpr uint16_t PID_NONE = 0x2000; // one above the largest 13-bit PID
constexpr size_t SVC_NAME_LEN = 22;
constexpr size_t PRV_NAME_LEN = 20;
constexpr size_t SAT_NAME_LEN = 16;
constexpr size_t FAV_NAME_LEN = 20;
constexpr uint16_t FAV_MAX_ENTRIES = 200;

// Mask-and-shift access to flag words (no bit-fields: their layout is the
// compiler's choice, the flag words' layout is the receiver's).
constexpr uint32_t DB_BitMask(unsigned lo, unsigned width) {
    return (width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u)) << lo;
}
constexpr uint32_t DB_GetBits(uint32_t word, unsigned lo, unsigned width) {
    return (word & DB_BitMask(lo, width)) >> lo;
}
constexpr uint32_t DB_SetBits(uint32_t word, unsigned lo, unsigned width, uint32_t value) {
    return (word & ~DB_BitMask(lo, width)) | ((value << lo) & DB_BitMask(lo, width));
}

// SvcInfo, the 64-byte service record.
struct SvcInfo {
    uint32_t flags;             // 0: see SVCF_ below
    uint16_t casId[3];          // 4, 6, 8: CA system ids as broadcast, 0 none
    uint8_t reserved10[2];      // 10
    uint16_t extraPid;          // 12: set to PID_NONE whenever the PIDs are written
    uint16_t videoPid;          // 14
    uint16_t audioPid;          // 16
    uint16_t pcrPid;            // 18
    uint8_t reserved20[4];      // 20
    uint32_t flags2;            // 24: bit 8 video PID valid, bit 9 audio PID valid
    uint8_t reserved28[6];      // 28
    uint8_t name[SVC_NAME_LEN]; // 34: DVB text, not necessarily terminated
    uint32_t tsRef;             // 56: flash address of the TsInfo; in memory a TS reference id
    uint32_t prvRef; // 60: flash address of the PrvInfo (0 none); in memory a provider id
};
static_assert(sizeof(SvcInfo) == 64);
static_assert(offsetof(SvcInfo, casId) == 4 && offsetof(SvcInfo, extraPid) == 12);
static_assert(offsetof(SvcInfo, videoPid) == 14 && offsetof(SvcInfo, audioPid) == 16);
static_assert(offsetof(SvcInfo, pcrPid) == 18 && offsetof(SvcInfo, flags2) == 24);
static_assert(offsetof(SvcInfo, name) == 34 && offsetof(SvcInfo, tsRef) == 56);
static_assert(offsetof(SvcInfo, prvRef) == 60);

// SvcInfo.flags fields (lo, width).
constexpr unsigned SVCF_CLASS_LO = 14, SVCF_CLASS_W = 3; // 4 = data service (list 4)
constexpr unsigned SVCF_TYPE_LO = 17, SVCF_TYPE_W = 3;   // 0 TV, 1 radio, other: other kinds
constexpr uint32_t SVCF_LOCK = 1u << 20;
constexpr uint32_t SVCF_CREATED = 1u << 21; // set with bit 31 on creation and PID rewrite
constexpr uint32_t SVCF_RENAMED = 1u << 23; // a list edit gave the service a new name
constexpr uint32_t SVCF_HIDDEN = 1u << 25;  // copied into the handle as SVH_HIDDEN
constexpr uint32_t SVCF_WRITTEN = 1u << 31;
constexpr uint32_t SVC_CLASS_DATA = 4;
constexpr uint32_t SVC_TYPE_TV = 0;
constexpr uint32_t SVC_TYPE_RADIO = 1;
constexpr uint32_t SVC_TYPE_ANY = 6; // in queries only

// SvcInfo.flags2 bits.
constexpr uint32_t SVCF2_VIDEO_VALID = 1u << 8;
constexpr uint32_t SVCF2_AUDIO_VALID = 1u << 9;

// TpInfo, the 20-byte transponder key and record (kind 7).
struct TpInfo {
    uint32_t frequency;   // 0: MHz
    uint16_t symbolRate;  // 4: kS/s
    uint8_t modulation;   // 6: 0 DVB-S QPSK, 1 DVB-S2 QPSK, 2 DVB-S2 8PSK
    uint8_t polarisation; // 7: 0 horizontal, 1 vertical, 16 automatic
    uint8_t fec;          // 8: 0-25, 11 automatic
    uint8_t satIndex;     // 9: slot of g_SatTable
    uint8_t rowField;     // 10: low byte of TpRow offset 8
    uint8_t pilot;        // 11
    uint8_t reserved12[8];
};
static_assert(sizeof(TpInfo) == 20);
static_assert(offsetof(TpInfo, symbolRate) == 4 && offsetof(TpInfo, modulation) == 6);
static_assert(offsetof(TpInfo, polarisation) == 7 && offsetof(TpInfo, fec) == 8);
static_assert(offsetof(TpInfo, satIndex) == 9 && offsetof(TpInfo, rowField) == 10);
static_assert(offsetof(TpInfo, pilot) == 11 && offsetof(TpInfo, reserved12) == 12);

constexpr uint8_t POL_HORIZONTAL = 0, POL_VERTICAL = 1, POL_AUTO = 16;
constexpr uint8_t FEC_AUTO = 11;

// TsInfo, the 36-byte transport-stream record (kind 6).
struct TsInfo {
    uint16_t id1;   // 0: identity field, compared in TS equality
    uint16_t id2;   // 2: identity field, compared in TS equality
    uint32_t flags; // 4: bits 20-23 tuner selector
    TpInfo tp;      // 8: so the satellite index is record byte 17
    uint8_t reserved28[8];
};
static_assert(sizeof(TsInfo) == 36);
static_assert(offsetof(TsInfo, flags) == 4 && offsetof(TsInfo, tp) == 8);
static_assert(offsetof(TsInfo, tp) + offsetof(TpInfo, satIndex) == 17);
static_assert(offsetof(TsInfo, reserved28) == 28);
constexpr unsigned TSF_TUNER_LO = 20, TSF_TUNER_W = 4;

// TpRow, one entry of the transponder edit list (24 bytes, memory only).
struct DefaultTpRow {
    uint32_t frequency;   // 0: MHz
    uint32_t symbolRate;  // 4: kS/s
    uint16_t rowField;    // 8: low byte carried into TpInfo offset 10
    uint8_t polarisation; // 10
    uint8_t fec;          // 11
    uint8_t modulation;   // 12
    uint8_t pilot;        // 13
    uint8_t reserved14[2];
};
static_assert(sizeof(DefaultTpRow) == 16);
static_assert(offsetof(DefaultTpRow, rowField) == 8 && offsetof(DefaultTpRow, polarisation) == 10);
static_assert(offsetof(DefaultTpRow, fec) == 11 && offsetof(DefaultTpRow, modulation) == 12);
static_assert(offsetof(DefaultTpRow, pilot) == 13);

struct TpRow {
    uint32_t frequency;
    uint32_t symbolRate;
    uint16_t rowField;
    uint8_t polarisation;
    uint8_t fec;
    uint8_t modulation;
    uint8_t pilot;
    uint8_t reserved14[2];
    uint32_t zero16; // 16: always 0
    uint32_t state;  // 20: 1 stored or edited, 0 default row
};
static_assert(sizeof(TpRow) == 24);
static_assert(offsetof(TpRow, rowField) == 8 && offsetof(TpRow, polarisation) == 10);
static_assert(offsetof(TpRow, fec) == 11 && offsetof(TpRow, modulation) == 12);
static_assert(offsetof(TpRow, pilot) == 13 && offsetof(TpRow, zero16) == 16);
static_assert(offsetof(TpRow, state) == 20);

// A TpRow from a stored TpInfo or a factory DefaultTpRow, which carry the
// row's fields under the same names: frequency, symbol rate, the u16 at row
// offset 8, polarisation, FEC, modulation and pilot; the state given (1
// stored or edited, 0 default row); every other byte zero.
template <typename Source> constexpr TpRow DB_TpRowFrom(const Source& source, uint32_t state) {
    TpRow row{};
    row.frequency = source.frequency;
    row.symbolRate = source.symbolRate;
    row.rowField = source.rowField;
    row.polarisation = source.polarisation;
    row.fec = source.fec;
    row.modulation = source.modulation;
    row.pilot = source.pilot;
    row.state = state;
    return row;
}

// A TpRow as a TpInfo, field by field: frequency, symbol rate (low 16 bits),
// row offset 8 (low byte) into TpInfo offset 10, polarisation, FEC,
// modulation and pilot; the satellite index given; every other byte zero.
constexpr TpInfo DB_TpInfoFromRow(const TpRow& row, uint8_t satellite) {
    TpInfo tp{};
    tp.frequency = row.frequency;
    tp.symbolRate = static_cast<uint16_t>(row.symbolRate);
    tp.modulation = row.modulation;
    tp.polarisation = row.polarisation;
    tp.fec = row.fec;
    tp.satIndex = satellite;
    tp.rowField = static_cast<uint8_t>(row.rowField);
    tp.pilot = row.pilot;
    return tp;
}

// PrvInfo, the 20-byte provider record (kind 8): a zero-terminated name.
struct PrvInfo {
    char name[PRV_NAME_LEN];
};
static_assert(sizeof(PrvInfo) == 20);

// Kind-9 and kind-10 records: 24 bytes that nothing interprets.
struct Kind9Record {
    uint8_t bytes[24];
};
using Kind10Record = Kind9Record;
static_assert(sizeof(Kind9Record) == 24);

// SatInfo, the 28-byte satellite record (kind 11).
struct SatInfo {
    uint32_t lnb;    // 0: bits 0-23 LO kHz, 24 in use, 25 universal, 27 22 kHz, 28-31 DiSEqC
    uint32_t power;  // 4: bit 0 LNB power, bits 1-7 setting (16), bits 16-31 orbit (signed)
    uint32_t search; // 8: bit 0 network search, bit 1 FTA only, bits 2-3 PID filter
    char name[SAT_NAME_LEN]; // 12: zero-terminated
};
static_assert(sizeof(SatInfo) == 28 && offsetof(SatInfo, name) == 12);
constexpr unsigned SAT_LO_LO = 0, SAT_LO_W = 24;
constexpr uint32_t SAT_IN_USE = 1u << 24;
constexpr uint32_t SAT_UNIVERSAL = 1u << 25;
constexpr uint32_t SAT_TONE_22K = 1u << 27;
constexpr unsigned SAT_DISEQC_LO = 28, SAT_DISEQC_W = 4;
constexpr uint32_t SAT_LNB_POWER = 1u << 0;
constexpr unsigned SAT_SETTING_LO = 1, SAT_SETTING_W = 7;
constexpr unsigned SAT_ORBIT_LO = 16, SAT_ORBIT_W = 16;
constexpr uint32_t SAT_NET_SEARCH = 1u << 0;
constexpr uint32_t SAT_FTA_ONLY = 1u << 1;
constexpr unsigned SAT_PIDFILTER_LO = 2, SAT_PIDFILTER_W = 2;

// FavInfo, the 424-byte favourite group (kind 12).
struct FavInfo {
    uint16_t count; // 0: at most 200
    uint16_t reserved2;
    uint8_t name[FAV_NAME_LEN];        // 4: DVB text
    uint16_t entries[FAV_MAX_ENTRIES]; // 24: bits 3-15 number, bits 0-2 type
};
static_assert(sizeof(FavInfo) == 424 && offsetof(FavInfo, name) == 4);
static_assert(offsetof(FavInfo, entries) == 24);

// Record sizes by kind; 0 for a number that is no kind.
constexpr uint32_t DB_RecordSize(uint8_t kind) {
    switch (kind) {
    case KIND_TS:
        return sizeof(TsInfo);
    case KIND_TP:
        return sizeof(TpInfo);
    case KIND_PRV:
        return sizeof(PrvInfo);
    case KIND_9:
    case KIND_10:
        return sizeof(Kind9Record);
    case KIND_SAT:
        return sizeof(SatInfo);
    case KIND_FAV:
        return sizeof(FavInfo);
    default:
        return 0;
    }
}
constexpr uint32_t DB_KindCapacity(uint8_t kind) {
    switch (kind) {
    case KIND_TS:
        return TS_CAPACITY;
    case KIND_TP:
        return TP_CAPACITY;
    case KIND_PRV:
        return PRV_CAPACITY;
    case KIND_9:
        return KIND9_CAPACITY;
    case KIND_10:
        return KIND10_CAPACITY;
    case KIND_SAT:
        return SAT_CAPACITY;
    case KIND_FAV:
        return FAV_CAPACITY;
    default:
        return 0;
    }
}
