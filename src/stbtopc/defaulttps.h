// The factory transponder tables: one constant table of DefaultTpRow per
// satellite id (0 to 114), rows in ascending frequency. The rows live in
// defaulttps.cpp as plain data; a satellite whose transponders are not known
// has an empty table, which every user treats as "no defaults".
#pragma once
#include <cstdint>

#include "dbrecords.h"

constexpr uint32_t DTP_NUM_SAT_IDS = 115; // satellite ids 0 to 114

struct DefaultTpTable {
    const DefaultTpRow* rows; // null when the table is empty
    uint16_t count;
};

// The default table of a satellite id. Ids above 114 and ids without known
// transponders give {nullptr, 0}. Satellite id 35 shares the table of id 22.
DefaultTpTable DTP_GetTable(uint32_t satId);
