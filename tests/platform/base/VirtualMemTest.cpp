// Virtual memory regions over the heap, and injected allocation failures.
#include "platform/base/VirtualMem.h"

#include <gtest/gtest.h>

namespace {

TEST(VirtualMem, CommitUseRelease) {
    auto* p = static_cast<unsigned char*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 4096; ++i) ASSERT_EQ(p[i], 0);
    p[4095] = 0xAB;
    EXPECT_FALSE(VirtualFree(p, 4096, MEM_RELEASE));  // a release takes size 0
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(VirtualFree(p, 0, MEM_RELEASE));
    EXPECT_FALSE(VirtualFree(p, 0, MEM_RELEASE));  // already gone: refused, not freed twice
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
}

TEST(VirtualMem, ReserveThenCommitAndDecommit) {
    auto* base = static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(VirtualAlloc(base + 4096, 4096, MEM_COMMIT, PAGE_READWRITE), base + 4096);
    EXPECT_EQ(VirtualAlloc(base + 4096, 8192, MEM_COMMIT, PAGE_READWRITE), nullptr);
    base[5000] = 'x';
    EXPECT_TRUE(VirtualFree(base + 4096, 4096, MEM_DECOMMIT));
    EXPECT_EQ(base[5000], 0);
    EXPECT_FALSE(VirtualFree(base, 0, MEM_DECOMMIT | MEM_RELEASE));
    EXPECT_TRUE(VirtualFree(base, 0, MEM_RELEASE));
}

TEST(VirtualMem, BadRequestsAndInjectedFailures) {
    EXPECT_EQ(VirtualAlloc(nullptr, 0, MEM_COMMIT, PAGE_READWRITE), nullptr);
    EXPECT_EQ(VirtualAlloc(nullptr, 1024, 0, PAGE_READWRITE), nullptr);
    EXPECT_EQ(VirtualAlloc(nullptr, size_t{1} << 40, MEM_COMMIT, PAGE_READWRITE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    int local = 0;
    EXPECT_EQ(VirtualAlloc(&local, 4, MEM_COMMIT, PAGE_READWRITE), nullptr);
    EXPECT_FALSE(VirtualFree(&local, 0, MEM_RELEASE));
    EXPECT_FALSE(VirtualFree(nullptr, 0, MEM_RELEASE));

    quorvel::FailNextVirtualAllocs(2);
    EXPECT_EQ(VirtualAlloc(nullptr, 1024, MEM_COMMIT, PAGE_READWRITE), nullptr);
    EXPECT_EQ(VirtualAlloc(nullptr, 1024, MEM_COMMIT, PAGE_READWRITE), nullptr);
    void* p = VirtualAlloc(nullptr, 1024, MEM_COMMIT, PAGE_READWRITE);
    EXPECT_NE(p, nullptr);
    EXPECT_TRUE(VirtualFree(p, 0, MEM_RELEASE));
}

}  // namespace
