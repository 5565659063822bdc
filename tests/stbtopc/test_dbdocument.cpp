// The document road over image bytes: an open, a save or a close that
// fails leaves the list that was open, and the image, as they were.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dballoc.h"
#include "dbsnapshot.h"
#include "dbtest.h"
#include "flashstore.h"
#include "imagebuilder.h"
#include "indexbank.h"
#include "slm.h"
#include "wrapper.h"

namespace {

using Image = std::vector<uint8_t>;

Image LiveImage() {
    return Image(g_FlashImage, g_FlashImage + FLASH_DB_SIZE);
}

uint8_t* SectorBytes(Image& image, uint16_t sector) {
    return image.data() + (WRAP_SectorAddress(sector) - FLASH_DB_BASE);
}

// An image of the test builder with that many services and a group.
Image SampleImage(uint32_t services) {
    EXPECT_TRUE(BuildImage(SampleSpec({.services = services,
                                       .transportStreams = 3,
                                       .transponders = 2,
                                       .providers = 2,
                                       .satellites = 1,
                                       .favourites = 1})));
    return LiveImage();
}

class DbDocumentTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        a_ = SampleImage(12);
        b_ = SampleImage(7);
        DB_CloseImage();
        ASSERT_EQ(DB_DocumentInit(), DBERR_OK);
    }

    // A opened, then a channel added and not saved.
    void OpenAWithAnUnsavedChannel() {
        uint16_t count = 0;
        ASSERT_EQ(DB_OpenImage(a_.data(), a_.size(), &count), DBERR_OK);
        ASSERT_EQ(count, 12u);
        TpInfo key{};
        key.frequency = 12345;
        SvcHandle handle = SVC_HANDLE_INVALID;
        ASSERT_EQ(SLM_AddService(&key, "Unsaved", &handle), DBERR_OK);
    }

    Image a_, b_;
};

TEST_F(DbDocumentTest, OpenSaveAndCloseRoundTrip) {
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenImage(b_.data(), b_.size(), &count), DBERR_OK);
    EXPECT_EQ(count, 7u);
    const DbSnapshot opened = TakeDbSnapshot();
    Image saved(DB_IMAGE_SIZE + 16, 0xEE); // a larger buffer takes the image at its start
    ASSERT_EQ(DB_SaveImage(saved.data(), saved.size()), DBERR_OK);
    EXPECT_EQ(Image(saved.begin(), saved.begin() + DB_IMAGE_SIZE), LiveImage());
    EXPECT_EQ(saved.back(), 0xEE);

    DB_CloseImage();
    EXPECT_EQ(LiveImage(), Image(DB_IMAGE_SIZE, 0));
    uint16_t all = 0xFFFF;
    EXPECT_EQ(SLM_GetNumServicesInList(LIST_ALL, SVC_NUMBER_ANY, SVC_TYPE_ANY, &all), DBERR_OK);
    EXPECT_EQ(all, 0u);

    ASSERT_EQ(DB_OpenImage(saved.data(), DB_IMAGE_SIZE, &count), DBERR_OK);
    EXPECT_TRUE(TakeDbSnapshot() == opened);
}

// A reopen loads the image in memory again: what was saved comes back, what
// was not is dropped; the image's bytes stay.
TEST_F(DbDocumentTest, AReopenLoadsTheImageInMemoryAgain) {
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenImage(b_.data(), b_.size(), &count), DBERR_OK);
    const DbSnapshot opened = TakeDbSnapshot();
    TpInfo key{};
    key.frequency = 12345;
    SvcHandle handle = SVC_HANDLE_INVALID;
    ASSERT_EQ(SLM_AddService(&key, "Unsaved", &handle), DBERR_OK);
    const Image imageBefore = LiveImage();
    ASSERT_EQ(DB_ReopenImage(&count), DBERR_OK);
    EXPECT_EQ(count, 7u);
    EXPECT_TRUE(TakeDbSnapshot() == opened);
    EXPECT_EQ(LiveImage(), imageBefore);
}

// Each failed open leaves the open list with its unsaved channel, the image
// bytes and the current region as they were.
TEST_F(DbDocumentTest, AnOpenThatFailsKeepsTheListThatWasOpen) {
    Image bothBanksBroken = b_;
    SectorBytes(bothBanksBroken, DB_PRIMARY_BANK_SECTOR)[IDXBANK_OFFSET] ^= 0xFF;
    SectorBytes(bothBanksBroken, DB_BACKUP_BANK_SECTOR)[IDXBANK_OFFSET] ^= 0xFF;
    Image checksumsBroken = b_;
    SectorBytes(checksumsBroken, DB_PRIMARY_BANK_SECTOR)[IDXBANK_CHECKSUM_OFFSET] ^= 1;
    SectorBytes(checksumsBroken, DB_BACKUP_BANK_SECTOR)[IDXBANK_CHECKSUM_OFFSET] ^= 1;
    const Image zeros(DB_IMAGE_SIZE, 0);
    const Image erased(DB_IMAGE_SIZE, 0xFF);
    const Image cutShort(b_.begin(), b_.begin() + 0x1000);
    struct Case {
        const char* what;
        const Image* bytes; // null: no bytes at all
        DBERR expected;
    };
    const Case cases[] = {
        {"both banks' magic broken", &bothBanksBroken, DBERR_NOT_A_DATABASE},
        {"both banks' first checksum broken", &checksumsBroken, DBERR_NOT_A_DATABASE},
        {"all zero", &zeros, DBERR_NOT_A_DATABASE},
        {"erased flash", &erased, DBERR_NOT_A_DATABASE},
        {"cut short before its banks", &cutShort, DBERR_NOT_A_DATABASE},
        {"no bytes", nullptr, DBERR_NULL_OBJECT},
    };
    OpenAWithAnUnsavedChannel();
    ASSERT_EQ(SN_SetRegionId(2), DBERR_OK);
    const DbSnapshot before = TakeDbSnapshot();
    const Image imageBefore = LiveImage();
    for (const Case& c : cases) {
        uint16_t count = 0xFFFF;
        const uint8_t* bytes = c.bytes != nullptr ? c.bytes->data() : nullptr;
        const size_t size = c.bytes != nullptr ? c.bytes->size() : 0;
        EXPECT_EQ(DB_OpenImage(bytes, size, &count), c.expected) << c.what;
        EXPECT_EQ(count, 0u) << c.what;
        EXPECT_TRUE(TakeDbSnapshot() == before) << c.what;
        EXPECT_EQ(LiveImage(), imageBefore) << c.what;
        EXPECT_EQ(SN_GetRegionId(), 2u) << c.what;
    }
    // The list still saves with its unsaved channel.
    Image saved(DB_IMAGE_SIZE);
    ASSERT_EQ(DB_SaveImage(saved.data(), saved.size()), DBERR_OK);
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenImage(saved.data(), saved.size(), &count), DBERR_OK);
    EXPECT_EQ(count, 13u);
}

TEST_F(DbDocumentTest, ASaveThatFailsChangesNothing) {
    OpenAWithAnUnsavedChannel();
    const DbSnapshot before = TakeDbSnapshot();
    const Image imageBefore = LiveImage();
    Image small(DB_IMAGE_SIZE - 1, 0xEE);
    EXPECT_EQ(DB_SaveImage(small.data(), small.size()), DBERR_TABLE_INDEX);
    EXPECT_EQ(small, Image(DB_IMAGE_SIZE - 1, 0xEE));
    EXPECT_EQ(DB_SaveImage(nullptr, DB_IMAGE_SIZE), DBERR_NULL_ARG);
    // No memory for the commit's snapshot.
    Image out(DB_IMAGE_SIZE, 0xEE);
    DB_SetAllocFailAfter(0);
    EXPECT_EQ(DB_SaveImage(out.data(), out.size()), DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    EXPECT_EQ(out, Image(DB_IMAGE_SIZE, 0xEE));
    EXPECT_TRUE(TakeDbSnapshot() == before);
    EXPECT_EQ(LiveImage(), imageBefore);
}

// An open swept over each of its allocations: it opens B, or it fails and
// leaves A's image bytes with A open, unsaved channel and all (memory gave
// out before the load began), or A as last saved (memory gave out part way
// through the load), or no list (memory stayed short).
TEST_F(DbDocumentTest, AnOpenOutOfMemoryNeverLeavesHalfAList) {
    uint16_t count = 0;
    ASSERT_EQ(DB_OpenImage(a_.data(), a_.size(), &count), DBERR_OK);
    const DbSnapshot aSaved = TakeDbSnapshot();
    ASSERT_EQ(DB_OpenImage(b_.data(), b_.size(), &count), DBERR_OK);
    const DbSnapshot bOpened = TakeDbSnapshot();
    DB_CloseImage();
    const DbSnapshot none = TakeDbSnapshot();

    OpenAWithAnUnsavedChannel();
    const Image aImage = LiveImage();
    DB_ClearAllocationCount();
    ASSERT_EQ(DB_OpenImage(b_.data(), b_.size(), &count), DBERR_OK);
    const uint32_t allocations = DB_AllocationCount();
    ASSERT_GT(allocations, 20u);

    bool sawBefore = false, sawSaved = false;
    for (uint32_t n = 0; n < allocations; ++n) {
        SCOPED_TRACE(n);
        DB_CloseImage();
        OpenAWithAnUnsavedChannel();
        const DbSnapshot aEdited = TakeDbSnapshot();
        // Memory runs short for one allocation (then for good, below).
        DB_FailOneAllocation(n);
        const DBERR result = DB_OpenImage(b_.data(), b_.size(), &count);
        DB_SetAllocFailAfter(-1);
        const DbSnapshot after = TakeDbSnapshot();
        if (result == DBERR_OK) {
            EXPECT_TRUE(after == bOpened);
            continue;
        }
        EXPECT_EQ(result, DBERR_NO_MEMORY);
        EXPECT_EQ(LiveImage(), aImage);
        const bool isBefore = after == aEdited;
        const bool isSaved = after == aSaved;
        EXPECT_TRUE(isBefore || isSaved || after == none);
        sawBefore |= isBefore;
        sawSaved |= isSaved;
    }
    EXPECT_TRUE(sawBefore) << "a failure before the load keeps the unsaved channel";
    EXPECT_TRUE(sawSaved) << "a failure in the load brings back the list as saved";

    // Memory that stays short: no list, A's image bytes.
    DB_CloseImage();
    OpenAWithAnUnsavedChannel();
    DB_SetAllocFailAfter(static_cast<int32_t>(allocations / 2));
    EXPECT_EQ(DB_OpenImage(b_.data(), b_.size(), &count), DBERR_NO_MEMORY);
    DB_SetAllocFailAfter(-1);
    EXPECT_TRUE(TakeDbSnapshot() == none);
    EXPECT_EQ(LiveImage(), aImage);
}

} // namespace
