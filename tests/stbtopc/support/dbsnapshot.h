// Test-only: what a loaded database holds, by content and not by address,
// so that two loads can be compared: the master list (number, type, record
// bytes 0-55, the contents of its TS and provider), the name order, the
// TS, TP and provider tables, the satellite and favourite tables.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dbrecords.h"

struct LoadedService {
    uint32_t number = 0;
    uint32_t type = 0;
    std::vector<uint8_t> record; // bytes 0-55
    std::vector<uint8_t> ts;     // the TsInfo's 36 bytes, empty when it does not resolve
    std::vector<uint8_t> prv;    // the PrvInfo's 20 bytes, empty for none
    bool operator==(const LoadedService&) const = default;
};

struct DbSnapshot {
    std::vector<LoadedService> master;
    std::vector<std::vector<uint8_t>> nameOrder; // record bytes 0-55 in name order
    std::vector<std::vector<uint8_t>> ts, tp, prv;
    std::vector<uint8_t> sats, favs;
    bool operator==(const DbSnapshot&) const = default;
};

DbSnapshot TakeDbSnapshot();

// (number, type) of the master list in order, and the names of the name list
// in order (name field up to its first zero).
std::vector<std::pair<uint32_t, uint32_t>> MasterNumbers();
std::vector<std::string> NameOrder();
