#include "GS/Memory.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "GS/HandleCount.hpp"

namespace {

TEST(Memory, KillAcceptsNullAndStaleOrForeignPointers) {
    const Int64 before = BMOutstandingHandles();
    BMKillHandle(nullptr);
    GSHandle none = nullptr;
    BMKillHandle(&none);
    GSHandle handle = BMAllocateHandle(4);
    GSHandle copy = handle;
    BMKillHandle(&handle);
    BMKillHandle(&copy);  // already freed: ignored
    EXPECT_EQ(copy, nullptr);
    GSPtr ptr = BMAllocatePtr(4);
    GSPtr alias = ptr;
    BMKillHandle(reinterpret_cast<GSHandle*>(&alias));  // not a handle: ignored
    EXPECT_EQ(BMOutstandingHandles(), before + 1);
    BMKillPtr(&ptr);
    EXPECT_EQ(BMOutstandingHandles(), before);
    EXPECT_EQ(BMGetHandleSize(nullptr), 0);
}

TEST(Memory, SizesAndZeroFill) {
    const struct {
        GSSize size;
        bool valid;
    } cases[] = {{0, true}, {1, true}, {1000, true}, {-1, false}};
    for (const auto& c : cases) {
        GSHandle handle = BMAllocateHandle(c.size);
        EXPECT_EQ(handle != nullptr, c.valid) << c.size;
        EXPECT_EQ(BMGetHandleSize(handle), c.valid ? c.size : 0);
        for (GSSize i = 0; i < BMGetHandleSize(handle); ++i) ASSERT_EQ((*handle)[i], 0);
        BMKillHandle(&handle);
        EXPECT_EQ(BMAllocatePtr(c.size) == nullptr, !c.valid);
    }
}

// The bytes behind a handle that shrank are dirtied first: growing it back must zero them,
// where realloc would hand them out as they were.
TEST(Memory, ReallocKeepsContentZeroesGrowthAndKeepsTheHandle) {
    constexpr GSSize kDirtySize = 1000;
    GSHandle handle = BMAllocateHandle(kDirtySize);
    std::memset(*handle, 0x5A, kDirtySize);
    (*handle)[0] = 'a', (*handle)[2] = 'c';
    EXPECT_EQ(BMReallocHandle(handle, 3), handle);
    for (const GSSize size : {kDirtySize, GSSize(100000)}) {
        EXPECT_EQ(BMReallocHandle(handle, size), handle);
        EXPECT_EQ(BMGetHandleSize(handle), size);
        EXPECT_EQ((*handle)[0], 'a');
        EXPECT_EQ((*handle)[2], 'c');
        EXPECT_EQ(std::count(*handle + 3, *handle + size, 0), size - 3) << size;
    }
    EXPECT_EQ(BMReallocHandle(handle, 1), handle);
    EXPECT_EQ(BMGetHandleSize(handle), 1);
    EXPECT_EQ(BMReallocHandle(handle, -5), nullptr);
    EXPECT_EQ(BMGetHandleSize(handle), 1);
    BMKillHandle(&handle);
    EXPECT_EQ(BMReallocHandle(handle, 5), nullptr);
}

}  // namespace
