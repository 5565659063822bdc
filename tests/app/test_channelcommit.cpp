// Cell edits written into the service records: each case compares the whole
// 64-byte record with what the edit must leave there, and the cell with what
// the record now holds.
#include "channellistfixture.h"

#include "servicecells.h"

#include <QPoint>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

void Name(SvcInfo* r, const char* bytes, size_t length) {
    std::memset(r->name, 0, SVC_NAME_LEN);
    std::memcpy(r->name, bytes, length);
}

struct CommitCase {
    const char* name;
    const char* service;
    int column;
    const char* typed;
    std::function<void(SvcInfo*)> change; // what the record must get; none: unchanged
    const char* shown;                    // nullptr: the cell's text before the edit
    bool readFails = false;               // the service's record cannot be read
};

// Every column's commit: the table that a direct commit and the real editors
// both go through.
const std::vector<CommitCase>& CommitCases() {
    static const std::vector<CommitCase> cases = {
        {"25-character name: its first 21 bytes, then zeros", kTvName, colServiceName,
         "ABCDEFGHIJKLMNOPQRSTUVWXY", [](SvcInfo* r) { Name(r, "ABCDEFGHIJKLMNOPQRSTU", 21); },
         "ABCDEFGHIJKLMNOPQRSTU"},
        {"21 bytes over a full 22-byte name: the last byte becomes 0", kDataName, colServiceName,
         "abcdefghijklmnopqrstu", [](SvcInfo* r) { Name(r, "abcdefghijklmnopqrstu", 21); },
         "abcdefghijklmnopqrstu"},
        {"a shorter name leaves no tail of the old one", kRadioName, colServiceName, "Ab",
         [](SvcInfo* r) { Name(r, "Ab", 2); }, "Ab"},
        {"VID with leading zeros", kTvName, colVid, "0100", [](SvcInfo* r) { r->videoPid = 100; },
         "100"},
        {"AID 0", kTvName, colAid, "0", [](SvcInfo* r) { r->audioPid = 0; }, "0"},
        {"PCRPID 8191", kTvName, colPcrPid, "8191", [](SvcInfo* r) { r->pcrPid = 8191; }, "8191"},
        {"VID 8192, no PID", kTvName, colVid, "8192", [](SvcInfo* r) { r->videoPid = PID_NONE; },
         "8192"},
        {"VID 8193", kTvName, colVid, "8193", nullptr, nullptr},
        {"VID 70000", kTvName, colVid, "70000", nullptr, nullptr},
        {"AID -5", kTvName, colAid, "-5", nullptr, nullptr},
        {"PCRPID 12#", kTvName, colPcrPid, "12#", nullptr, nullptr},
        {"VID 12a", kTvName, colVid, "12a", nullptr, nullptr},
        {"AID a12", kTvName, colAid, "a12", nullptr, nullptr},
        {"VID empty", kTvName, colVid, "", nullptr, nullptr},
        {"VID with a leading blank", kTvName, colVid, " 7", nullptr, nullptr},
        {"AID of twenty digits", kTvName, colAid, "99999999999999999999", nullptr, nullptr},
        {"LOCK set", kTvName, colLock, "TRUE", [](SvcInfo* r) { r->flags |= SVCF_LOCK; }, "TRUE"},
        {"LOCK clear", kRadioName, colLock, "FALSE", [](SvcInfo* r) { r->flags &= ~SVCF_LOCK; },
         "FALSE"},
        {"ServiceID is shown only", kTvName, colServiceId, "999", nullptr, nullptr},
        {"CAS is shown only", kTvName, colCas, "VIACCESS", nullptr, nullptr},
        {"Channel No. is shown only", kRadioName, colChannelNo, "42", nullptr, nullptr},
        {"a record that cannot be read is not written", kTvName, colServiceName, "New name",
         nullptr, nullptr, true},
    };
    return cases;
}

// A PID row that stores nothing is refused with a message; no other row tells anything.
bool WarnsOf(const CommitCase& c) { return IsPidColumn(c.column) && !c.change; }

class ChannelCommitTest : public ChannelListTest {
  protected:
    // The message boxes since told boxes: the refusal's one for a refused
    // PID, none otherwise.
    void ExpectWarning(const CommitCase& c, std::size_t told) {
        const auto& calls = boxes.Calls();
        ASSERT_EQ(calls.size() - told, WarnsOf(c) ? 1u : 0u);
        if (!WarnsOf(c)) return;
        EXPECT_EQ(calls.back().text, kPidCellRefusal);
        EXPECT_EQ(calls.back().caption, "ERROR");
        EXPECT_EQ(calls.back().flags, platform::MB_OK | platform::MB_ICONSTOP);
    }
    // One case: edit(row) ends an edit of c.column in c.service's row with
    // c.typed; the whole record and the cell are then compared.
    void Check(const CommitCase& c, const std::function<void(int row)>& edit) {
        SelectTp(tpA);
        const int row = RowOf(c.service);
        ASSERT_GT(row, 0);
        const SvcHandle handle = RowService(row);
        const SvcInfo original = Record(handle);
        SvcInfo expected = original;
        if (c.change) c.change(&expected);
        const std::string before = Cell(row, c.column);
        if (c.readFails)
            grid->m_readService = [](SvcHandle, SvcInfo*) -> SLM_RESULT { return DBERR_NOT_FOUND; };

        edit(row);
        grid->m_readService = SLM_GetServiceInfo;

        const SvcInfo after = Record(handle);
        EXPECT_EQ(std::memcmp(&after, &expected, sizeof after), 0);
        const std::string shown = c.shown ? c.shown : before;
        EXPECT_EQ(Cell(row, c.column), shown);
        const CItemInfo* info = grid->GetData(grid->GetTreeItem(row));
        const std::string stored =
            c.column == 0 ? info->GetItemText() : info->GetSubItemText(c.column - 1);
        EXPECT_EQ(stored, shown);
        ASSERT_EQ(SLM_SetServiceInfo(handle, &original), DBERR_OK); // the next case starts clean
    }

    // How a real editor is opened and ended.
    enum class Road {
        f2AndEnter,  // F2; Enter
        mouseAndTab, // a click into a combo's drop button or a double click
                     // on an edit cell; Tab (a combo ends by its choice)
    };

    // Opens the cell's editor by road and types c.typed as a user does: in an
    // edit box over the whole old text, in a drop-down by moving to the entry.
    // False when the road opens no editor on that column.
    bool EditByKeys(int row, const CommitCase& c, Road road) {
        const bool comboColumn = c.column == colLock || c.column == colType;
        platform::Rect cell;
        EXPECT_TRUE(grid->GetSubItemRect(row, c.column, platform::LVIR_BOUNDS, cell));
        const int middle = (cell.top + cell.bottom) / 2;
        if (road == Road::f2AndEnter) {
            PressF2(row, c.column);
        } else if (comboColumn) {
            grid->SetFocus();
            QTest::mouseClick(grid->GetClientWidget(), Qt::LeftButton, {},
                              QPoint(cell.right - 1, middle));
            Settle();
        } else {
            // A double click on the tree column opens no box.
            if (c.column == colChannelNo) return false;
            const QPoint at((cell.left + cell.right) / 2, middle);
            grid->SetFocus();
            QTest::mouseClick(grid->GetClientWidget(), Qt::LeftButton, {}, at);
            Settle();
            QTest::mouseDClick(grid->GetClientWidget(), Qt::LeftButton, {}, at);
            Settle();
        }
        if (comboColumn) {
            platform::ComboBox* combo = OpenCombo();
            EXPECT_NE(combo, nullptr);
            if (!combo) return true;
            const int target = combo->FindStringExact(-1, c.typed);
            EXPECT_NE(target, platform::CB_ERR);
            const int steps = target - combo->GetCurSel();
            for (int n = 0; n < std::abs(steps); ++n)
                Key(steps > 0 ? Qt::Key_Down : Qt::Key_Up);
            Key(Qt::Key_Return);
            return true;
        }
        EXPECT_NE(grid->GetEditBox(), nullptr);
        // Whatever the road selected, the old text goes: all of it selected.
        Key(Qt::Key_End);
        Key(Qt::Key_Home, Qt::ShiftModifier);
        if (*c.typed)
            Type(c.typed);
        else
            Key(Qt::Key_Delete);
        Key(road == Road::f2AndEnter ? Qt::Key_Return : Qt::Key_Tab);
        return true;
    }
};

TEST_F(ChannelCommitTest, CellCommitsWriteTheRecordAndShowWhatItHolds) {
    for (const CommitCase& c : CommitCases()) {
        SCOPED_TRACE(c.name);
        const std::size_t told = boxes.Calls().size();
        Check(c, [&](int row) { Commit(row, c.column, c.typed); });
        ExpectWarning(c, told);
    }
}

TEST_F(ChannelCommitTest, TheSameCommitsThroughTheRealEditors) {
    for (const Road road : {Road::f2AndEnter, Road::mouseAndTab}) {
        for (const CommitCase& c : CommitCases()) {
            SCOPED_TRACE(std::string(c.name) +
                         (road == Road::f2AndEnter ? ", F2 and Enter" : ", mouse and Tab"));
            const std::size_t told = boxes.Calls().size();
            bool edited = false;
            Check(c, [&](int row) {
                if (!EditByKeys(row, c, road)) return;
                edited = true;
                EXPECT_EQ(grid->GetOpenEditor(), nullptr);
                EXPECT_EQ(OpenCombo(), nullptr);
            });
            if (edited) ExpectWarning(c, told);
        }
    }
}

TEST_F(ChannelListTest, TypeTurnsTvIntoRadioAndBackAndARebuildShowsIt) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    ASSERT_GT(row, 0);
    const SvcHandle handle = RowService(row);

    Commit(row, colType, "RADIO");
    EXPECT_EQ(DB_GetBits(Record(handle).flags, SVCF_TYPE_LO, SVCF_TYPE_W), SVC_TYPE_RADIO);
    EXPECT_EQ(Cell(row, colType), "RADIO");
    SelectTp(tpA);
    EXPECT_EQ(Cell(RowOf(kTvName), colType), "RADIO");

    Commit(RowOf(kTvName), colType, "T V");
    EXPECT_EQ(DB_GetBits(Record(handle).flags, SVCF_TYPE_LO, SVCF_TYPE_W), SVC_TYPE_TV);
    SelectTp(tpA);
    EXPECT_EQ(Cell(RowOf(kTvName), colType), "T V");
}

TEST_F(ChannelListTest, EditAwayFromATransponderIsRefusedWithAMessageAndKeepsTheTypedText) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    const SvcHandle handle = RowService(row);
    const SvcInfo before = Record(handle);
    selection.m_select = 1; // the tree moved to the satellite; the list was not rebuilt

    Commit(row, colVid, "77");

    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "Current not applied");
    EXPECT_EQ(boxes.Calls()[0].caption, "Information");
    EXPECT_EQ(boxes.Calls()[0].flags, platform::MB_OK);
    const SvcInfo after = Record(handle);
    EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
    EXPECT_EQ(Cell(row, colVid), "77");
}

TEST_F(ChannelListTest, TheTransponderRowWritesNoService) {
    SelectTp(tpA);
    SvcInfo before[3];
    for (int row = 1; row <= 3; ++row)
        before[row - 1] = Record(RowService(row));

    Commit(0, colChannelNo, "renamed");

    for (int row = 1; row <= 3; ++row) {
        const SvcInfo after = Record(RowService(row));
        EXPECT_EQ(std::memcmp(&after, &before[row - 1], sizeof after), 0) << row;
    }
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ChannelListTest, EditOfNoColumnOfTheListCommitsNothing) {
    SelectTp(tpA);
    const int row = RowOf(kTvName);
    const SvcHandle handle = RowService(row);
    const SvcInfo before = Record(handle);
    const int texts = grid->GetData(grid->GetTreeItem(row))->GetSubItemCount();

    for (int column : {-1, int(kChannelColumnCount)})
        Commit(row, column, "1");

    const SvcInfo after = Record(handle);
    EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
    EXPECT_EQ(grid->GetData(grid->GetTreeItem(row))->GetSubItemCount(), texts);
}

TEST_F(ChannelListTest, RowWhoseServiceIsGoneWritesNothingAndShowsItsStoredText) {
    SelectTp(tpA);
    const int last = grid->GetItemCount() - 1;
    const std::string before = Cell(last, colVid);
    ASSERT_EQ(SLM_DeleteService(RowService(last)), DBERR_OK);
    SvcInfo others[2] = {Record(RowService(1)), Record(RowService(2))};

    Commit(last, colVid, "55");

    EXPECT_EQ(Cell(last, colVid), before);
    for (int row = 1; row <= 2; ++row) {
        const SvcInfo after = Record(RowService(row));
        EXPECT_EQ(std::memcmp(&after, &others[row - 1], sizeof after), 0) << row;
    }
}

struct PidCase {
    const char* text;
    bool taken;
    uint16_t value;
};

TEST(ServiceCells, PidTextsAreDecimalDigitsUpToNoPid) {
    const PidCase cases[] = {
        {"0", true, 0},       {"8191", true, 8191},     {"8192", true, 8192},
        {"000042", true, 42}, {"8193", false, 0},       {"65536", false, 0},
        {"", false, 0},       {"+5", false, 0},         {"5 ", false, 0},
        {"0x10", false, 0},   {"4294967297", false, 0}, {"99999999999999999999", false, 0},
    };
    for (const PidCase& c : cases) {
        SCOPED_TRACE(c.text);
        uint16_t pid = 0xBEEF;
        EXPECT_EQ(ParsePidText(c.text, &pid), c.taken);
        EXPECT_EQ(pid, c.taken ? c.value : 0xBEEF);
    }
    uint16_t pid = 0;
    EXPECT_FALSE(ParsePidText(nullptr, &pid));
}

} // namespace
