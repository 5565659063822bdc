// The transponder dialog through real keys and clicks: what an add opens
// with, the code rates of each demodulation and the FECs they write, stored
// bytes without an entry, the range of frequency and symbol rate, duplicates,
// an unchanged edit, the services that follow an edited transponder, and a
// list left loaded for another satellite. Results are read back from the
// edit list and the stored transponders.
#include "edittransport.h"
#include "resource.h"
#include "satdialogfixture.h"
#include "dballoc.h"
#include "tptable.h"

#include <QString>

#include <algorithm>
#include <cstring>

namespace satdialog_test {
namespace {

using namespace platform;

TpInfo Tp(uint32_t mhz, uint16_t symbolRate, uint8_t polarisation, uint8_t modulation, uint8_t fec,
          uint8_t satellite, uint8_t pilot = 0) {
    TpInfo tp{};
    tp.frequency = mhz;
    tp.symbolRate = symbolRate;
    tp.polarisation = polarisation;
    tp.modulation = modulation;
    tp.fec = fec;
    tp.satIndex = satellite;
    tp.pilot = pilot;
    return tp;
}

bool SameRows(const std::vector<TpRow>& a, const std::vector<TpRow>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](const TpRow& x, const TpRow& y) {
               return std::memcmp(&x, &y, sizeof x) == 0;
           });
}

bool SameTps(const std::vector<TpInfo>& a, const std::vector<TpInfo>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](const TpInfo& x, const TpInfo& y) {
               return std::memcmp(&x, &y, sizeof x) == 0;
           });
}

std::vector<uint32_t> Frequencies(const std::vector<TpInfo>& tps) {
    std::vector<uint32_t> mhz;
    for (const TpInfo& tp : tps)
        mhz.push_back(tp.frequency);
    std::sort(mhz.begin(), mhz.end());
    return mhz;
}

class EditTransportTest : public SatDialogTest {
  protected:
    void SetUp() override {
        satA = static_cast<uint8_t>(SN_GetCurrentNumAntenna());
        satB = static_cast<uint8_t>(satA + 1);
        ImageSpec spec;
        // A name that fills its 16 bytes: shown, never validated.
        spec.satellites[satA] = MakeSatellite("", 192, 9750000);
        std::memcpy(spec.satellites[satA].name, "ABCDEFGHIJKLMNOP", SAT_NAME_LEN);
        spec.satellites[satB] = MakeSatellite("Sat B", -300, 9750000);
        spec.transponders = {
            Tp(11000, 27500, POL_HORIZONTAL, 0, 3, satA),
            Tp(11500, 22000, POL_VERTICAL, 2, 22, satA),
            Tp(12000, 27500, POL_HORIZONTAL, 0, 4, satA),
            Tp(12100, 27500, POL_HORIZONTAL, 0, FEC_AUTO, satA),
            Tp(12200, 27500, POL_VERTICAL, 1, 12, satA),
            Tp(12300, 27500, POL_HORIZONTAL, 0, 20, satA),   // a FEC DVB-S does not list
            Tp(12400, 27500, 2, 0, 3, satA),                 // polarisation 2
            Tp(12500, 27500, POL_HORIZONTAL, 3, 9, satA, 2), // modulation 3, pilot 2
            Tp(10800, 27500, POL_HORIZONTAL, 0, 3, satB),
            Tp(12600, 27500, POL_VERTICAL, 0, 3, satB),
        };
        TsInfo ts = MakeTs(11000, 27500, POL_HORIZONTAL, satA);
        ts.tp = spec.transponders[0];
        spec.transportStreams = {ts};
        spec.services = {ImageService{MakeService("One", 0, 0x100, 0x101), 0, IMG_NONE},
                         ImageService{MakeService("Two", 0, 0x200, 0x201), 0, IMG_NONE}};
        Open(spec);
    }

    // The row of satellite sat's list with that frequency (the list is left
    // loaded for sat).
    static uint16_t RowOf(uint8_t sat, uint32_t mhz) {
        uint16_t count = 0, constant = 0;
        EXPECT_EQ(SLM_LoadSatTpList(sat, 0, &count, &constant), DBERR_OK);
        const std::vector<TpRow> rows = EditRows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].frequency == mhz) return static_cast<uint16_t>(i);
        ADD_FAILURE() << "no row of " << mhz << " MHz";
        return 0;
    }

    static std::vector<TpRow> RowsOf(uint8_t sat) {
        uint16_t count = 0, constant = 0;
        EXPECT_EQ(SLM_LoadSatTpList(sat, 0, &count, &constant), DBERR_OK);
        return EditRows();
    }

    int EditRow(uint32_t mhz, const std::function<void(DialogBase&)>& steps) {
        const uint16_t row = RowOf(satA, mhz);
        return RunDialog([&] { return CEditTransport::Run(nullptr, 0, satA, row); }, steps);
    }

    int Add(const std::function<void(DialogBase&)>& steps) {
        return RunDialog([&] { return CEditTransport::Run(nullptr, 1, satA, 0); }, steps);
    }

    // The row with that frequency as the stored list of A now has it.
    TpRow StoredRow(uint32_t mhz) {
        for (const TpRow& row : RowsOf(satA))
            if (row.frequency == mhz) return row;
        ADD_FAILURE() << "no row of " << mhz << " MHz";
        return TpRow{};
    }

    uint8_t satA = 0;
    uint8_t satB = 0;
};

TEST_F(EditTransportTest, AnAddOpensWithTheZeroRowAndStoresTheTypedTransponder) {
    MessageBoxRecorder boxes;
    const int result = Add([](DialogBase& d) {
        EXPECT_EQ(d.GetWindowText(), "Add Transport");
        EXPECT_EQ(EditOf(d, IDC_TRANSPORT_SAT_NAME)->GetWindowText(), "ABCDEFGHIJKLMNOP");
        EXPECT_EQ(EditOf(d, IDC_TRANSPORT_FREQUENCY)->GetWindowText(), "0");
        EXPECT_EQ(EditOf(d, IDC_TRANSPORT_SYMBOLRATE)->GetWindowText(), "0");
        EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_POLARITY), "Horizontal");
        EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_DEMODULATION), "DVS-S QPSK");
        EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_CODE_RATE), "1 / 2");
        EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_PILOT), "OFF");
        EXPECT_EQ(Entries(d, IDC_TRANSPORT_POLARITY),
                  (std::vector<std::string>{"Auto", "Horizontal", "Vertical"}));
        EXPECT_EQ(Entries(d, IDC_TRANSPORT_DEMODULATION),
                  (std::vector<std::string>{"DVS-S QPSK", "DVS-S2 QPSK", "DVS-S2 8PSK"}));
        TypeInto(d, IDC_TRANSPORT_FREQUENCY, "12700");
        TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, "30000");
        Click(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(boxes.Calls().empty()) << "the 16-byte name does not block OK";
    const TpRow row = StoredRow(12700);
    EXPECT_EQ(row.symbolRate, 30000u);
    EXPECT_EQ(row.polarisation, POL_HORIZONTAL);
    EXPECT_EQ(row.modulation, 0u);
    EXPECT_EQ(row.fec, 0u);
    EXPECT_EQ(row.pilot, 0u);
    EXPECT_EQ(Frequencies(StoredTps(satA)).size(), 9u);
}

TEST_F(EditTransportTest, AStoredRowOpensWithItsDemodulationCodeRateAndPolarity) {
    struct Case {
        uint32_t mhz;
        const char* polarity;
        const char* demodulation;
        const char* codeRate;
        const char* pilot;
    } cases[] = {
        {12000, "Horizontal", "DVS-S QPSK", "7 / 8", "OFF"}, // (0, 4)
        {12100, "Horizontal", "DVS-S QPSK", "AUTO", "OFF"},  // (0, 11)
        {11500, "Vertical", "DVS-S2 8PSK", "3 / 4", "OFF"},  // (2, 22)
        {12200, "Vertical", "DVS-S2 QPSK", "1 / 2", "OFF"},  // (1, 12)
        {12300, "Horizontal", "DVS-S QPSK", "AUTO", "OFF"},  // (0, 20)
        {12400, "Auto", "DVS-S QPSK", "5 / 6", "OFF"},       // polarisation 2
        {12500, "Horizontal", "", "", ""},                   // modulation 3, pilot 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mhz);
        EXPECT_EQ(EditRow(c.mhz,
                          [&](DialogBase& d) {
                              EXPECT_EQ(d.GetWindowText(), "Edit Transport");
                              EXPECT_EQ(EditOf(d, IDC_TRANSPORT_FREQUENCY)->GetWindowText(),
                                        std::to_string(c.mhz));
                              EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_POLARITY), c.polarity);
                              EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_DEMODULATION),
                                        c.demodulation);
                              EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_CODE_RATE), c.codeRate);
                              EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_PILOT), c.pilot);
                              Click(d, IDCANCEL);
                          }),
                  IDCANCEL);
    }
}

TEST_F(EditTransportTest, ANewDemodulationOffersItsCodeRatesWithAutoChosen) {
    EXPECT_EQ(EditRow(11500,
                      [](DialogBase& d) {
                          EXPECT_EQ(Entries(d, IDC_TRANSPORT_CODE_RATE).size(), 7u);
                          TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, "abc");
                          Choose(d, IDC_TRANSPORT_DEMODULATION, 0);
                          EXPECT_EQ(Entries(d, IDC_TRANSPORT_CODE_RATE),
                                    (std::vector<std::string>{"AUTO", "1 / 2", "2 / 3", "3 / 4",
                                                              "5 / 6", "7 / 8"}));
                          EXPECT_EQ(SelectedText(d, IDC_TRANSPORT_CODE_RATE), "AUTO");
                          // What the user typed stays, even when it is no number.
                          EXPECT_EQ(EditOf(d, IDC_TRANSPORT_SYMBOLRATE)->GetWindowText(), "abc");
                          TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, "22000");
                          Choose(d, IDC_TRANSPORT_CODE_RATE, 3);
                          Click(d, IDOK);
                      }),
              IDOK);
    const TpRow row = StoredRow(11500);
    EXPECT_EQ(row.modulation, 0u);
    EXPECT_EQ(row.fec, 2u);
}

TEST_F(EditTransportTest, TheCodeRateChosenWritesTheFecOfItsDemodulation) {
    struct Case {
        int demodulation;
        int codeRate;
        uint8_t fec;
    } cases[] = {
        {0, 0, FEC_AUTO}, {0, 1, 0},  {0, 5, 4},  {1, 0, FEC_AUTO}, {1, 1, 12},
        {1, 8, 19},       {2, 1, 20}, {2, 3, 22}, {2, 6, 25},
    };
    uint32_t mhz = 13000;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.demodulation << ", " << c.codeRate);
        mhz += 100;
        EXPECT_EQ(Add([&](DialogBase& d) {
                      TypeInto(d, IDC_TRANSPORT_FREQUENCY, std::to_string(mhz).c_str());
                      TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, "27500");
                      Choose(d, IDC_TRANSPORT_DEMODULATION, c.demodulation);
                      Choose(d, IDC_TRANSPORT_CODE_RATE, c.codeRate);
                      Click(d, IDOK);
                  }),
                  IDOK);
        const TpRow row = StoredRow(mhz);
        EXPECT_EQ(row.modulation, c.demodulation);
        EXPECT_EQ(row.fec, c.fec);
    }
}

TEST_F(EditTransportTest, StoredBytesWithoutAnEntryStayUnlessTheUserChangesThem) {
    // Modulation 3, FEC 9 and pilot 2 have no entries: a new frequency
    // keeps them.
    EXPECT_EQ(EditRow(12500,
                      [](DialogBase& d) {
                          TypeInto(d, IDC_TRANSPORT_FREQUENCY, "12510");
                          Click(d, IDOK);
                      }),
              IDOK);
    TpRow row = StoredRow(12510);
    EXPECT_EQ(row.modulation, 3u);
    EXPECT_EQ(row.fec, 9u);
    EXPECT_EQ(row.pilot, 2u);
    // FEC 20 shows as "AUTO" under DVB-S and stays 20 while the code rate
    // is left alone.
    EXPECT_EQ(EditRow(12300,
                      [](DialogBase& d) {
                          TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, "27000");
                          Click(d, IDOK);
                      }),
              IDOK);
    EXPECT_EQ(StoredRow(12300).fec, 20u);
    // Polarisation 2 shows as "Auto" and is written as automatic, 16.
    EXPECT_EQ(EditRow(12400, [](DialogBase& d) { Click(d, IDOK); }), IDOK);
    EXPECT_EQ(StoredRow(12400).polarisation, POL_AUTO);
    const std::vector<TpInfo> stored = StoredTps(satA);
    EXPECT_TRUE(std::any_of(stored.begin(), stored.end(), [](const TpInfo& tp) {
        return tp.frequency == 12400 && tp.polarisation == POL_AUTO;
    }));
}

TEST_F(EditTransportTest, FrequencyAndSymbolRateMustFitSixteenBits) {
    struct Case {
        int id; // the field typed into
        const char* text;
        const char* message; // null: accepted
        const char* caption;
        const char* other; // the other field's text
    } cases[] = {
        {IDC_TRANSPORT_FREQUENCY, "0", "Please enter a frequency between 1 and 65535", "ERROR",
         "27500"},
        {IDC_TRANSPORT_FREQUENCY, "65536", "Please enter a frequency between 1 and 65535", "ERROR",
         "27500"},
        {IDC_TRANSPORT_FREQUENCY, "abc", "Please enter a positive integer.", "Quorvandelix",
         "27500"},
        {IDC_TRANSPORT_FREQUENCY, "1", nullptr, nullptr, "27500"},
        {IDC_TRANSPORT_FREQUENCY, "65535", nullptr, nullptr, "27500"},
        {IDC_TRANSPORT_SYMBOLRATE, "0", "Please enter a symbolrate between 1 and 65535", "ERROR",
         "14000"},
        {IDC_TRANSPORT_SYMBOLRATE, "65536", "Please enter a symbolrate between 1 and 65535",
         "ERROR", "14000"},
        {IDC_TRANSPORT_SYMBOLRATE, "abc", "Please enter a positive integer.", "Quorvandelix",
         "14000"},
        {IDC_TRANSPORT_SYMBOLRATE, "1", nullptr, nullptr, "14000"},
        {IDC_TRANSPORT_SYMBOLRATE, "65535", nullptr, nullptr, "14100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<TpRow> rowsBefore = RowsOf(satA);
        const std::vector<TpInfo> storedBefore = StoredTps(satA);
        MessageBoxRecorder boxes;
        const int otherId =
            c.id == IDC_TRANSPORT_FREQUENCY ? IDC_TRANSPORT_SYMBOLRATE : IDC_TRANSPORT_FREQUENCY;
        const int result = Add([&](DialogBase& d) {
            TypeInto(d, otherId, c.other);
            TypeInto(d, c.id, c.text);
            Click(d, IDOK);
            if (!c.message) return;
            ASSERT_EQ(boxes.Calls().size(), 1u);
            EXPECT_EQ(boxes.Calls()[0].text, c.message);
            EXPECT_EQ(boxes.Calls()[0].caption, c.caption);
            EXPECT_TRUE(d.IsWindowVisible());
            EXPECT_EQ(Window::GetFocus(), EditOf(d, c.id));
            PressEscape(d);
        });
        if (c.message) {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_TRUE(SameRows(RowsOf(satA), rowsBefore));
            EXPECT_TRUE(SameTps(StoredTps(satA), storedBefore));
        } else {
            EXPECT_EQ(result, IDOK);
            EXPECT_TRUE(boxes.Calls().empty());
            EXPECT_EQ(StoredTps(satA).size(), storedBefore.size() + 1);
        }
    }
}

TEST_F(EditTransportTest, ADuplicateStaysOpenAndAnUnchangedEditWritesNothing) {
    const std::vector<TpRow> rowsBefore = RowsOf(satA);
    const std::vector<TpInfo> storedBefore = StoredTps(satA);
    struct Case {
        const char* what;
        const char* frequency;
        std::function<int(const std::function<void(DialogBase&)>&)> open;
    } cases[] = {
        {"an add within the tolerance of 11000", "11002",
         [this](const std::function<void(DialogBase&)>& steps) { return Add(steps); }},
        {"an edit into an exact copy of 11000", "11000",
         [this](const std::function<void(DialogBase&)>& steps) { return EditRow(12000, steps); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxRecorder boxes;
        const int result = c.open([&](DialogBase& d) {
            TypeInto(d, IDC_TRANSPORT_FREQUENCY, c.frequency);
            TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, "27500");
            Choose(d, IDC_TRANSPORT_POLARITY, 1);
            Choose(d, IDC_TRANSPORT_DEMODULATION, 0);
            Choose(d, IDC_TRANSPORT_CODE_RATE, 4); // "5 / 6", FEC 3
            Click(d, IDOK);
            ASSERT_EQ(boxes.Calls().size(), 1u);
            EXPECT_EQ(boxes.Calls()[0].text, "Same TP already exists.");
            EXPECT_EQ(boxes.Calls()[0].caption, "ERROR");
            EXPECT_EQ(boxes.Calls()[0].icon, QMessageBox::Critical);
            EXPECT_TRUE(d.IsWindowVisible());
            PressEscape(d);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_TRUE(SameRows(RowsOf(satA), rowsBefore));
        EXPECT_TRUE(SameTps(StoredTps(satA), storedBefore));
    }

    MessageBoxRecorder boxes;
    EXPECT_EQ(EditRow(11000, [](DialogBase& d) { Click(d, IDOK); }), IDOK);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(SameRows(RowsOf(satA), rowsBefore));
    EXPECT_TRUE(SameTps(StoredTps(satA), storedBefore));
}

TEST_F(EditTransportTest, AFailureOfTheListOrTheCommitKeepsTheDialogOpen) {
    struct Case {
        const char* what;
        std::function<void()> arrange; // runs just before OK
        const char* message;
    } cases[] = {
        {"no memory for the row", [] { DB_FailOneAllocation(0); }, "TP save fail! [0x3001]"},
        {"the transponder table full at the commit",
         [] {
             // Fill the table up with transponders of another slot.
             TpInfo filler = Tp(3000, 1000, POL_HORIZONTAL, 0, 0, 60);
             TpInfo* stored = nullptr;
             while (TBL_GetTpCount() < TP_CAPACITY) {
                 ++filler.frequency;
                 ASSERT_EQ(TBL_AddTpInfo(&filler, &stored), DBERR_OK);
             }
         },
         "TP save fail! [0x5B01]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TpRow> rowsBefore = RowsOf(satA);
        const std::vector<TpInfo> storedBefore = StoredTps(satA);
        MessageBoxRecorder boxes;
        EXPECT_EQ(Add([&](DialogBase& d) {
                      TypeInto(d, IDC_TRANSPORT_FREQUENCY, "12900");
                      TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, "27500");
                      c.arrange();
                      Click(d, IDOK);
                      EXPECT_EQ(boxes.Texts(), std::vector<QString>{c.message});
                      ASSERT_EQ(boxes.Calls().size(), 1u);
                      EXPECT_EQ(boxes.Calls()[0].caption, "ERROR");
                      EXPECT_TRUE(d.IsWindowVisible());
                      // The list is what is stored: the row that failed is not in it.
                      EXPECT_TRUE(SameRows(EditRows(), rowsBefore));
                      PressEscape(d);
                  }),
                  IDCANCEL);
        EXPECT_TRUE(SameRows(RowsOf(satA), rowsBefore));
        EXPECT_TRUE(SameTps(StoredTps(satA), storedBefore));
    }
}

// A commit that fails after an edit has deleted the old transponder: the
// list is reloaded without it, and OK again adds the edited row rather than
// overwriting the row that now stands at the old position.
TEST_F(EditTransportTest, OkAfterAFailedCommitOfAnEditAddsTheRow) {
    const std::vector<uint32_t> others = {11000, 11500, 12100, 12200, 12300, 12400, 12500};
    MessageBoxRecorder boxes;
    EXPECT_EQ(EditRow(12000,
                      [&](DialogBase& d) {
                          TypeInto(d, IDC_TRANSPORT_FREQUENCY, "12050");
                          // The update's three allocations are had; the
                          // commit's copy of the new transponder is not.
                          DB_FailOneAllocation(3);
                          Click(d, IDOK);
                          DB_SetAllocFailAfter(-1);
                          EXPECT_EQ(boxes.Texts(), std::vector<QString>{"TP save fail! [0x5C03]"});
                          ASSERT_TRUE(d.IsWindowVisible());
                          Click(d, IDOK);
                      }),
              IDOK);
    std::vector<uint32_t> expected = others;
    expected.push_back(12050);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Frequencies(StoredTps(satA)), expected);
}

TEST_F(EditTransportTest, TheServicesFollowTheEditedTransponder) {
    const TpRow old = StoredRow(11000);
    EXPECT_EQ(EditRow(11000,
                      [](DialogBase& d) {
                          TypeInto(d, IDC_TRANSPORT_FREQUENCY, "11100");
                          Choose(d, IDC_TRANSPORT_POLARITY, 2);
                          Click(d, IDOK);
                      }),
              IDOK);
    // Saved and opened again: the services are stored on the new values.
    std::vector<uint8_t> image(DB_IMAGE_SIZE);
    ASSERT_EQ(DB_SaveImage(image.data(), image.size()), DBERR_OK);
    ASSERT_EQ(DB_OpenImage(image.data(), image.size()), DBERR_OK);
    const TpRow edited = StoredRow(11100);
    EXPECT_EQ(edited.polarisation, POL_VERTICAL);
    const TpInfo key = SLM_TpRowToKey(edited, satA);
    std::vector<std::string> names;
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (uint32_t n = 0; SLM_GetNthServiceHandleWithTpInfo(&key, n, &handle) == DBERR_OK; ++n) {
        uint8_t name[SVC_NAME_LEN + 1] = {};
        SLM_GetServiceName(handle, name);
        names.push_back(reinterpret_cast<const char*>(name));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"One", "Two"}));
    const TpInfo oldKey = SLM_TpRowToKey(old, satA);
    EXPECT_EQ(SLM_GetNthServiceHandleWithTpInfo(&oldKey, 0, &handle), DBERR_NOT_FOUND);
}

TEST_F(EditTransportTest, AListLeftLoadedForAnotherSatelliteIsNotCommittedAsThisOne) {
    const std::vector<TpInfo> storedB = StoredTps(satB);
    const uint16_t row = RowOf(satA, 12000); // a transponder of A selected
    uint16_t count = 0, constant = 0;
    ASSERT_EQ(SLM_LoadSatTpList(satB, 0, &count, &constant), DBERR_OK); // B's list loaded
    EXPECT_EQ(RunDialog([&] { return CEditTransport::Run(nullptr, 0, satA, row); },
                        [](DialogBase& d) {
                            EXPECT_EQ(EditOf(d, IDC_TRANSPORT_FREQUENCY)->GetWindowText(), "12000");
                            TypeInto(d, IDC_TRANSPORT_FREQUENCY, "12050");
                            Click(d, IDOK);
                        }),
              IDOK);
    EXPECT_EQ(Frequencies(StoredTps(satA)),
              (std::vector<uint32_t>{11000, 11500, 12050, 12100, 12200, 12300, 12400, 12500}));
    EXPECT_TRUE(SameTps(StoredTps(satB), storedB));
}

TEST_F(EditTransportTest, CancelAndEscapeWriteNothing) {
    const std::vector<TpRow> rowsBefore = RowsOf(satA);
    const std::vector<TpInfo> storedBefore = StoredTps(satA);
    const std::function<void(DialogBase&)> ends[] = {
        [](DialogBase& d) { Click(d, IDCANCEL); },
        [](DialogBase& d) { PressEscape(d); },
    };
    for (const auto& end : ends) {
        EXPECT_EQ(EditRow(11000,
                          [&](DialogBase& d) {
                              TypeInto(d, IDC_TRANSPORT_FREQUENCY, "11900");
                              Choose(d, IDC_TRANSPORT_PILOT, 1);
                              end(d);
                          }),
                  IDCANCEL);
        EXPECT_TRUE(SameRows(RowsOf(satA), rowsBefore));
        EXPECT_TRUE(SameTps(StoredTps(satA), storedBefore));
    }
}

} // namespace
} // namespace satdialog_test
