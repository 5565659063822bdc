// The editor's road on the library, as the main window and its dialogs take
// it: New opens the template image, the user adds a satellite, its
// transponders and channels, edits cells, moves a channel, deletes one and
// saves; every reopen of the saved image shows what was saved.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dbopen.h"
#include "dbtemplate.h"
#include "indexcommit.h"
#include "indextable.h"
#include "listedit.h"
#include "satnet.h"
#include "sattable.h"
#include "tables.h"
#include "test_slmfixture.h"

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

class EditorRoadTest : public SlmTest {
  protected:
    // The template as the build makes it.
    static Image Template() {
        EXPECT_EQ(DB_MakeEmptyImage(), DBERR_OK);
        return Image(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    }

    // Closing a loaded list, then opening a raw image file as the working
    // image: the image is filled with zeros and the file read into it.
    static void Open(const Image& file) {
        IDX_ClearTable(IDX_TABLE_ALL);
        TBL_FreeAll();
        std::memset(g_FlashImage, 0, FLASH_DB_SIZE);
        std::memcpy(g_FlashImage, file.data(), file.size());
        ASSERT_EQ(DB_OpenDatabase(), 1u);
    }

    // Save Channel Data: the commit, then the whole image into the file.
    static Image Save() {
        EXPECT_EQ(IDX_CommitAll(), DBERR_OK);
        return Image(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
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
        for (SvcHandle handle : ServicesOn(key)) {
            const SvcInfo svcInfo = Record(handle);
            uint8_t name[SVC_NAME_LEN];
            INT_SLM_CopyServiceName(handle, name);
            channels.push_back(
                {std::string(reinterpret_cast<const char*>(name),
                             strnlen(reinterpret_cast<const char*>(name), SVC_NAME_LEN)),
                 Number(handle), DB_GetBits(Obj(handle).numFlags, SVH_TYPE_LO, SVH_TYPE_W),
                 svcInfo.videoPid, svcInfo.audioPid, svcInfo.pcrPid,
                 (svcInfo.flags & SVCF_LOCK) != 0});
        }
        return channels;
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
};

TEST_F(EditorRoadTest, NewListEditedSavedAndReopenedShowsWhatWasSaved) {
    const Image defaultDat = Template();
    DB_ResetAllState();
    ASSERT_EQ(DB_InitFlashMap(DB_MAX_SVC_SECTORS), 0);

    // New: the template opens as an empty list.
    Open(defaultDat);
    EXPECT_EQ(g_MasterSvcList, nullptr);

    // A satellite in the first user slot, two transponders on it.
    const uint8_t slot = static_cast<uint8_t>(g_NumAntenna);
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
    SvcInfo cell = Record(music);
    cell.flags = DB_SetBits(cell.flags, SVCF_TYPE_LO, SVCF_TYPE_W, SVC_TYPE_RADIO);
    ASSERT_EQ(SLM_SetServiceInfo(music, &cell), DBERR_OK);
    cell = Record(sport);
    cell.flags |= SVCF_LOCK;
    ASSERT_EQ(SLM_SetServiceInfo(sport, &cell), DBERR_OK);
    (void)news;

    const Image saved = Save();
    EXPECT_NE(saved, defaultDat);

    // Reopen: the satellite, its transponders and the channels as saved;
    // the reload files the radio channel with the radio services.
    Open(saved);
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
    EXPECT_EQ(Save(), saved);

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
    Open(Save());

    const std::vector<Channel> moved = {
        {"Sport Extra Channel HD", 1, SVC_TYPE_TV, 0x200, 0x202, 0x201, true},
        {"News 24", 2, SVC_TYPE_TV, 0x100, 0x102, 0x101, false}};
    EXPECT_EQ(ChannelsOn(tp1), moved);
    EXPECT_TRUE(ChannelsOn(tp2).empty());
    SLM_LoadSatTpList(slot, 0, &rows, &constant);
    EXPECT_EQ(rows, 2) << "a transponder keeps its row when its last channel goes";
    uint16_t tvCount = 0, radioCount = 0;
    ASSERT_EQ(SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, SVC_TYPE_TV, &tvCount), DBERR_OK);
    ASSERT_EQ(SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, SVC_TYPE_RADIO, &radioCount),
              DBERR_OK);
    EXPECT_EQ(tvCount, 2);
    EXPECT_EQ(radioCount, 0);
}

} // namespace
