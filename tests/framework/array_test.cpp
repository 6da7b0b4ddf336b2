#include "framework/array.h"
#include "framework/result.h"

#include <gtest/gtest.h>
#include <vector>

using NPtr::CArray;
using NPtr::TArray;

namespace {

// Distinct addresses to store; the array never dereferences them.
int gItems[64];

void* Item(int i) {
    return &gItems[i];
}

std::vector<void*> Contents(const CArray& array) {
    return std::vector<void*>(array.Data(), array.Data() + array.Count());
}

CArray Filled(int count) {
    CArray array;
    for (int i = 0; i < count; ++i)
        array.Add(Item(i));
    return array;
}

struct SCounted {
    explicit SCounted(int& deleted) : deleted(deleted) {}
    ~SCounted() { ++deleted; }
    int& deleted;
};

} // namespace

TEST(Array, AddOnEmptyReservesSixteenThenDoubles) {
    CArray array;
    EXPECT_EQ(array.Capacity(), 0u);
    EXPECT_EQ(array.Add(Item(0)), 0);
    EXPECT_EQ(array.Capacity(), 16u);
    for (int i = 1; i < 16; ++i)
        EXPECT_EQ(array.Add(Item(i)), i);
    EXPECT_EQ(array.Capacity(), 16u);
    EXPECT_EQ(array.Add(Item(16)), 16);
    EXPECT_EQ(array.Capacity(), 32u);
    for (int i = 0; i <= 16; ++i)
        EXPECT_EQ(array.At(i), Item(i));
}

TEST(Array, ReserveResults) {
    CArray array;
    EXPECT_EQ(array.Reserve(0), NResult::kOk);
    EXPECT_EQ(array.Capacity(), 16u);
    void** storage = array.Data();
    EXPECT_EQ(array.Reserve(16), NResult::kOk);
    EXPECT_EQ(array.Data(), storage) << "same capacity keeps the storage";

    for (int i = 0; i < 5; ++i)
        array.Add(Item(i));
    EXPECT_EQ(array.Reserve(5), NResult::kNoMoreData);
    EXPECT_EQ(array.Reserve(3), NResult::kNoMoreData);
    EXPECT_EQ(array.Capacity(), 16u);

    EXPECT_EQ(array.Reserve(6), NResult::kOk);
    EXPECT_EQ(array.Capacity(), 6u);
    EXPECT_EQ(array.Reserve(100), NResult::kOk);
    EXPECT_EQ(array.Capacity(), 100u);
    EXPECT_EQ(Contents(array), (std::vector<void*>{Item(0), Item(1), Item(2), Item(3), Item(4)}));
}

TEST(Array, RemoveTakesTheFirstOccurrenceAndAbsentItemsChangeNothing) {
    CArray array = Filled(4);
    array.Add(Item(1));
    const std::vector<void*> before = Contents(array);
    const std::uint32_t capacity = array.Capacity();

    EXPECT_EQ(array.Remove(Item(9)), nullptr);
    EXPECT_EQ(Contents(array), before);
    EXPECT_EQ(array.Capacity(), capacity);

    EXPECT_EQ(array.Remove(Item(1)), Item(1));
    EXPECT_EQ(Contents(array), (std::vector<void*>{Item(0), Item(2), Item(3), Item(1)}));
    EXPECT_TRUE(array.Contains(Item(1)));
    EXPECT_EQ(array.IndexOf(Item(1)), 3);
    EXPECT_FALSE(array.Contains(Item(9)));
    EXPECT_EQ(array.IndexOf(Item(9)), -1);
}

TEST(Array, InsertAtEveryKindOfIndexGrowingWhenFull) {
    CArray array;
    EXPECT_EQ(array.Insert(Item(1), 5), 0) << "empty array appends";
    EXPECT_EQ(array.Insert(Item(0), 0), 0);
    EXPECT_EQ(array.Insert(Item(3), 2), 2) << "index equal to the count appends";
    EXPECT_EQ(array.Insert(Item(2), 2), 2);
    EXPECT_EQ(array.Insert(Item(4), 1000), 4);
    EXPECT_EQ(Contents(array), (std::vector<void*>{Item(0), Item(1), Item(2), Item(3), Item(4)}));

    CArray full = Filled(16);
    EXPECT_EQ(full.Insert(Item(40), 0), 0);
    EXPECT_EQ(full.Capacity(), 32u);
    EXPECT_EQ(full.At(0), Item(40));
    EXPECT_EQ(full.At(16), Item(15));
}

TEST(Array, RemoveAtAndPopsAtTheEdges) {
    CArray array = Filled(5);
    EXPECT_EQ(array.RemoveAt(5), nullptr);
    EXPECT_EQ(array.RemoveAt(4), Item(4));
    EXPECT_EQ(array.RemoveAt(0), Item(0));
    EXPECT_EQ(Contents(array), (std::vector<void*>{Item(1), Item(2), Item(3)}));
    EXPECT_EQ(array.PopFront(), Item(1));
    EXPECT_EQ(array.PopBack(), Item(3));
    EXPECT_EQ(array.PopBack(), Item(2));
    EXPECT_EQ(array.PopBack(), nullptr);
    EXPECT_EQ(array.PopFront(), nullptr);
    EXPECT_EQ(array.RemoveAt(0), nullptr);
}

TEST(Array, ClearKeepsOrFreesTheStorage) {
    CArray array = Filled(20);
    array.Clear(false);
    EXPECT_EQ(array.Count(), 0u);
    EXPECT_EQ(array.Capacity(), 32u);
    array.Add(Item(7));
    EXPECT_EQ(array.At(0), Item(7));
    array.Clear(true);
    EXPECT_EQ(array.Count(), 0u);
    EXPECT_EQ(array.Capacity(), 0u);
    EXPECT_EQ(array.Data(), nullptr);
    EXPECT_EQ(array.Add(Item(8)), 0);
    EXPECT_EQ(array.Capacity(), 16u);
}

TEST(Array, MoveHandsOverTheStorage) {
    CArray source = Filled(3);
    void** storage = source.Data();
    CArray target(std::move(source));
    EXPECT_EQ(target.Data(), storage);
    EXPECT_EQ(target.Count(), 3u);
    EXPECT_EQ(source.Count(), 0u);
    EXPECT_EQ(source.Capacity(), 0u);

    CArray other = Filled(1);
    other = std::move(target);
    EXPECT_EQ(other.Data(), storage);
    EXPECT_EQ(Contents(other), (std::vector<void*>{Item(0), Item(1), Item(2)}));
}

TEST(TypedArray, IteratesInOrderAndDeletesOwnedElementsPastNulls) {
    int deleted = 0;
    TArray<SCounted> array;
    std::vector<SCounted*> made;
    for (int i = 0; i < 3; ++i) {
        made.push_back(new SCounted(deleted));
        array.Add(made.back());
    }
    std::vector<SCounted*> seen;
    for (SCounted* element : array)
        seen.push_back(element);
    EXPECT_EQ(seen, made);
    EXPECT_EQ(array.Remove(made[1]), made[1]);
    delete made[1];
    array.Add(nullptr);

    array.DeleteAll();
    EXPECT_EQ(deleted, 3);
    EXPECT_TRUE(array.IsEmpty());
}
