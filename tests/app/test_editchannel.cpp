// The channel dialog on a small database: satellites A (two transponders),
// B (three) and C (none) in the first user slots, every region slot free.
// The user types and chooses with real keys and clicks; what OK made is read
// back from the database by the transponder's key, as the channel list reads
// it.
#include "dialogfixture.h"
#include "editchannel.h"
#include "resource.h"

#include "base/trace.h"

#include <QWidget>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace app_test {
namespace {

using namespace platform;

constexpr uint16_t kRowPastTheEnd = 7;

struct Fields {
    const char* name;
    const char* video;
    const char* audio;
    const char* pcr;
};

const Fields kGood = {"ABC", "100", "101", "102"};

// A message box that keeps the dialog open.
struct Refusal {
    const char* text;
    const char* caption;
    QMessageBox::Icon icon;
};

class EditChannelTest : public DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        uint32_t antennas = 0;
        ASSERT_EQ(SN_GetNumAntenna(0, &antennas), DBERR_OK);
        ASSERT_LE(antennas + SN_USER_SLOTS, SAT_CAPACITY);
        satA = static_cast<uint8_t>(antennas);
        satB = static_cast<uint8_t>(antennas + 1);
        satC = static_cast<uint8_t>(antennas + 2);
    }

    // The three satellites and their stored transponders; fullTsTable also
    // fills the transport-stream table with streams of a slot not in use.
    ImageSpec Spec(bool fullTsTable = false) const {
        ImageSpec spec;
        spec.satellites[satA] = MakeSatellite("Sat A", 192, 9750000);
        spec.satellites[satB] = MakeSatellite("Sat B", 130, 9750000);
        spec.satellites[satC] = MakeSatellite("Sat C", 282, 9750000);
        for (uint32_t frequency : {11000u, 11100u})
            spec.transponders.push_back(MakeTs(frequency, 27500, POL_VERTICAL, satA).tp);
        for (uint32_t frequency : {12000u, 12100u, 12200u})
            spec.transponders.push_back(MakeTs(frequency, 27500, POL_HORIZONTAL, satB).tp);
        if (fullTsTable) {
            const auto unused = static_cast<uint8_t>(satC + 1);
            for (uint32_t t = 0; t < TS_CAPACITY; ++t)
                spec.transportStreams.push_back(MakeTs(10000 + t, 22000, POL_VERTICAL, unused));
        }
        return spec;
    }

    // The key of the satellite's transponder row, as the tree makes it.
    static TpInfo KeyOf(uint8_t slot, uint16_t row) {
        uint16_t count = 0, constant = 0;
        EXPECT_EQ(SLM_LoadSatTpList(slot, 0, &count, &constant), DBERR_OK);
        EXPECT_LT(row, count);
        TpRow tpRow{};
        EXPECT_EQ(SLM_GetNthTp(row, &tpRow), DBERR_OK);
        return SLM_TpRowToKey(tpRow, slot);
    }

    // The records of the services on a transponder, in the channel list's order.
    static std::vector<SvcInfo> ServicesOn(const TpInfo& key) {
        std::vector<SvcInfo> records;
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (uint32_t n = 0; SLM_GetNthServiceHandleWithTpInfo(&key, n, &handle) == DBERR_OK; ++n) {
            SvcInfo record{};
            EXPECT_EQ(SLM_GetServiceInfo(handle, &record), DBERR_OK);
            records.push_back(record);
        }
        return records;
    }

    // Opens the dialog as the main window's Add Channel does.
    static int Run(uint8_t level, uint8_t slot, uint16_t row,
                   const std::function<void(DialogBase&)>& steps) {
        return RunModal([&] { return CEditChannel::Run(1, level, slot, row); }, steps);
    }

    static ComboBox* Networks(DialogBase& d) { return d.GetDlgItem<ComboBox>(IDC_CHANNEL_NETWORK); }
    static ComboBox* Tps(DialogBase& d) { return d.GetDlgItem<ComboBox>(IDC_CHANNEL_TP); }
    static std::vector<std::string> Items(ComboBox* box) {
        std::vector<std::string> items(static_cast<size_t>(box->GetCount()));
        for (int i = 0; i < box->GetCount(); ++i)
            box->GetLBText(i, items[static_cast<size_t>(i)]);
        return items;
    }
    static void Fill(DialogBase& d, const Fields& fields) {
        Type(d.GetDlgItem<Edit>(IDC_CHANNEL_NAME), fields.name);
        Type(d.GetDlgItem<Edit>(IDC_CHANNEL_VIDEO_PID), fields.video);
        Type(d.GetDlgItem<Edit>(IDC_CHANNEL_AUDIO_PID), fields.audio);
        Type(d.GetDlgItem<Edit>(IDC_CHANNEL_PCR_PID), fields.pcr);
    }
    // OK that is refused: the message shown, the dialog still open; then Cancel.
    void OkRefusedWith(DialogBase& d, const Refusal& refusal) {
        boxes.Clear();
        Click(d.GetDlgItem(IDOK));
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, refusal.text);
        EXPECT_EQ(boxes.Calls()[0].caption, refusal.caption);
        EXPECT_EQ(boxes.Calls()[0].icon, refusal.icon);
        EXPECT_TRUE(d.IsWindowVisible());
        Click(d.GetDlgItem(IDCANCEL));
    }

    static std::string NameField(const SvcInfo& record) {
        return std::string(reinterpret_cast<const char*>(record.name), sizeof record.name);
    }
    static std::string Padded(const std::string& name) {
        std::string field = name;
        field.resize(SVC_NAME_LEN, '\0');
        return field;
    }

    uint8_t satA = 0, satB = 0, satC = 0;
};

TEST_F(EditChannelTest, OpensOnTheCallersTransponderAndCreatesTheServiceThere) {
    Open(Built(Spec()));
    const int result = Run(2, satB, 2, [&](DialogBase& d) {
        EXPECT_EQ(d.GetWindowText(), "Add Channel");
        EXPECT_EQ(Items(Networks(d)), (std::vector<std::string>{"Sat A", "Sat B", "Sat C"}));
        EXPECT_EQ(Networks(d)->GetCurSel(), 1);
        EXPECT_EQ(Items(Tps(d)), (std::vector<std::string>{"1. 12000", "2. 12100", "3. 12200"}));
        EXPECT_EQ(Tps(d)->GetCurSel(), 2);
        EXPECT_EQ(d.GetDlgItem(IDC_CHANNEL_NAME)->GetWindowText(), "");
        EXPECT_EQ(d.GetDlgItem(IDC_CHANNEL_VIDEO_PID)->GetWindowText(), "0");
        Fill(d, kGood);
        Click(d.GetDlgItem(IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(boxes.Calls().empty());
    bool traced = false;
    for (const TraceRecord& record : TakeTraces())
        traced |= record.text == "networkID = " + std::to_string(satB) + ", tp = 2\n";
    EXPECT_TRUE(traced);

    const std::vector<SvcInfo> services = ServicesOn(KeyOf(satB, 2));
    ASSERT_EQ(services.size(), 1u);
    EXPECT_EQ(NameField(services[0]), Padded("ABC"));
    EXPECT_EQ(DB_GetBits(services[0].flags, SVCF_TYPE_LO, SVCF_TYPE_W), SVC_TYPE_TV);
    EXPECT_EQ(services[0].videoPid, 100);
    EXPECT_EQ(services[0].audioPid, 101);
    EXPECT_EQ(services[0].pcrPid, 102);
    EXPECT_EQ(ServiceCount(), 1);

    // A second service on the transponder shares its transport stream.
    EXPECT_EQ(Run(2, satB, 2,
                  [&](DialogBase& d) {
                      Fill(d, {"DEF", "200", "201", "202"});
                      Click(d.GetDlgItem(IDOK));
                  }),
              IDOK);
    const std::vector<SvcInfo> both = ServicesOn(KeyOf(satB, 2));
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].tsRef, both[1].tsRef);
}

TEST_F(EditChannelTest, PidsOutsideTheirRangesAreRefusedAndNothingIsCreated) {
    // Each field's message names the range that field takes.
    const Refusal outOfRange = {"Please enter a pid between 1 and 8191", "ERROR",
                                QMessageBox::Critical};
    const Refusal audioOutOfRange = {"Please enter a pid between 0 and 8192", "ERROR",
                                     QMessageBox::Critical};
    const Refusal notANumber = {"Please enter a positive integer.", kAppTitle,
                                QMessageBox::Warning};
    struct Case {
        Fields fields;
        const Refusal* refusal; // null: created
        uint16_t storedAudio;
    } cases[] = {
        {{"A", "0", "101", "102"}, &outOfRange, 0},
        {{"A", "8192", "101", "102"}, &outOfRange, 0},
        {{"A", "100", "101", "0"}, &outOfRange, 0},
        {{"A", "100", "101", "8192"}, &outOfRange, 0},
        {{"A", "100", "9000", "102"}, &audioOutOfRange, 0},
        {{"A", "100", "8193", "102"}, &audioOutOfRange, 0},
        {{"A", "100", "73829", "102"}, &audioOutOfRange, 0}, // 0x12065: 0x2065 in 16 bits
        {{"A", "0", "9000", "102"}, &outOfRange, 0},        // one message, the first field's
        {{"A", "1x", "101", "102"}, &notANumber, 0},
        {{"A", "100", "0", "102"}, nullptr, 0},
        {{"A", "100", "8192", "102"}, nullptr, 0},
        {{"A", "1", "8191", "8191"}, nullptr, 8191},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.fields.video << " " << c.fields.audio << " " << c.fields.pcr);
        Open(Built(Spec()));
        const int result = Run(2, satA, 1, [&](DialogBase& d) {
            Fill(d, c.fields);
            if (c.refusal)
                OkRefusedWith(d, *c.refusal);
            else
                Click(d.GetDlgItem(IDOK));
        });
        if (c.refusal) {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(ServiceCount(), 0);
            continue;
        }
        EXPECT_EQ(result, IDOK);
        const std::vector<SvcInfo> services = ServicesOn(KeyOf(satA, 1));
        ASSERT_EQ(services.size(), 1u);
        EXPECT_EQ(services[0].audioPid, c.storedAudio);
        EXPECT_EQ((services[0].flags2 & SVCF2_AUDIO_VALID) != 0, c.storedAudio != 0);
        EXPECT_NE(services[0].flags2 & SVCF2_VIDEO_VALID, 0u);
    }
}

// Where the lists open, what the keys choose, and where OK then adds. The
// satellite list decides the slot: a caller's slot that is not in use (the
// root selected, slot 0 free) shows the first used satellite, and the
// transponders shown are always that satellite's.
TEST_F(EditChannelTest, OkAddsToTheTransponderTheListsShow) {
    struct Case {
        const char* name;
        uint8_t level;
        int slot; // -1, -2, -3: satellites A, B, C
        uint16_t row;
        std::vector<Qt::Key> networkKeys, tpKeys;
        int networkShown, tpShown; // selections when OK is clicked
        int addedTo;               // satellite (-1 A, -2 B) of the row tpShown
    } cases[] = {
        {"root, slot 0 free", 0, 0, 0, {}, {}, 0, 0, -1},
        {"satellite A, row past its rows", 1, -1, kRowPastTheEnd, {}, {}, 0, 0, -1},
        {"row of another satellite's slot is not taken", 2, 0, 1, {}, {}, 0, 0, -1},
        {"satellite B chosen with the keyboard", 2, -1, 1, {Qt::Key_Down}, {}, 1, 0, -2},
        {"transponder chosen with the keyboard",
         2,
         -2,
         0,
         {},
         {Qt::Key_Down, Qt::Key_Down},
         1,
         2,
         -2},
        {"back to A with the keyboard", 2, -2, 2, {Qt::Key_Up}, {Qt::Key_Down}, 0, 1, -1},
    };
    const auto slotOf = [&](int slot) {
        return slot == -1   ? satA
               : slot == -2 ? satB
               : slot == -3 ? satC
                            : static_cast<uint8_t>(slot);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(Built(Spec()));
        const int result = Run(c.level, slotOf(c.slot), c.row, [&](DialogBase& d) {
            for (Qt::Key key : c.networkKeys)
                PressKey(Networks(d), key);
            for (Qt::Key key : c.tpKeys)
                PressKey(Tps(d), key);
            EXPECT_EQ(Networks(d)->GetCurSel(), c.networkShown);
            EXPECT_EQ(Tps(d)->GetCurSel(), c.tpShown);
            Fill(d, kGood);
            Click(d.GetDlgItem(IDOK));
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(ServicesOn(KeyOf(slotOf(c.addedTo), static_cast<uint16_t>(c.tpShown))).size(),
                  1u);
        EXPECT_EQ(ServiceCount(), 1);
    }
}

// Choosing a satellite runs the fields' exchange: a bad field is told and
// keeps what the user typed, and the new satellite's transponders come in.
TEST_F(EditChannelTest, ABadFieldWhenTheSatelliteChangesIsToldAndKept) {
    Open(Built(Spec()));
    EXPECT_EQ(Run(2, satA, 1,
                  [&](DialogBase& d) {
                      Fill(d, {"ABC", "1x", "101", "102"});
                      PressKey(Networks(d), Qt::Key_Down);
                      EXPECT_EQ(boxes.Texts(),
                                (std::vector<QString>{"Please enter a positive integer."}));
                      EXPECT_EQ(d.GetDlgItem(IDC_CHANNEL_VIDEO_PID)->GetWindowText(), "1x");
                      EXPECT_EQ(Tps(d)->GetCount(), 3);
                      EXPECT_EQ(Tps(d)->GetCurSel(), 0);
                      Type(d.GetDlgItem<Edit>(IDC_CHANNEL_VIDEO_PID), "100");
                      Click(d.GetDlgItem(IDOK));
                  }),
              IDOK);
    EXPECT_EQ(ServicesOn(KeyOf(satB, 0)).size(), 1u);
}

// No transponder to add to: a satellite without transponders (opened on it,
// or chosen after one that has them), or no satellite in use at all.
TEST_F(EditChannelTest, WithoutATransponderOkAsksForOneAndCreatesNothing) {
    struct Case {
        const char* name;
        bool satellites;
        int slot; // -1 A, -3 C
        std::vector<Qt::Key> networkKeys;
    } cases[] = {
        {"opened on a satellite without transponders", true, -3, {}},
        {"such a satellite chosen after one with transponders", true, -1, {Qt::Key_End}},
        {"no satellite in use", false, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageSpec spec = Spec();
        if (!c.satellites) spec.satellites.assign(SAT_CAPACITY, SatInfo{});
        Open(Built(spec));
        const uint8_t slot = c.slot == -1 ? satA : c.slot == -3 ? satC : 0;
        const int result = Run(2, slot, 0, [&](DialogBase& d) {
            for (Qt::Key key : c.networkKeys)
                PressKey(Networks(d), key);
            EXPECT_EQ(Tps(d)->GetCount(), 0);
            Fill(d, kGood);
            OkRefusedWith(d, {"Please select a TP.", "ERROR", QMessageBox::Critical});
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(ServiceCount(), 0);
    }
}

TEST_F(EditChannelTest, TheNameTakesFifteenCharactersAndIsStoredWhole) {
    Open(Built(Spec()));
    EXPECT_EQ(Run(2, satA, 0,
                  [&](DialogBase& d) {
                      Fill(d, {"ABCDEFGHIJKLMNOP", "100", "101", "102"});
                      EXPECT_EQ(d.GetDlgItem(IDC_CHANNEL_NAME)->GetWindowText(), "ABCDEFGHIJKLMNO");
                      Click(d.GetDlgItem(IDOK));
                  }),
              IDOK);
    const std::vector<SvcInfo> services = ServicesOn(KeyOf(satA, 0));
    ASSERT_EQ(services.size(), 1u);
    EXPECT_EQ(NameField(services[0]), Padded("ABCDEFGHIJKLMNO"));
}

// The library refuses the service (no room for its transport stream): the
// code is shown and the dialog stays open; Cancel leaves nothing behind.
TEST_F(EditChannelTest, ARefusedAddIsShownWithItsCode) {
    Open(Built(Spec(true)));
    const int result = Run(2, satB, 0, [&](DialogBase& d) {
        Fill(d, kGood);
        OkRefusedWith(d, {"Add Channel fail! [0x5B15]", "ERROR", QMessageBox::Critical});
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ServiceCount(), 0);
    EXPECT_TRUE(ServicesOn(KeyOf(satB, 0)).empty());
}

TEST_F(EditChannelTest, CancelCreatesNothing) {
    Open(Built(Spec()));
    EXPECT_EQ(Run(2, satA, 0,
                  [&](DialogBase& d) {
                      Fill(d, kGood);
                      Click(d.GetDlgItem(IDCANCEL));
                  }),
              IDCANCEL);
    EXPECT_EQ(ServiceCount(), 0);
}

} // namespace
} // namespace app_test
