// The factory transponder tables.
#include <gtest/gtest.h>

#include <vector>

#include "defaulttps.h"

namespace {

struct Expected {
    uint32_t frequency, symbolRate;
    uint8_t polarisation, fec, modulation, pilot;
};

struct TellingCase {
    uint32_t satId;
    std::vector<Expected> rows; // the table's first rows, in order
};

TEST(DefaultTpTables, HoldTheKnownTranspondersInOrder) {
    const TellingCase cases[] = {
        {0, {{3791, 3100, 0, 2, 0, 0}, {3793, 10390, 1, 11, 0, 0}}},
        {7, {{12060, 30000, 1, 4, 0, 0}}},
        {20, {{11361, 22000, 0, 21, 2, 1}, {11914, 27500, 0, 19, 1, 0}}},
        {22, {{10714, 22000, 0, 1, 0, 0}, {10729, 22000, 1, 1, 0, 0}}},
    };
    for (const TellingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "satellite id " << c.satId);
        const DefaultTpTable table = DTP_GetTable(c.satId);
        ASSERT_NE(table.rows, nullptr);
        ASSERT_GE(table.count, c.rows.size());
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const DefaultTpRow& row = table.rows[i];
            const Expected& e = c.rows[i];
            EXPECT_EQ(row.frequency, e.frequency);
            EXPECT_EQ(row.symbolRate, e.symbolRate);
            EXPECT_EQ(row.polarisation, e.polarisation);
            EXPECT_EQ(row.fec, e.fec);
            EXPECT_EQ(row.modulation, e.modulation);
            EXPECT_EQ(row.pilot, e.pilot);
        }
    }
    // Satellite 7 has exactly one transponder.
    EXPECT_EQ(DTP_GetTable(7).count, 1);
}

TEST(DefaultTpTables, EveryRowIsSortedAndInsideItsFieldDomains) {
    for (uint32_t id = 0; id < DTP_NUM_SAT_IDS; ++id) {
        SCOPED_TRACE(testing::Message() << "satellite id " << id);
        const DefaultTpTable table = DTP_GetTable(id);
        EXPECT_EQ(table.rows == nullptr, table.count == 0);
        for (uint16_t i = 0; i < table.count; ++i) {
            const DefaultTpRow& row = table.rows[i];
            EXPECT_GT(row.frequency, 0u);
            EXPECT_GT(row.symbolRate, 0u);
            EXPECT_LE(row.symbolRate, 0xFFFFu); // TpInfo keeps 16 bits
            EXPECT_EQ(row.rowField, 0);
            EXPECT_LE(row.polarisation, 1);
            EXPECT_LE(row.fec, 25);
            EXPECT_LE(row.modulation, 2);
            EXPECT_LE(row.pilot, 1);
            EXPECT_EQ(row.reserved14[0], 0);
            EXPECT_EQ(row.reserved14[1], 0);
            if (i > 0) {
                EXPECT_LE(table.rows[i - 1].frequency, row.frequency);
            }
        }
    }
}

TEST(DefaultTpTables, Id35SharesTheTableOfId22AndHighIdsHaveNone) {
    const DefaultTpTable of22 = DTP_GetTable(22);
    const DefaultTpTable of35 = DTP_GetTable(35);
    EXPECT_EQ(of35.rows, of22.rows);
    EXPECT_EQ(of35.count, of22.count);
    for (uint32_t id : {115u, 200u, 255u, 0xFFFFFFFFu}) {
        const DefaultTpTable table = DTP_GetTable(id);
        EXPECT_EQ(table.rows, nullptr) << id;
        EXPECT_EQ(table.count, 0) << id;
    }
}

} // namespace
