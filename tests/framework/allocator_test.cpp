#include "framework/allocator.h"

#include <gtest/gtest.h>

TEST(Allocator, ZeroBytesGiveNothing) {
    EXPECT_EQ(NMem::Allocate(0), nullptr);
    NMem::Release(nullptr);
}
