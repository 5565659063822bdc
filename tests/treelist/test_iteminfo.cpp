// Row data: texts, editor kinds, choice lists, colours and the copy rules.
#include "supergridctrl.h"
#include "base/trace.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

namespace {

using ChoiceList = CItemInfo::ChoiceList;

struct ItemInfoCase {
    const char* name;
    std::function<void(CItemInfo&)> arrange;
    std::function<void(const CItemInfo&)> check;
    int assertions = 0; // assertions the case expects to fire
};

const ItemInfoCase kItemInfoCases[] = {
    {"a fresh row has the defaults", [](CItemInfo&) {},
     [](const CItemInfo& info) {
         EXPECT_EQ(info.GetItemText(), "");
         EXPECT_EQ(info.GetSubItemCount(), 0);
         EXPECT_EQ(info.GetCheck(), 0);
         EXPECT_EQ(info.GetImage(), -1);
         EXPECT_EQ(info.GetKind(), 0);
         EXPECT_EQ(info.GetCheckFlags(), 0);
         EXPECT_EQ(info.GetItemBkColor(), platform::CLR_NONE);
         EXPECT_EQ(info.GetSubItemImage(0), -1);
         EXPECT_EQ(info.GetSubItemBkColor(0), platform::CLR_NONE);
     }},
    {"reading at the count gives \"\" and does not grow",
     [](CItemInfo& info) {
         info.AddSubItemText("A");
         info.AddSubItemText("B");
     },
     [](const CItemInfo& info) {
         EXPECT_EQ(info.GetSubItemText(2), "");
         EXPECT_EQ(info.GetSubItemText(1), "B");
         EXPECT_EQ(info.GetSubItemCount(), 2);
     }},
    {"writing three past the end leaves empty gaps",
     [](CItemInfo& info) {
         info.AddSubItemText("A");
         info.SetSubItemText(4, "E");
     },
     [](const CItemInfo& info) {
         EXPECT_EQ(info.GetSubItemCount(), 5);
         EXPECT_EQ(info.GetSubItemText(0), "A");
         for (int n = 1; n < 4; ++n)
             EXPECT_EQ(info.GetSubItemText(n), "") << n;
         EXPECT_EQ(info.GetSubItemText(4), "E");
     }},
    {"texts stay bytes",
     [](CItemInfo& info) {
         info.SetItemText(std::string("Caf\xE9\0x", 6));
         info.SetSubItemText(0, "\x80\x9F");
     },
     [](const CItemInfo& info) {
         EXPECT_EQ(info.GetItemText(), std::string("Caf\xE9\0x", 6));
         EXPECT_EQ(info.GetSubItemText(0), "\x80\x9F");
     }},
    {"a stored 0 reads like no entry",
     [](CItemInfo& info) {
         info.SetControlType(CItemInfo::combobox, 1);
         info.SetControlType(CItemInfo::combobox, 0);
         info.SetControlType(CItemInfo::edit, 0);
     },
     [](const CItemInfo& info) {
         for (int n : {0, 3}) {
             auto type = CItemInfo::combobox;
             EXPECT_FALSE(info.GetControlType(n, type)) << n;
             EXPECT_EQ(type, CItemInfo::edit) << n;
         }
         auto type = CItemInfo::edit;
         EXPECT_TRUE(info.GetControlType(1, type));
         EXPECT_EQ(type, CItemInfo::combobox);
     }},
    {"ten columns each, set out of order and some set again, read back per column",
     [](CItemInfo& info) {
         static ChoiceList lists[10];
         for (int n : {9, 0, 5, 2, 7, 1, 8, 3, 6, 4}) {
             info.SetControlType(n % 2 ? CItemInfo::combobox : CItemInfo::editNoButton, n);
             info.SetListData(n, &lists[n]);
             info.SetSubItemImage(n, 100 + n);
             info.SetSubItemBkColor(n, platform::RGB(n, 0, 0));
         }
         for (int n : {6, 1}) { // again: replaced, not added
             info.SetControlType(CItemInfo::combobox, n);
             info.SetSubItemImage(n, 200 + n);
         }
         info.SetListData(8, nullptr);
     },
     [](const CItemInfo& info) {
         for (int n = 0; n < 10; ++n) {
             SCOPED_TRACE(n);
             auto type = CItemInfo::edit;
             EXPECT_TRUE(info.GetControlType(n, type));
             EXPECT_EQ(type, n % 2 || n == 6 ? CItemInfo::combobox : CItemInfo::editNoButton);
             ChoiceList* list = nullptr;
             EXPECT_TRUE(info.GetListData(n, list));
             EXPECT_EQ(list == nullptr, n == 8);
             EXPECT_EQ(info.GetSubItemImage(n), (n == 6 || n == 1 ? 200 : 100) + n);
             EXPECT_EQ(info.GetSubItemBkColor(n), platform::RGB(n, 0, 0));
         }
         auto type = CItemInfo::combobox;
         EXPECT_FALSE(info.GetControlType(10, type));
         EXPECT_EQ(info.GetSubItemImage(10), -1);
     }},
    {"a missing choice list leaves the pointer alone", [](CItemInfo&) {},
     [](const CItemInfo& info) {
         ChoiceList dummy;
         ChoiceList* list = &dummy;
         EXPECT_FALSE(info.GetListData(0, list));
         EXPECT_EQ(list, &dummy);
     }},
    {"negative columns: getters answer none, setters change nothing",
     [](CItemInfo& info) {
         info.SetSubItemText(-1, "x");
         info.SetControlType(CItemInfo::combobox, -1);
         info.SetSubItemImage(-1, 3);
         info.SetSubItemBkColor(-1, platform::RGB(1, 2, 3));
         info.SetListData(-1, nullptr);
     },
     [](const CItemInfo& info) {
         EXPECT_EQ(info.GetSubItemCount(), 0);
         EXPECT_EQ(info.GetSubItemText(-1), "");
         auto type = CItemInfo::combobox;
         EXPECT_FALSE(info.GetControlType(-1, type));
         EXPECT_EQ(type, CItemInfo::edit);
         EXPECT_EQ(info.GetSubItemImage(-1), -1);
         EXPECT_EQ(info.GetSubItemBkColor(-1), platform::CLR_NONE);
         ChoiceList* list = nullptr;
         EXPECT_FALSE(info.GetListData(-1, list));
     },
     /*assertions=*/10},
};

void PrintTo(const ItemInfoCase& c, std::ostream* os) {
    *os << c.name;
}

class ItemInfoTable : public ::testing::TestWithParam<ItemInfoCase> {};

TEST_P(ItemInfoTable, Holds) {
    platform::TakeTraces();
    CItemInfo info;
    GetParam().arrange(info);
    GetParam().check(info);
    EXPECT_EQ(platform::FailedAssertionCount(), GetParam().assertions);
}

INSTANTIATE_TEST_SUITE_P(Cases, ItemInfoTable, ::testing::ValuesIn(kItemInfoCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

// The copy: what travels, what is shared, what stays behind.
TEST(ItemInfoCopy, SharesChoiceListsAndSkipsCheckFlags) {
    ChoiceList lock{"FALSE", "TRUE"};
    ChoiceList type{"T V", "RADIO"};
    auto source = std::make_unique<CItemInfo>();
    source->SetItemText("7");
    for (const char* text : {"Name", "1", "2", "3", "4", "TRUE", "T V", "ETC"})
        source->AddSubItemText(text);
    source->SetControlType(CItemInfo::combobox, 5);
    source->SetListData(5, &lock);
    source->SetControlType(CItemInfo::combobox, 6);
    source->SetListData(6, &type);
    source->SetControlType(CItemInfo::editNoButton, 7);
    source->SetListData(2, &lock);                         // a list without a kind stays behind
    source->SetControlType(CItemInfo::combobox, 9);        // past the texts: stays behind
    source->SetSubItemBkColor(12, platform::RGB(1, 2, 3)); // colours travel whatever the column
    source->SetSubItemImage(1, 4);
    source->SetSubItemImage(3, -1); // an image of -1 is none and stays behind
    source->SetCheck(1);
    source->SetImage(2);
    source->SetKind(-1);
    source->SetItemBkColor(platform::RGB(9, 8, 7));
    source->SetCheckFlags(2);

    CItemInfo copy;
    copy.SetSubItemImage(3, 6); // kept: the copy only adds entries
    copy.CopyObjects(*source);
    source.reset(); // the lists belong to their maker, not to a row

    EXPECT_EQ(copy.GetItemText(), "7");
    ASSERT_EQ(copy.GetSubItemCount(), 8);
    EXPECT_EQ(copy.GetSubItemText(7), "ETC");
    ChoiceList* list = nullptr;
    ASSERT_TRUE(copy.GetListData(5, list));
    EXPECT_EQ(list, &lock);
    ASSERT_TRUE(copy.GetListData(6, list));
    EXPECT_EQ(list, &type);
    EXPECT_EQ((*list)[0], "T V");
    EXPECT_FALSE(copy.GetListData(2, list));
    auto kind = CItemInfo::edit;
    EXPECT_TRUE(copy.GetControlType(7, kind));
    EXPECT_EQ(kind, CItemInfo::editNoButton);
    EXPECT_FALSE(copy.GetControlType(9, kind));
    EXPECT_EQ(copy.GetSubItemBkColor(12), platform::RGB(1, 2, 3));
    EXPECT_EQ(copy.GetSubItemImage(1), 4);
    EXPECT_EQ(copy.GetSubItemImage(3), 6);
    EXPECT_EQ(copy.GetCheck(), 1);
    EXPECT_EQ(copy.GetImage(), 2);
    EXPECT_EQ(copy.GetKind(), -1);
    EXPECT_EQ(copy.GetItemBkColor(), platform::RGB(9, 8, 7));
    EXPECT_EQ(copy.GetCheckFlags(), 0);
    EXPECT_EQ(lock.size(), 2u);
}

} // namespace
