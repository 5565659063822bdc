// The editor's road on the library, as the main window and its dialogs take
// it: New opens the template image, the user adds a satellite, its
// transponders and channels, edits cells, moves a channel, deletes one and
// saves; every reopen of the saved image shows what was saved. Like a view,
// the test reaches the library through slm.h alone (dbtest.h only resets the
// library between tests).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dbtest.h"
#include "documentimages.h"
#include "slm.h"

namespace {

using Image = std::vector<uint8_t>;

// One channel as the channel list shows it.
struct Channel {
    std::string name;
    uint32_t number;
    uint32_t type;
    uint16_t videoPid, audioPid, pcrPid;
    bool locked;
    bool operator==(const Channel&) const = default;
};

class EditorRoadTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
    }

    static TpRow Row(uint32_t frequencyMhz, uint32_t symbolRate) {
        TpRow row{};
        row.frequency = frequencyMhz;
        row.symbolRate = symbolRate;
        row.state = 1;
        return row;
    }

    // The transponder key of row n of the satellite, as the tree builds it.
    static TpInfo KeyOfRow(uint8_t slot, uint32_t n) {
        uint16_t count = 0, constant = 0;
        SLM_LoadSatTpList(slot, 0, &count, &constant);
        TpRow row{};
        EXPECT_EQ(SLM_GetNthTp(n, &row), DBERR_OK);
        return SLM_TpRowToKey(row, slot);
    }

    // The channel list of a transponder, in the order the list shows it.
    static std::vector<Channel> ChannelsOn(const TpInfo& key) {
        std::vector<Channel> channels;
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (uint32_t n = 0; SLM_GetNthServiceHandleWithTpInfo(&key, n, &handle) == DBERR_OK; ++n) {
            SvcInfo svcInfo{};
            EXPECT_EQ(SLM_GetServiceInfo(handle, &svcInfo), DBERR_OK);
            uint8_t name[SVC_NAME_LEN];
            EXPECT_EQ(SLM_GetServiceName(handle, name), DBERR_OK);
            uint16_t number = 0;
            uint8_t type = 0;
            EXPECT_EQ(SLM_GetServiceNumber(handle, &number, &type), DBERR_OK);
            channels.push_back(
                {std::string(reinterpret_cast<const char*>(name),
                             strnlen(reinterpret_cast<const char*>(name), SVC_NAME_LEN)),
                 number, type, svcInfo.videoPid, svcInfo.audioPid, svcInfo.pcrPid,
                 (svcInfo.flags & SVCF_LOCK) != 0});
        }
        return channels;
    }

    static uint16_t Count(uint32_t type) {
        uint16_t count = 0;
        EXPECT_EQ(
            SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, static_cast<uint8_t>(type), &count),
            DBERR_OK);
        return count;
    }

    // The satellite dialog's new record, with a name.
    static SatInfo NewSatellite(const char* name) {
        SatInfo satInfo{};
        satInfo.lnb = SAT_IN_USE | SAT_UNIVERSAL;
        satInfo.power = DB_SetBits(SAT_LNB_POWER, SAT_SETTING_LO, SAT_SETTING_W, 16);
        satInfo.power = DB_SetBits(satInfo.power, SAT_ORBIT_LO, SAT_ORBIT_W, 192);
        std::strncpy(satInfo.name, name, SAT_NAME_LEN - 1);
        return satInfo;
    }

    // The channel dialog: add on the key, then the PIDs.
    static SvcHandle AddChannel(const TpInfo& key, const char* name, uint16_t pcr, uint16_t video,
                                uint16_t audio) {
        char buffer[SVC_NAME_LEN] = {}; // cut to 22 bytes, zero-padded
        std::memcpy(buffer, name, strnlen(name, SVC_NAME_LEN));
        SvcHandle handle = SVC_HANDLE_INVALID;
        EXPECT_EQ(SLM_AddService(&key, buffer, &handle), DBERR_OK) << name;
        EXPECT_EQ(SLM_SetServicePids(handle, pcr, video, audio), DBERR_OK) << name;
        return handle;
    }

    // The cell edit of the channel list: read, change, write back.
    template <typename Change> static void EditCell(SvcHandle handle, Change change) {
        SvcInfo cell{};
        ASSERT_EQ(SLM_GetServiceInfo(handle, &cell), DBERR_OK);
        change(cell);
        ASSERT_EQ(SLM_SetServiceInfo(handle, &cell), DBERR_OK);
    }
};

TEST_F(EditorRoadTest, NewListEditedSavedAndReopenedShowsWhatWasSaved) {
    const Image defaultDat = TemplateImage();
    ASSERT_EQ(defaultDat.size(), DB_IMAGE_SIZE);

    // New: the template opens as an empty list.
    DB_CloseImage();
    uint16_t services = 0xFFFF;
    ASSERT_EQ(DB_NewFromTemplate(defaultDat.data(), defaultDat.size(), &services), DBERR_OK);
    EXPECT_EQ(services, 0u);
    EXPECT_EQ(Count(SVC_TYPE_ANY), 0u);

    // A satellite in the first user slot, two transponders on it.
    const uint8_t slot = static_cast<uint8_t>(SN_GetCurrentNumAntenna());
    ASSERT_EQ(SN_IsSatUsed(slot), 0u);
    const SatInfo satellite = NewSatellite("Astra");
    ASSERT_EQ(SN_SetSatInfo(slot, &satellite), DBERR_OK);
    uint16_t rows = 0, constant = 0;
    SLM_LoadSatTpList(slot, 0, &rows, &constant);
    EXPECT_EQ(rows, 0);
    const uint16_t dialogCount = 1; // the transponder dialog's count, never 0
    TpRow first = Row(11778, 27500), second = Row(12188, 27500);
    ASSERT_EQ(SLM_AddTp(&first, &dialogCount), DBERR_OK);
    ASSERT_EQ(SLM_CommitTpList(slot), DBERR_OK);
    ASSERT_EQ(SLM_AddTp(&second, &dialogCount), DBERR_OK);
    ASSERT_EQ(SLM_CommitTpList(slot), DBERR_OK);

    // Channels through the channel dialog, then cell edits in the list:
    // one turned into radio, one locked.
    const TpInfo tp1 = KeyOfRow(slot, 0), tp2 = KeyOfRow(slot, 1);
    const SvcHandle news = AddChannel(tp1, "News 24", 0x101, 0x100, 0x102);
    const SvcHandle sport = AddChannel(tp1, "Sport Extra Channel HD!", 0x201, 0x200, 0x202);
    const SvcHandle music = AddChannel(tp2, "Music", 0x301, PID_NONE, 0x302);
    EditCell(music, [](SvcInfo& cell) {
        cell.flags = DB_SetBits(cell.flags, SVCF_TYPE_LO, SVCF_TYPE_W, SVC_TYPE_RADIO);
    });
    EditCell(sport, [](SvcInfo& cell) { cell.flags |= SVCF_LOCK; });
    (void)news;

    const Image saved = SavedImage();
    EXPECT_NE(saved, defaultDat);

    // Reopen: the satellite, its transponders and the channels as saved;
    // the reload files the radio channel with the radio services.
    OpenImageBytes(saved);
    SatInfo reread{};
    ASSERT_EQ(SN_GetSatInfo(slot, &reread), DBERR_OK);
    EXPECT_EQ(std::memcmp(&reread, &satellite, sizeof satellite), 0);
    SLM_LoadSatTpList(slot, 0, &rows, &constant);
    EXPECT_EQ(rows, 2);
    const TpInfo reread1 = KeyOfRow(slot, 0), reread2 = KeyOfRow(slot, 1);
    EXPECT_EQ(std::memcmp(&reread1, &tp1, sizeof tp1), 0);
    EXPECT_EQ(std::memcmp(&reread2, &tp2, sizeof tp2), 0);
    const std::vector<Channel> onTp1 = {
        {"News 24", 1, SVC_TYPE_TV, 0x100, 0x102, 0x101, false},
        {"Sport Extra Channel HD", 2, SVC_TYPE_TV, 0x200, 0x202, 0x201, true}};
    const std::vector<Channel> onTp2 = {{"Music", 1, SVC_TYPE_RADIO, 0, 0x302, 0x301, false}};
    EXPECT_EQ(ChannelsOn(tp1), onTp1);
    EXPECT_EQ(ChannelsOn(tp2), onTp2);

    // Saving what was opened, unchanged, writes the same bytes.
    EXPECT_EQ(SavedImage(), saved);

    // The channel move dialog moves the second TV channel up and closes.
    ASSERT_EQ(SLM_BeginListEdit(LISTEDIT_MODE_FULL), DBERR_OK);
    SvcHandle second2 = SVC_HANDLE_INVALID, first2 = SVC_HANDLE_INVALID;
    ASSERT_EQ(SLM_GetNextServiceHandle(SVC_HANDLE_INVALID, LIST_ALL, SVC_NUMBER_ANY, SVC_TYPE_TV, 0,
                                       &first2),
              DBERR_OK);
    ASSERT_EQ(SLM_GetNextServiceHandle(first2, LIST_ALL, SVC_NUMBER_ANY, SVC_TYPE_TV, 1, &second2),
              DBERR_OK);
    ASSERT_EQ(SLM_MoveServiceInList(second2, LIST_ALL, -1), DBERR_OK);
    EXPECT_EQ(SLM_EndListEdit(1, 0), DBERR_OK);
    ASSERT_EQ(SLM_SaveServiceOrder(1), DBERR_OK);

    // The Delete key on the radio channel; then Save and reopen.
    SvcHandle onSecond = SVC_HANDLE_INVALID;
    ASSERT_EQ(SLM_GetNthServiceHandleWithTpInfo(&tp2, 0, &onSecond), DBERR_OK);
    ASSERT_EQ(SLM_DeleteService(onSecond), DBERR_OK);
    OpenImageBytes(SavedImage());

    const std::vector<Channel> moved = {
        {"Sport Extra Channel HD", 1, SVC_TYPE_TV, 0x200, 0x202, 0x201, true},
        {"News 24", 2, SVC_TYPE_TV, 0x100, 0x102, 0x101, false}};
    EXPECT_EQ(ChannelsOn(tp1), moved);
    EXPECT_TRUE(ChannelsOn(tp2).empty());
    SLM_LoadSatTpList(slot, 0, &rows, &constant);
    EXPECT_EQ(rows, 2) << "a transponder keeps its row when its last channel goes";
    EXPECT_EQ(Count(SVC_TYPE_TV), 2);
    EXPECT_EQ(Count(SVC_TYPE_RADIO), 0);
}

} // namespace
