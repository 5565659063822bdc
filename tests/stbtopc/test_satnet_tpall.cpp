// The transponders of a satellite slot: default rows merged with the
// transponders of the stored transport streams.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dballoc.h"
#include "dberr.h"
#include "dbtest.h"
#include "satnet.h"
#include "tablecopy.h"
#include "tablefixtures.h"
#include "tstable.h"

namespace {

using fixtures::Tp;

// What a test expects of one node.
struct Want {
    uint32_t frequency;
    uint32_t symbolRate;
    uint8_t polarisation;
    uint8_t fec;
    uint8_t modulation = 0;
    uint8_t pilot = 0;
};

// The default rows of satellite 22 (slot 2 of region 0) and satellite 7
// (slot 7 of region 3).
const Want k10714{10714, 22000, POL_HORIZONTAL, 1};
const Want k10729{10729, 22000, POL_VERTICAL, 1};
const Want k12060{12060, 30000, POL_VERTICAL, 4};

class TpAllTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);
    }

    // A stored transport stream on a slot; each gets its own identity so that
    // equal transponders stay separate streams.
    void AddTs(uint8_t slot, const Want& w) {
        Tp tp;
        tp.frequencyMhz = w.frequency;
        tp.symbolRate = static_cast<uint16_t>(w.symbolRate);
        tp.polarisation = w.polarisation;
        tp.fec = w.fec;
        tp.modulation = w.modulation;
        tp.pilot = w.pilot;
        tp.satIndex = slot;
        const TsInfo ts = fixtures::MakeTs(++nextTsId_, 1, tp);
        TsInfo* stored = nullptr;
        ASSERT_EQ(TBL_AddTsInfo(&ts, &stored), DBERR_OK);
    }

    // Runs SN_GetTpAll and checks the chain against the expected nodes.
    void ExpectTpAll(uint32_t slot, const std::vector<Want>& want, DBERR result = DBERR_OK) {
        uint16_t count = 0xEEEE;
        TpNode* list = reinterpret_cast<TpNode*>(this);
        ASSERT_EQ(SN_GetTpAll(slot, &count, &list), result);
        std::vector<DefaultTpRow> got;
        for (const TpNode* node = list; node != nullptr; node = node->next)
            got.push_back(node->row);
        SN_FreeTpList(list);
        EXPECT_EQ(count, want.size());
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < want.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "node " << i);
            EXPECT_EQ(got[i].frequency, want[i].frequency);
            EXPECT_EQ(got[i].symbolRate, want[i].symbolRate);
            EXPECT_EQ(got[i].polarisation, want[i].polarisation);
            EXPECT_EQ(got[i].fec, want[i].fec);
            EXPECT_EQ(got[i].modulation, want[i].modulation);
            EXPECT_EQ(got[i].pilot, want[i].pilot);
        }
    }

  private:
    uint16_t nextTsId_ = 0;
};

TEST_F(TpAllTest, DefaultsOnlyComeInTableOrder) {
    DebugCapture debug;
    ExpectTpAll(2, {k10714, k10729});
    EXPECT_TRUE(debug.lines().empty());
    // A transport stream of another slot plays no part.
    AddTs(3, Want{10716, 22000, POL_HORIZONTAL, 1});
    ExpectTpAll(2, {k10714, k10729});
}

TEST_F(TpAllTest, SavedOnlyAreCopiedSortedAndReported) {
    // Slot 0 is satellite 55, which has no default rows.
    const Want a{12100, 27500, POL_HORIZONTAL, 3};
    const Want b{11000, 27500, POL_VERTICAL, 3};
    const Want c{11000, 27500, POL_HORIZONTAL, 3}; // same frequency: keeps its place after b
    AddTs(0, a);
    AddTs(0, b);
    AddTs(0, c);
    DebugCapture debug;
    ExpectTpAll(0, {b, c, a});
    ASSERT_EQ(debug.lines().size(), 1u);
    EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_INFO);
    EXPECT_EQ(debug.lines()[0].text.rfind("[SN_GetTpAll] case 2. totalTpCnt 3 tpList (0x", 0), 0u);

    // A user slot (53, past the region's 53 antennas) has no defaults and says so.
    debug.clear();
    AddTs(53, a);
    ExpectTpAll(53, {a});
    ASSERT_EQ(debug.lines().size(), 2u);
    EXPECT_EQ(debug.lines()[0].text,
              "[SN_GetDefaultSatInfo] Get AntennaId Error: Region 0, AntennaIndex 53\n");
    EXPECT_EQ(debug.lines()[1].text.rfind("[SN_GetTpAll] case 2. totalTpCnt 1 tpList (0x", 0), 0u);
}

TEST_F(TpAllTest, SavedTransponderReplacesTheDefaultItMatches) {
    // 2 MHz off the 10714 default, same symbol rate, polarisation, FEC,
    // modulation and pilot: the same transponder, so the saved one wins.
    const Want near10714{10716, 22000, POL_HORIZONTAL, 1};
    AddTs(2, near10714);
    ExpectTpAll(2, {near10714, k10729});

    // A further transponder that matches no default joins the list in
    // frequency order.
    const Want low{10000, 27500, POL_VERTICAL, 3};
    AddTs(2, low);
    ExpectTpAll(2, {low, near10714, k10729});
}

TEST_F(TpAllTest, DefaultWithAnotherPolarisationIsKeptBesideTheSavedOne) {
    // Same frequency, other polarisation: a different transponder. Saved
    // nodes go first and the sort is stable, so the saved one leads.
    const Want vertical10714{10714, 22000, POL_VERTICAL, 1};
    AddTs(2, vertical10714);
    ExpectTpAll(2, {vertical10714, k10714, k10729});
}

TEST_F(TpAllTest, WhenEveryDefaultIsReplacedTheSavedOnesAreReturned) {
    const Want near10729{10731, 22000, POL_VERTICAL, 1};
    const Want near10714{10716, 22000, POL_HORIZONTAL, 1};
    AddTs(2, near10729);
    AddTs(2, near10714);
    ExpectTpAll(2, {near10714, near10729});

    // One saved node that replaces the only default (satellite 7, region 3).
    ASSERT_EQ(SN_SetRegionId(3), DBERR_OK);
    ExpectTpAll(7, {k12060});
    const Want near12060{12063, 30000, POL_VERTICAL, 4};
    AddTs(7, near12060);
    ExpectTpAll(7, {near12060});
}

TEST_F(TpAllTest, NeitherDefaultsNorSavedIsAnError) {
    DebugCapture debug;
    ExpectTpAll(0, {}, DBERR_NO_MEMORY_LIST);
    ASSERT_EQ(debug.lines().size(), 1u);
    EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_ERROR);
    EXPECT_EQ(debug.lines()[0].text, "[SN_GetTpAll] ERR : NO Tp INfo \n");

    uint16_t count = 0;
    TpNode* list = nullptr;
    EXPECT_EQ(SN_GetTpAll(2, nullptr, &list), DBERR_BAD_REGION);
    EXPECT_EQ(SN_GetTpAll(2, &count, nullptr), DBERR_BAD_REGION);
}

struct NoMemoryCase {
    const char* what;
    bool savedOnSlot2; // one saved transponder that matches no default
    int32_t allowed;   // table allocations that still succeed
    bool ohMyGod;      // the merge could make no node at all
};

TEST_F(TpAllTest, NoMemoryGivesAnEmptyResult) {
    // Allocations: the saved nodes first, then the kept defaults, then the
    // merged copies.
    const NoMemoryCase cases[] = {
        {"defaults only", false, 0, false},
        {"defaults only, second row", false, 1, false},
        {"merge with no node left", true, 3, true},
    };
    for (const NoMemoryCase& c : cases) {
        SCOPED_TRACE(c.what);
        DB_ResetAllState();
        ASSERT_EQ(SN_SetRegionId(0), DBERR_OK);
        if (c.savedOnSlot2) AddTs(2, Want{10000, 27500, POL_VERTICAL, 3});
        DebugCapture debug;
        DB_SetAllocFailAfter(c.allowed);
        ExpectTpAll(2, {}, DBERR_NO_MEMORY_LIST);
        DB_SetAllocFailAfter(-1);
        EXPECT_EQ(debug.contains("[SN_GetTpAll] ERR : Oh my God~~  \n"), c.ohMyGod);
    }
}

TEST(TpAllConverters, RowAndNodeBecomeKhzKeysAndLeaveTheRestAlone) {
    TpNode node{};
    node.row = DefaultTpRow{11361, 0x15F90, 0x1234, POL_VERTICAL, 21, 2, 1, {0, 0}};
    TpInfo fromRow;
    std::memset(&fromRow, 0xAB, sizeof fromRow);
    TpInfo fromNode = fromRow;
    INT_SN_DefaultRowToTpInfo(&node.row, &fromRow);
    INT_SN_TpNodeToTpInfo(&node, &fromNode);
    for (const TpInfo* tp : {&fromRow, &fromNode}) {
        EXPECT_EQ(tp->frequency, 11361000u);
        EXPECT_EQ(tp->symbolRate, 0x5F90); // the low 16 bits
        EXPECT_EQ(tp->rowField, 0x34);     // the low byte
        EXPECT_EQ(tp->polarisation, POL_VERTICAL);
        EXPECT_EQ(tp->fec, 21);
        EXPECT_EQ(tp->modulation, 2);
        EXPECT_EQ(tp->pilot, 1);
        EXPECT_EQ(tp->satIndex, 0xAB);
        for (uint8_t byte : tp->reserved12)
            EXPECT_EQ(byte, 0xAB);
    }
}

struct SortCase {
    const char* what;
    std::vector<uint32_t> frequencies; // in chain order; the tag is the position
    uint16_t count;
    std::vector<size_t> order; // expected order of the original positions
};

TEST(TpAllSort, SortsByFrequencyStablyInCountPasses) {
    const SortCase cases[] = {
        {"empty", {}, 0, {}},
        {"single", {5}, 1, {0}},
        {"reversed", {3, 2, 1}, 3, {2, 1, 0}},
        {"equal frequencies keep their order", {2, 1, 2, 1}, 4, {1, 3, 0, 2}},
        {"already sorted", {1, 2, 3}, 3, {0, 1, 2}},
        // The count is the number of adjacent-exchange passes over the chain.
        {"no pass for a count of 0", {2, 1}, 0, {0, 1}},
        {"one pass sorts a pair", {2, 1}, 1, {1, 0}},
        {"one pass carries the largest to the end", {3, 2, 1}, 1, {1, 2, 0}},
        {"two passes over four", {4, 3, 2, 1}, 2, {2, 3, 1, 0}},
        {"more passes than needed", {2, 1, 3}, 9, {1, 0, 2}},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<TpNode> nodes(c.frequencies.size());
        for (size_t i = 0; i < nodes.size(); ++i) {
            nodes[i].row.frequency = c.frequencies[i];
            nodes[i].row.symbolRate = static_cast<uint32_t>(i); // tag
            nodes[i].next = i + 1 < nodes.size() ? &nodes[i + 1] : nullptr;
        }
        TpNode* sorted = INT_SN_SortTpList(c.count, nodes.empty() ? nullptr : &nodes[0]);
        std::vector<size_t> order;
        for (const TpNode* node = sorted; node != nullptr && order.size() <= nodes.size();
             node = node->next)
            order.push_back(node->row.symbolRate);
        EXPECT_EQ(order, c.order);
    }
}

} // namespace
