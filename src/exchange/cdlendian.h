// Big-endian fields of the channel-list container, shared by the record
// packing (cdlfile) and the in-memory reader and writer (cdlbytes).
#pragma once
#include <cstdint>

inline void CdlPutU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

inline void CdlPutU32(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

inline uint16_t CdlGetU16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] << 8 | in[1]);
}

inline uint32_t CdlGetU32(const uint8_t* in) {
    return uint32_t{in[0]} << 24 | uint32_t{in[1]} << 16 | uint32_t{in[2]} << 8 | in[3];
}
