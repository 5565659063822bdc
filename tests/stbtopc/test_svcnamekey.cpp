// Name keys and the name order of the selection sort.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "servicefixture.h"
#include "svclist.h"
#include "svcnamekey.h"
#include "wrapper.h"

namespace {

class NameKeyTest : public ServiceListTest {
  protected:
    std::string keyOf(const std::string& name) {
        const SvcHandle handle = addTv(1, name);
        SvcNameSortItem item;
        std::memset(&item, 0xEE, sizeof item);
        EXPECT_EQ(INT_SLM_MakeNameKey(handle, &item), DBERR_OK);
        EXPECT_EQ(item.handle, handle);
        // Whatever the name, the key is terminated inside its 24 bytes and
        // zero after the terminator.
        const size_t length = strnlen(reinterpret_cast<const char*>(item.key), sizeof item.key);
        EXPECT_LT(length, sizeof item.key);
        for (size_t i = length; i < sizeof item.key; ++i)
            EXPECT_EQ(item.key[i], 0) << "byte " << i << " of the key of " << name;
        return std::string(reinterpret_cast<const char*>(item.key), length);
    }
};

TEST_F(NameKeyTest, KeysDropThePrefixUpperCaseAndStripHighBytes) {
    struct Case {
        std::string name;
        std::string key;
    };
    const Case cases[] = {
        {"\x05"
         "abc",
         "ABC"},
        {"ABC", "ABC"},
        {"\x10\x01\x05xyz", "XYZ"},
        // The name's string length ends at a zero byte of the code page.
        {std::string("\x10\x00\x02xyz", 6), ""},
        {"a\xE9"
         "b\x86"
         "c",
         "ABC"},
        {"", ""},
        {"\x05", ""},
        // A full field without terminator: 22 characters, then zeros.
        {std::string(22, 'q'), std::string(22, 'Q')},
        {"\x05" + std::string(21, 'w'), std::string(21, 'W')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyOf(c.name), c.key);
}

TEST_F(NameKeyTest, KeyOfAnOwnedNameReadsOnlyThatBuffer) {
    const SvcHandle handle = addTv(1, "RECORD NAME");
    SvcHandleObj* obj = HT_Resolve(handle);
    obj->name = new uint8_t[3]{0x05, 'z', 0};
    obj->numFlags |= SVH_OWNS_NAME;
    SvcNameSortItem item;
    ASSERT_EQ(INT_SLM_MakeNameKey(handle, &item), DBERR_OK);
    EXPECT_STREQ(reinterpret_cast<const char*>(item.key), "Z");

    HT_Free(handle);
    std::memset(&item, 0xEE, sizeof item);
    EXPECT_EQ(INT_SLM_MakeNameKey(handle, &item), DBERR_NOT_FOUND);
    const uint8_t zero[SVC_NAME_KEY_LEN] = {};
    EXPECT_EQ(std::memcmp(item.key, zero, sizeof zero), 0);
    EXPECT_EQ(INT_SLM_MakeNameKey(handle, nullptr), DBERR_NULL_ARG);
}

TEST_F(NameKeyTest, SelectionSortLeavesEqualKeysInItsOwnOrder) {
    const SvcHandle b1 = addTv(1, "B");
    addPlaceholder(); // null services get no item
    const SvcHandle b2 = addTv(2, "\x05"
                                  "b");
    const SvcHandle a = addTv(3, "A");
    SvcNameSortItem items[4] = {};
    uint32_t made = 0;
    ASSERT_EQ(INT_SLM_MakeNameKeys(g_MasterSvcList, items, 4, &made), DBERR_OK);
    ASSERT_EQ(made, 3u);
    WRAP_SelectionSort(items, made, sizeof items[0], INT_SLM_CompareServiceByNameSimple);
    EXPECT_EQ((std::vector<SvcHandle>{items[0].handle, items[1].handle, items[2].handle}),
              (std::vector<SvcHandle>{a, b2, b1}));

    // Only the first count services get keys.
    ASSERT_EQ(INT_SLM_MakeNameKeys(g_MasterSvcList, items, 2, &made), DBERR_OK);
    EXPECT_EQ(made, 2u);
    EXPECT_EQ(items[1].handle, b2);
    EXPECT_EQ(INT_SLM_MakeNameKeys(g_MasterSvcList, nullptr, 2, &made), DBERR_NULL_ARG);
    EXPECT_EQ(SLM_MakeNameKeys(g_MasterSvcList, nullptr, 2), DBERR_NULL_ARG);
    SvcNameSortItem one{};
    ASSERT_EQ(SLM_MakeNameKeys(g_MasterSvcList, &one, 1), DBERR_OK);
    EXPECT_EQ(one.handle, b1);
}

TEST_F(NameKeyTest, CompareOrdersByKeyAndRefusesMissingItems) {
    SvcNameSortItem x{}, y{};
    std::memcpy(x.key, "ABC", 3);
    std::memcpy(y.key, "ABD", 3);
    EXPECT_LT(INT_SLM_CompareServiceByNameSimple(&x, &y), 0);
    EXPECT_GT(INT_SLM_CompareServiceByNameSimple(&y, &x), 0);
    EXPECT_EQ(INT_SLM_CompareServiceByNameSimple(&x, &x), 0);
    std::memcpy(y.key, "AB", 3);
    EXPECT_GT(INT_SLM_CompareServiceByNameSimple(&x, &y), 0) << "a longer key sorts after";
    // Bytes are compared unsigned.
    x.key[0] = 0x7F;
    y.key[0] = 0x41;
    EXPECT_GT(INT_SLM_CompareServiceByNameSimple(&x, &y), 0);

    DebugCapture debug;
    EXPECT_EQ(INT_SLM_CompareServiceByNameSimple(nullptr, &y), 0);
    ASSERT_EQ(debug.lines().size(), 1u);
    EXPECT_EQ(debug.lines()[0].level, WRAP_DBG_ERROR);
    EXPECT_EQ(debug.lines()[0].text, "[INT_SLM_CompareServiceByNameSimple] invalid arguments\n");
}

} // namespace
