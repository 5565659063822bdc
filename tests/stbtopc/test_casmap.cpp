// The CA map: broadcast CA system ids to the bits of the CA lists.
#include <gtest/gtest.h>

#include <string>

#include "casmap.h"

namespace {

struct CasCase {
    uint16_t casId;
    CasBit bit;
    const char* name;
};

TEST(CasMap, EveryFamilyAtItsEdgesAndTheIdsAround) {
    const CasCase cases[] = {
        {0x0000, CAS_BIT_NONE, "ETC"},   {0x00FF, CAS_BIT_OTHER, "ETC"},
        {0x0100, 0x0001, "MEDIAGUARD"},  {0x01FF, 0x0001, "MEDIAGUARD"},
        {0x0200, CAS_BIT_OTHER, "ETC"},  {0x0500, 0x0002, "VIACCESS"},
        {0x05FF, 0x0002, "VIACCESS"},    {0x0600, 0x0004, "IRDETO"},
        {0x06FF, 0x0004, "IRDETO"},      {0x0700, CAS_BIT_OTHER, "ETC"},
        {0x0900, 0x0008, "NDS"},         {0x09FF, 0x0008, "NDS"},
        {0x0B00, 0x0010, "CONAX"},       {0x0B12, 0x0010, "CONAX"},
        {0x0D00, 0x0020, "CRYPTOWORKS"}, {0x0DFF, 0x0020, "CRYPTOWORKS"},
        {0x0E00, 0x0080, "POWERVU"},     {0x0EFF, 0x0080, "POWERVU"},
        {0x1700, 0x0040, "BETACRYPT"},   {0x17FF, 0x0040, "BETACRYPT"},
        {0x1800, 0x0200, "NAGRAVISION"}, {0x18FF, 0x0200, "NAGRAVISION"},
        {0x2600, 0x0100, "BISS"},        {0x26FF, 0x0100, "BISS"},
        {0x2700, CAS_BIT_OTHER, "ETC"},  {0xFFFF, CAS_BIT_OTHER, "ETC"},
        {0x0001, CAS_BIT_OTHER, "ETC"}, // low byte alone is no family
    };
    for (const CasCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.casId);
        EXPECT_EQ(INT_SLM_MapCasId(c.casId), c.bit);
        uint16_t out = 0x1234;
        EXPECT_EQ(SLM_GetCasBit(c.casId, &out), DBERR_OK);
        EXPECT_EQ(out, c.bit);
        EXPECT_EQ(std::string(INT_SLM_CasBitName(c.bit)), c.name);
    }
}

TEST(CasMap, BitsFollowTheCaListOrderAndNullOutIsRefused) {
    // List 110 + k selects 1 << k: the family ids in list order.
    const uint16_t idOfList[] = {0x0100, 0x0500, 0x0600, 0x0900, 0x0B00,
                                 0x0D00, 0x1700, 0x0E00, 0x2600, 0x1800};
    for (unsigned k = 0; k < CAS_FAMILY_COUNT; ++k)
        EXPECT_EQ(INT_SLM_MapCasId(idOfList[k]), INT_SLM_MakeCasBit(k)) << k;
    EXPECT_EQ(INT_SLM_MakeCasBit(10), 0x0400);
    EXPECT_EQ(INT_SLM_MakeCasBit(15), 0x8000);
    EXPECT_EQ(INT_SLM_MakeCasBit(16), 0);
    EXPECT_EQ(SLM_GetCasBit(0x0500, nullptr), DBERR_NULL_ARG);
    EXPECT_EQ(std::string(INT_SLM_CasBitName(0x0003)), "ETC"); // two bits: no family
}

// The public read the channel list's CAS column takes: the id's bit, then
// the bit's name.
TEST(CasMap, PublicNameOfABitAsTheChannelListShowsIt) {
    struct Case {
        uint16_t casId;
        const char* name;
    };
    const Case cases[] = {{0x0B12, "CONAX"}, {0x1801, "NAGRAVISION"}, {0x0000, "ETC"},
                          {0x0200, "ETC"}};
    for (const Case& c : cases) {
        uint16_t bit = 0;
        ASSERT_EQ(SLM_GetCasBit(c.casId, &bit), DBERR_OK);
        const char* name = nullptr;
        ASSERT_EQ(SLM_GetCasName(bit, &name), DBERR_OK);
        EXPECT_EQ(std::string(name), c.name) << c.casId;
    }
    EXPECT_EQ(SLM_GetCasName(CAS_BIT_NONE, nullptr), DBERR_NULL_ARG);
}

} // namespace
