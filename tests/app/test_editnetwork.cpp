// The satellite dialog through real keys and clicks: what an add stores
// untouched, the angle with its side, the LNB frequency and the other lists,
// the name's limit, stored values without an entry, a used slot that reads
// empty, and Cancel. Results are read back from the satellite table.
#include "editnetwork.h"
#include "resource.h"
#include "satdialogfixture.h"

#include <QString>

#include <cstring>

namespace satdialog_test {
namespace {

using namespace platform;

constexpr uint32_t kAstra = 0;    // 13.0 East, LNB 9750
constexpr uint32_t kOddLnb = 1;   // LNB 5100 MHz, which the list does not have
constexpr uint32_t kOddLists = 2; // DiSEqC 9 and PID filter 3
constexpr uint32_t kGhost = 3;    // in use, but the table reads it as empty

uint32_t OrbitBits(const SatInfo& sat) {
    return DB_GetBits(sat.power, SAT_ORBIT_LO, SAT_ORBIT_W);
}

class EditNetworkTest : public SatDialogTest {
  protected:
    void SetUp() override {
        ImageSpec spec;
        spec.satellites[kAstra] = MakeSatellite("Astra", 130, 9750000);
        spec.satellites[kOddLnb] = MakeSatellite("Odd LNB", -50, 5100000);
        SatInfo odd = MakeSatellite("Odd lists", 0, 10600000);
        odd.lnb = DB_SetBits(odd.lnb, SAT_DISEQC_LO, SAT_DISEQC_W, 9);
        odd.search = DB_SetBits(odd.search, SAT_PIDFILTER_LO, SAT_PIDFILTER_W, 3);
        spec.satellites[kOddLists] = odd;
        SatInfo ghost{};
        ghost.lnb = SAT_IN_USE;
        std::memcpy(ghost.name, "Ghost", 5);
        spec.satellites[kGhost] = ghost;
        Open(spec);
        addSlot = SN_GetCurrentNumAntenna();
    }

    // Edits a slot with the steps, which end the dialog.
    static int Edit(uint32_t slot, const std::function<void(DialogBase&)>& steps) {
        return RunDialog(
            [slot] { return CEditNetwork::Run(nullptr, 0, static_cast<uint8_t>(slot)); }, steps);
    }

    uint32_t addSlot = 0;
};

TEST_F(EditNetworkTest, AnAddOkWithoutChangesStoresTheNewSatellite) {
    ASSERT_EQ(SN_IsSatUsed(addSlot), 0u);
    const int result =
        RunDialog([this] { return CEditNetwork::Run(nullptr, 1, static_cast<uint8_t>(addSlot)); },
                  [](DialogBase& d) {
                      EXPECT_EQ(d.GetWindowText(), "Add Network");
                      EXPECT_EQ(EditOf(d, IDC_NETWORK_NAME)->GetWindowText(), "");
                      EXPECT_EQ(EditOf(d, IDC_NETWORK_ANGLE)->GetWindowText(), "0");
                      EXPECT_EQ(SelectedText(d, IDC_NETWORK_EAST_WEST), "West");
                      EXPECT_EQ(SelectedText(d, IDC_NETWORK_LNB_FREQ), "Universal");
                      EXPECT_EQ(SelectedText(d, IDC_NETWORK_DISEQC), "OFF");
                      EXPECT_EQ(SelectedText(d, IDC_NETWORK_LNB_POWER), "ON");
                      EXPECT_EQ(Entries(d, IDC_NETWORK_LNB_FREQ).size(), 15u);
                      EXPECT_EQ(Entries(d, IDC_NETWORK_PID_FILTER),
                                (std::vector<std::string>{"All", "TV Only", "Radio Only"}));
                      Click(d, IDOK);
                  });
    EXPECT_EQ(result, IDOK);
    const uint32_t expected[7] = {SAT_IN_USE | SAT_UNIVERSAL, 0x21, 0, 0, 0, 0, 0};
    SatInfo stored{};
    ASSERT_EQ(SN_GetSatInfo(addSlot, &stored), DBERR_OK);
    EXPECT_EQ(std::memcmp(&stored, expected, sizeof stored), 0);
}

TEST_F(EditNetworkTest, TheAngleIsStoredInRoundedTenthsWithItsSide) {
    struct Case {
        const char* text;
        int side;               // 0 East, 1 West
        const char* message;    // null: accepted
        uint32_t bits;          // word 1 bits 16-31 after OK
        const char* reopenText; // what the angle shows when reopened
        const char* reopenSide;
    } cases[] = {
        {"19.2", 0, nullptr, 192, "19.2", "East"},
        {"19.2", 1, nullptr, 0xFF40, "19.2", "West"},
        {"24.8", 1, nullptr, 0xFF08, "24.8", "West"},
        {"85.2", 0, nullptr, 852, "85.2", "East"},
        {"180", 0, nullptr, 1800, "180", "East"},
        {"0", 0, nullptr, 0, "0", "West"},
        {"200", 0, "Please enter a number between 0 and 180.", 130, "13", "East"},
        {"abc", 0, "Please enter a number.", 130, "13", "East"},
        {"", 0, "Please enter a number.", 130, "13", "East"},
    };
    const SatInfo before = StoredSat(kAstra);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_EQ(SN_SetSatInfo(kAstra, &before), DBERR_OK);
        MessageBoxRecorder boxes;
        const int result = Edit(kAstra, [&](DialogBase& d) {
            TypeInto(d, IDC_NETWORK_ANGLE, c.text);
            Choose(d, IDC_NETWORK_EAST_WEST, c.side);
            Click(d, IDOK);
            if (!c.message) return;
            EXPECT_EQ(boxes.Texts(), std::vector<QString>{c.message});
            EXPECT_TRUE(d.IsWindowVisible());
            EXPECT_EQ(Window::GetFocus(), EditOf(d, IDC_NETWORK_ANGLE));
            PressEscape(d);
        });
        EXPECT_EQ(result, c.message ? IDCANCEL : IDOK);
        const SatInfo stored = StoredSat(kAstra);
        EXPECT_EQ(OrbitBits(stored), c.bits);
        // The low half of word 1 (LNB power and the setting) stays.
        EXPECT_EQ(stored.power & 0xFFFF, before.power & 0xFFFF);
        Edit(kAstra, [&](DialogBase& d) {
            EXPECT_EQ(EditOf(d, IDC_NETWORK_ANGLE)->GetWindowText(), c.reopenText);
            EXPECT_EQ(SelectedText(d, IDC_NETWORK_EAST_WEST), c.reopenSide);
            Click(d, IDCANCEL);
        });
    }
}

TEST_F(EditNetworkTest, AnUnchangedOkKeepsTheStoredAngle) {
    for (int16_t tenths : {248, -248, 852, 1, -1799}) {
        SCOPED_TRACE(tenths);
        SatInfo sat = MakeSatellite("Astra", tenths, 9750000);
        ASSERT_EQ(SN_SetSatInfo(kAstra, &sat), DBERR_OK);
        EXPECT_EQ(Edit(kAstra, [](DialogBase& d) { Click(d, IDOK); }), IDOK);
        const SatInfo stored = StoredSat(kAstra);
        EXPECT_EQ(std::memcmp(&sat, &stored, sizeof sat), 0);
    }
}

TEST_F(EditNetworkTest, TheListsSetTheirFieldsAndKeepStoredValuesWithoutAnEntry) {
    struct Case {
        const char* what;
        uint32_t slot;
        int id;
        int choose; // -1: the list is left alone
        std::function<uint32_t(const SatInfo&)> field;
        uint32_t stored;      // the field after OK
        const char* reopened; // the list's selection when reopened
    } cases[] = {
        {"LNB 9750", kOddLnb, IDC_NETWORK_LNB_FREQ, 4,
         [](const SatInfo& s) { return s.lnb & (SAT_UNIVERSAL | 0xFFFFFF); }, 9750000, "9750"},
        {"LNB universal", kAstra, IDC_NETWORK_LNB_FREQ, 0,
         [](const SatInfo& s) { return s.lnb & (SAT_UNIVERSAL | 0xFFFFFF); }, SAT_UNIVERSAL,
         "Universal"},
        {"LNB 5100 kept", kOddLnb, IDC_NETWORK_LNB_FREQ, -1,
         [](const SatInfo& s) { return s.lnb & (SAT_UNIVERSAL | 0xFFFFFF); }, 5100000, ""},
        {"DiSEqC LNB4", kAstra, IDC_NETWORK_DISEQC, 6,
         [](const SatInfo& s) { return DB_GetBits(s.lnb, SAT_DISEQC_LO, SAT_DISEQC_W); }, 6,
         "LNB4"},
        {"DiSEqC Mini A", kAstra, IDC_NETWORK_DISEQC, 3,
         [](const SatInfo& s) { return DB_GetBits(s.lnb, SAT_DISEQC_LO, SAT_DISEQC_W); }, 3,
         "Mini A"},
        {"DiSEqC 9 kept", kOddLists, IDC_NETWORK_DISEQC, -1,
         [](const SatInfo& s) { return DB_GetBits(s.lnb, SAT_DISEQC_LO, SAT_DISEQC_W); }, 9, ""},
        {"Network Search ON", kAstra, IDC_NETWORK_SEARCH, 1,
         [](const SatInfo& s) { return s.search & SAT_NET_SEARCH; }, SAT_NET_SEARCH, "ON"},
        {"FTA Only ON", kAstra, IDC_NETWORK_FTA_ONLY, 1,
         [](const SatInfo& s) { return s.search & SAT_FTA_ONLY; }, SAT_FTA_ONLY, "ON"},
        {"22Khz Tone ON", kAstra, IDC_NETWORK_TONE_22K, 1,
         [](const SatInfo& s) { return s.lnb & SAT_TONE_22K; }, SAT_TONE_22K, "ON"},
        {"LNB Power OFF", kAstra, IDC_NETWORK_LNB_POWER, 0,
         [](const SatInfo& s) { return s.power & SAT_LNB_POWER; }, 0, "OFF"},
        {"PID Filter Radio Only", kAstra, IDC_NETWORK_PID_FILTER, 2,
         [](const SatInfo& s) { return DB_GetBits(s.search, SAT_PIDFILTER_LO, SAT_PIDFILTER_W); },
         2, "Radio Only"},
        {"PID Filter 3 kept", kOddLists, IDC_NETWORK_PID_FILTER, -1,
         [](const SatInfo& s) { return DB_GetBits(s.search, SAT_PIDFILTER_LO, SAT_PIDFILTER_W); },
         3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SatInfo before = StoredSat(c.slot);
        EXPECT_EQ(Edit(c.slot,
                       [&](DialogBase& d) {
                           if (c.choose < 0)
                               EXPECT_EQ(ComboOf(d, c.id)->GetCurSel(), -1);
                           else
                               Choose(d, c.id, c.choose);
                           Click(d, IDOK);
                       }),
                  IDOK);
        const SatInfo after = StoredSat(c.slot);
        EXPECT_EQ(c.field(after), c.stored);
        EXPECT_EQ(std::string(after.name), std::string(before.name));
        Edit(c.slot, [&](DialogBase& d) {
            EXPECT_EQ(SelectedText(d, c.id), c.reopened);
            Click(d, IDCANCEL);
        });
        ASSERT_EQ(SN_SetSatInfo(c.slot, &before), DBERR_OK);
    }
}

TEST_F(EditNetworkTest, TheNameTakesFifteenCharacters) {
    EXPECT_EQ(Edit(kAstra,
                   [](DialogBase& d) {
                       EXPECT_EQ(EditOf(d, IDC_NETWORK_NAME)->GetWindowText(), "Astra");
                       TypeInto(d, IDC_NETWORK_NAME, "ABCDEFGHIJKLMNOP");
                       EXPECT_EQ(EditOf(d, IDC_NETWORK_NAME)->GetWindowText(), "ABCDEFGHIJKLMNO");
                       Click(d, IDOK);
                   }),
              IDOK);
    const SatInfo stored = StoredSat(kAstra);
    const char expected[SAT_NAME_LEN] = "ABCDEFGHIJKLMNO";
    EXPECT_EQ(std::memcmp(stored.name, expected, SAT_NAME_LEN), 0);
    EXPECT_STREQ(SN_GetSatName(kAstra), "ABCDEFGHIJKLMNO");
}

TEST_F(EditNetworkTest, AUsedSlotThatReadsEmptyKeepsItsUseAndName) {
    SatInfo read{};
    ASSERT_EQ(SN_GetSatInfo(kGhost, &read), DBERR_TABLE_INDEX);
    ASSERT_EQ(SN_IsSatUsed(kGhost), 1u);
    EXPECT_EQ(Edit(kGhost,
                   [](DialogBase& d) {
                       EXPECT_EQ(d.GetWindowText(), "Edit Network");
                       EXPECT_EQ(EditOf(d, IDC_NETWORK_NAME)->GetWindowText(), "Ghost");
                       Click(d, IDOK);
                   }),
              IDOK);
    EXPECT_EQ(SN_IsSatUsed(kGhost), 1u);
    EXPECT_STREQ(SN_GetSatName(kGhost), "Ghost");
    EXPECT_NE(StoredSat(kGhost).lnb & SAT_UNIVERSAL, 0u) << "opened as Universal";
}

TEST_F(EditNetworkTest, CancelAndEscapeStoreNothing) {
    const SatInfo before = StoredSat(kAstra);
    const std::function<void(DialogBase&)> ends[] = {
        [](DialogBase& d) { Click(d, IDCANCEL); },
        [](DialogBase& d) { PressEscape(d); },
    };
    for (const auto& end : ends) {
        EXPECT_EQ(Edit(kAstra,
                       [&](DialogBase& d) {
                           TypeInto(d, IDC_NETWORK_NAME, "Changed");
                           TypeInto(d, IDC_NETWORK_ANGLE, "45");
                           Choose(d, IDC_NETWORK_DISEQC, 2);
                           end(d);
                       }),
                  IDCANCEL);
        const SatInfo after = StoredSat(kAstra);
        EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    }
}

} // namespace
} // namespace satdialog_test
