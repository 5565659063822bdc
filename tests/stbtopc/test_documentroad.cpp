// The editor's document road end to end, on the seams it will call: a new
// list from the bytes of "Default.dat", channels added and edited through
// slm.h, saved to image bytes, wrapped into a container in memory and
// unwrapped again, opened, and compared; then a damaged container whose
// image does not open leaves the list that was open as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "cdlbytes.h"
#include "dbtest.h"
#include "documentimages.h"
#include "slm.h"
#include "wrapper.h"

namespace {

using Bytes = std::vector<uint8_t>;

// One channel as the channel list shows it.
struct Channel {
    std::string name;
    uint16_t number;
    uint8_t type;
    uint16_t videoPid, audioPid, pcrPid;
    bool operator==(const Channel&) const = default;
    friend void PrintTo(const Channel& c, std::ostream* out) {
        *out << c.name << " #" << c.number << " type " << int(c.type) << " PIDs " << c.videoPid
             << "/" << c.audioPid << "/" << c.pcrPid;
    }
};

class DocumentRoadTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
    }

    // Every channel of list 0, in list order, walked as the channel move
    // dialog walks: the count, then step 0 from -1 and step 1 from each.
    static std::vector<Channel> Channels() {
        std::vector<Channel> channels;
        uint16_t count = 0;
        EXPECT_EQ(SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, &count),
                  DBERR_OK);
        SvcHandle handle = SVC_HANDLE_INVALID;
        for (uint16_t i = 0; i < count; ++i) {
            EXPECT_EQ(SLM_GetNextServiceHandle(handle, LIST_ALL, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY,
                                               i == 0 ? 0 : 1, &handle),
                      DBERR_OK);
            SvcInfo svcInfo{};
            EXPECT_EQ(SLM_GetServiceInfo(handle, &svcInfo), DBERR_OK);
            uint8_t name[SVC_NAME_LEN];
            EXPECT_EQ(SLM_GetServiceName(handle, name), DBERR_OK);
            Channel channel{std::string(reinterpret_cast<const char*>(name),
                                        strnlen(reinterpret_cast<const char*>(name), SVC_NAME_LEN)),
                            0,
                            0,
                            svcInfo.videoPid,
                            svcInfo.audioPid,
                            svcInfo.pcrPid};
            EXPECT_EQ(SLM_GetServiceNumber(handle, &channel.number, &channel.type), DBERR_OK);
            channels.push_back(channel);
        }
        return channels;
    }
};

TEST_F(DocumentRoadTest, NewEditSaveEncodeDecodeOpenAndADamagedOpenKeepsTheList) {
    // New File.
    const Bytes defaultDat = TemplateImage();
    uint16_t count = 0xFFFF;
    ASSERT_EQ(DB_NewFromTemplate(defaultDat.data(), defaultDat.size(), &count), DBERR_OK);
    EXPECT_EQ(count, 0u);

    // A satellite with a transponder, three channels on it, cell edits.
    const uint8_t slot = static_cast<uint8_t>(SN_GetCurrentNumAntenna());
    SatInfo sat{};
    sat.lnb = SAT_IN_USE | 9750000;
    std::strncpy(sat.name, "Hotbird", SAT_NAME_LEN - 1);
    ASSERT_EQ(SN_SetSatInfo(slot, &sat), DBERR_OK);
    uint16_t rows = 0, constant = 0;
    ASSERT_EQ(SLM_LoadSatTpList(slot, 0, &rows, &constant), DBERR_OK);
    TpRow row{};
    row.frequency = 11034;
    row.symbolRate = 27500;
    row.state = 1;
    const uint16_t one = 1;
    ASSERT_EQ(SLM_AddTp(&row, &one), DBERR_OK);
    ASSERT_EQ(SLM_CommitTpList(slot), DBERR_OK);
    ASSERT_EQ(SLM_GetNthTp(0, &row), DBERR_OK);
    const TpInfo key = SLM_TpRowToKey(row, slot);
    struct Added {
        const char* name;
        uint16_t pcr, video, audio;
    };
    for (const Added& a :
         {Added{"Rai Uno", 0x201, 0x200, 0x202}, Added{"Rai Due", 0x301, 0x300, 0x302},
          Added{"Radio 3", 0x401, PID_NONE, 0x402}}) {
        char name[SVC_NAME_LEN] = {};
        std::memcpy(name, a.name, std::strlen(a.name));
        SvcHandle handle = SVC_HANDLE_INVALID;
        ASSERT_EQ(SLM_AddService(&key, name, &handle), DBERR_OK);
        ASSERT_EQ(SLM_SetServicePids(handle, a.pcr, a.video, a.audio), DBERR_OK);
    }
    SvcHandle radio = SVC_HANDLE_INVALID;
    ASSERT_EQ(SLM_GetNthServiceHandleWithTpInfo(&key, 2, &radio), DBERR_OK);
    SvcInfo cell{};
    ASSERT_EQ(SLM_GetServiceInfo(radio, &cell), DBERR_OK);
    cell.flags = DB_SetBits(cell.flags, SVCF_TYPE_LO, SVCF_TYPE_W, SVC_TYPE_RADIO);
    ASSERT_EQ(SLM_SetServiceInfo(radio, &cell), DBERR_OK);

    // Save: image bytes, then the container, in memory.
    const Bytes saved = SavedImage();
    Bytes container;
    ASSERT_EQ(CdlEncodeBytes(saved.data(), saved.size(), container), 0);

    // Load: the container checked and unwrapped, the image opened.
    Bytes image;
    ASSERT_TRUE(CdlDecodeBytes(container.data(), container.size(), image).Passed());
    EXPECT_EQ(image, saved);
    DB_CloseImage();
    ASSERT_EQ(DB_OpenImage(image.data(), image.size(), &count), DBERR_OK);
    EXPECT_EQ(count, 3u);
    const std::vector<Channel> expected = {{"Rai Uno", 1, SVC_TYPE_TV, 0x200, 0x202, 0x201},
                                           {"Radio 3", 1, SVC_TYPE_RADIO, 0, 0x402, 0x401},
                                           {"Rai Due", 2, SVC_TYPE_TV, 0x300, 0x302, 0x301}};
    EXPECT_EQ(Channels(), expected);
    SatInfo reread{};
    ASSERT_EQ(SN_GetSatInfo(slot, &reread), DBERR_OK);
    EXPECT_EQ(std::memcmp(&reread, &sat, sizeof sat), 0);
    EXPECT_EQ(SavedImage(), saved) << "what was opened saves to the same bytes";

    // A container with a damaged block: the reader stops there, and the
    // image it gives (the blocks before) does not open. The list stays.
    Bytes damaged = container;
    damaged[damaged.size() / 2] ^= 0x01;
    Bytes partial;
    const CdlCheck check = CdlDecodeBytes(damaged.data(), damaged.size(), partial);
    EXPECT_EQ(check.fault, CdlFault::CrcMismatch);
    EXPECT_EQ(check.record, CdlRecordTag::DG);
    const Bytes imageBefore(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
    EXPECT_EQ(DB_OpenImage(partial.data(), partial.size(), &count), DBERR_NOT_A_DATABASE);
    EXPECT_EQ(Channels(), expected);
    EXPECT_EQ(Bytes(g_FlashImage, g_FlashImage + FLASH_DB_SIZE), imageBefore);
    uint16_t all = 0;
    ASSERT_EQ(SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, SVC_QUERY_TYPE_ANY, &all),
              DBERR_OK);
    EXPECT_EQ(all, 3u);
}

} // namespace
