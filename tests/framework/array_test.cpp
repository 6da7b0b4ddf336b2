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

std::vector<void*> Items(std::initializer_list<int> indexes) {
    std::vector<void*> items;
    for (int i : indexes)
        items.push_back(Item(i));
    return items;
}

std::vector<void*> Contents(const CArray& array) {
    return std::vector<void*>(array.Data(), array.Data() + array.Count());
}

CArray Filled(int count) {
    CArray array;
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(array.Add(Item(i)), i);
    return array;
}

struct SCounted {
    explicit SCounted(int& deleted) : deleted(deleted) {}
    ~SCounted() { ++deleted; }
    int& deleted;
};

} // namespace

TEST(Array, GrowingKeepsEveryItem) {
    const CArray array = Filled(40);
    ASSERT_EQ(array.Count(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(array.At(i), Item(i));
}

TEST(Array, RemoveTakesTheFirstOccurrenceAndAbsentItemsChangeNothing) {
    CArray array = Filled(4);
    array.Add(Item(1));
    EXPECT_EQ(array.Remove(Item(9)), nullptr);
    EXPECT_EQ(Contents(array), Items({0, 1, 2, 3, 1}));
    EXPECT_EQ(array.Remove(Item(1)), Item(1));
    EXPECT_EQ(Contents(array), Items({0, 2, 3, 1}));
    EXPECT_EQ(array.IndexOf(Item(1)), 3);
    EXPECT_EQ(array.IndexOf(Item(9)), -1);
    EXPECT_FALSE(array.Contains(Item(9)));
    EXPECT_EQ(array.PopBack(), Item(1));
    EXPECT_EQ(Contents(array), Items({0, 2, 3}));
}

TEST(Array, ReserveAndClearKeepTheArrayUsable) {
    CArray array = Filled(20);
    EXPECT_EQ(array.Reserve(100), NResult::kOk);
    EXPECT_EQ(array.Capacity(), 100u);
    EXPECT_EQ(Contents(array).size(), 20u);
    EXPECT_EQ(array.At(19), Item(19));
    for (const bool free : {false, true}) {
        array.Clear(free);
        EXPECT_TRUE(array.IsEmpty());
        EXPECT_EQ(array.PopBack(), nullptr);
        EXPECT_EQ(array.Add(Item(7)), 0);
        EXPECT_EQ(Contents(array), Items({7}));
    }
}

TEST(Array, MoveHandsOverTheStorage) {
    CArray source = Filled(3);
    void** storage = source.Data();
    CArray target(std::move(source));
    EXPECT_EQ(target.Data(), storage);
    EXPECT_EQ(source.Count(), 0u);
    EXPECT_EQ(source.Capacity(), 0u);

    CArray other = Filled(1);
    other = std::move(target);
    EXPECT_EQ(other.Data(), storage);
    EXPECT_EQ(Contents(other), Items({0, 1, 2}));
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
    array.Add(nullptr);
    array.DeleteAll();
    EXPECT_EQ(deleted, 3);
    EXPECT_TRUE(array.IsEmpty());
}
