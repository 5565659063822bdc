#include "base/ptrlist.h"

#include <gtest/gtest.h>

#include <vector>

using platform::POSITION;
using platform::PtrList;

namespace {

std::vector<int> Forward(const PtrList<int>& list) {
    std::vector<int> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(*list.GetNext(pos));
    return out;
}

std::vector<int> Backward(const PtrList<int>& list) {
    std::vector<int> out;
    for (POSITION pos = list.GetTailPosition(); pos;)
        out.push_back(*list.GetPrev(pos));
    return out;
}

TEST(PtrListTest, EditsKeepBothDirectionsInStep) {
    int v[6] = {0, 1, 2, 3, 4, 5};
    struct Step {
        const char* name;
        void (*edit)(PtrList<int>&, int*);
        std::vector<int> expected;
    };
    const Step steps[] = {
        {"add tail", [](PtrList<int>& l, int* v) { l.AddTail(&v[1]), l.AddTail(&v[2]); }, {1, 2}},
        {"add head", [](PtrList<int>& l, int* v) { l.AddHead(&v[0]); }, {0, 1, 2}},
        {"insert after head",
         [](PtrList<int>& l, int* v) { l.InsertAfter(l.GetHeadPosition(), &v[5]); },
         {0, 5, 1, 2}},
        {"insert before tail",
         [](PtrList<int>& l, int* v) { l.InsertBefore(l.GetTailPosition(), &v[4]); },
         {0, 5, 1, 4, 2}},
        {"remove found", [](PtrList<int>& l, int* v) { l.RemoveAt(l.Find(&v[5])); }, {0, 1, 4, 2}},
        {"remove head and tail",
         [](PtrList<int>& l, int*) {
             l.RemoveHead();
             l.RemoveTail();
         },
         {1, 4}},
        {"set at index", [](PtrList<int>& l, int* v) { l.SetAt(l.FindIndex(1), &v[3]); }, {1, 3}},
        {"remove all", [](PtrList<int>& l, int*) { l.RemoveAll(); }, {}},
        {"insert into empty", [](PtrList<int>& l, int* v) { l.InsertBefore(nullptr, &v[2]); }, {2}},
    };
    PtrList<int> list;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.edit(list, v);
        EXPECT_EQ(Forward(list), s.expected);
        std::vector<int> reversed(s.expected.rbegin(), s.expected.rend());
        EXPECT_EQ(Backward(list), reversed);
        EXPECT_EQ(list.GetCount(), static_cast<int>(s.expected.size()));
        EXPECT_EQ(list.IsEmpty(), s.expected.empty());
    }
}

TEST(PtrListTest, EmptyListsAndMissingElementsGiveNull) {
    PtrList<int> list;
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.RemoveTail(), nullptr);
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    int a = 1, b = 2;
    list.AddTail(&a);
    EXPECT_EQ(list.Find(&b), nullptr);
    EXPECT_EQ(list.Find(&a, list.GetHeadPosition()), nullptr); // searched after the only one
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(list.FindIndex(1), nullptr);
    list.RemoveAt(nullptr);
    EXPECT_EQ(list.GetCount(), 1);
}

} // namespace
