#include "receiver/link/ByteBuffer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "platform/base/VirtualMem.h"

namespace {

std::vector<BYTE> Pattern(size_t n, int seed) {
    std::vector<BYTE> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<BYTE>(i * 31 + seed);
    return bytes;
}

std::vector<BYTE> Content(const CByteBuffer& buffer) {
    if (buffer.GetSize() == 0) return {};
    return std::vector<BYTE>(buffer.GetAt(0), buffer.GetAt(0) + buffer.GetSize());
}

// A failure count left behind by a failing test must not leak into the next.
class ByteBufferTest : public ::testing::Test {
  protected:
    void TearDown() override { quorvel::FailNextVirtualAllocs(0); }
};

TEST_F(ByteBufferTest, GrowsInWholeKilobytesKeepingTheBytesInOrder) {
    CByteBuffer buffer;
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetCapacity(), 0u);

    std::vector<BYTE> first = Pattern(10, 1);
    EXPECT_EQ(buffer.Append(first.data(), 10), 10u);
    EXPECT_EQ(buffer.GetSize(), 10u);
    EXPECT_EQ(buffer.GetCapacity(), 1024u);

    std::vector<BYTE> second = Pattern(1015, 7);
    EXPECT_EQ(buffer.Append(second.data(), 1015), 1015u);
    EXPECT_EQ(buffer.GetSize(), 1025u);
    EXPECT_EQ(buffer.GetCapacity(), 2048u);
    std::vector<BYTE> expected = first;
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(Content(buffer), expected);
}

TEST_F(ByteBufferTest, ManySmallAppendsKeepEveryByte) {
    CByteBuffer buffer;
    std::vector<BYTE> expected;
    for (int i = 0; i < 20000; ++i) {
        std::vector<BYTE> chunk = Pattern(7, i);
        ASSERT_EQ(buffer.Append(chunk.data(), 7), 7u);
        expected.insert(expected.end(), chunk.begin(), chunk.end());
        ASSERT_EQ(buffer.GetCapacity() % 1024, 0u);
        ASSERT_GE(buffer.GetCapacity(), buffer.GetSize());
    }
    EXPECT_EQ(Content(buffer), expected);
}

TEST_F(ByteBufferTest, ReserveAndResizeRoundUpAndNeverShrinkBelowTheContent) {
    CByteBuffer buffer;
    EXPECT_EQ(buffer.Reserve(1), 1024u);
    EXPECT_EQ(buffer.Reserve(1000), 0u);  // below the capacity
    EXPECT_EQ(buffer.Reserve(1025), 2048u);
    EXPECT_EQ(buffer.Reserve(2048), 2048u);  // not below it: a new block all the same

    std::vector<BYTE> bytes = Pattern(1500, 3);
    buffer.Append(bytes.data(), 1500);
    EXPECT_EQ(buffer.Resize(1499), 0u);  // below the bytes in use
    EXPECT_EQ(buffer.Resize(5000), 5120u);
    EXPECT_EQ(buffer.Resize(2000), 0u);     // would shrink the block
    EXPECT_EQ(buffer.Resize(4097), 5120u);  // the same size moves the content too
    EXPECT_EQ(buffer.GetCapacity(), 5120u);
    EXPECT_EQ(Content(buffer), bytes);
}

TEST_F(ByteBufferTest, ResetEmptiesAndComesBackToOneKilobyteWhereTheBlockWasSmall) {
    CByteBuffer fresh;
    fresh.Reset();
    EXPECT_EQ(fresh.GetSize(), 0u);
    EXPECT_EQ(fresh.GetCapacity(), 1024u);

    CByteBuffer large;
    large.Reserve(4096);
    std::vector<BYTE> bytes = Pattern(3000, 5);
    large.Append(bytes.data(), 3000);
    BYTE* block = large.GetAt(0);
    large.Reset();
    EXPECT_EQ(large.GetSize(), 0u);
    EXPECT_EQ(large.GetCapacity(), 4096u);
    EXPECT_EQ(large.GetAt(0), block);

    std::vector<BYTE> again = Pattern(100, 9);
    large.Append(again.data(), 100);
    EXPECT_EQ(Content(large), again);
}

TEST_F(ByteBufferTest, RefusedAllocationDropsTheIncomingBytesAndKeepsTheContent) {
    CByteBuffer empty;
    quorvel::FailNextVirtualAllocs(1);
    std::vector<BYTE> bytes = Pattern(10, 2);
    EXPECT_EQ(empty.Append(bytes.data(), 10), 0u);
    EXPECT_EQ(empty.GetSize(), 0u);
    EXPECT_EQ(empty.GetCapacity(), 0u);
    EXPECT_EQ(empty.Append(bytes.data(), 10), 10u);  // the system gives again
    EXPECT_EQ(Content(empty), bytes);

    std::vector<BYTE> big = Pattern(2000, 4);
    quorvel::FailNextVirtualAllocs(1);
    EXPECT_EQ(empty.Append(big.data(), 2000), 0u);
    EXPECT_EQ(empty.GetCapacity(), 1024u);
    EXPECT_EQ(Content(empty), bytes);

    quorvel::FailNextVirtualAllocs(3);
    EXPECT_EQ(empty.Reserve(9000), 0u);
    EXPECT_EQ(empty.Resize(9000), 0u);
    empty.Reset();  // would need a fresh 1 KB block
    EXPECT_EQ(empty.GetCapacity(), 1024u);
    EXPECT_EQ(empty.GetSize(), 0u);
}

TEST_F(ByteBufferTest, ResetOfANewBufferWithoutMemoryStaysEmpty) {
    CByteBuffer buffer;
    quorvel::FailNextVirtualAllocs(1);
    buffer.Reset();
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetCapacity(), 0u);
}

TEST_F(ByteBufferTest, SizesBeyondThirtyTwoBitsAreRefused) {
    CByteBuffer buffer;
    BYTE byte = 1;
    buffer.Append(&byte, 1);
    EXPECT_EQ(buffer.Reserve(0xFFFFFF00u), 0u);
    EXPECT_EQ(buffer.Append(&byte, 0xFFFFFFFFu), 0u);  // size + n does not fit
    EXPECT_EQ(buffer.Append(&byte, 0), 0u);
    EXPECT_EQ(buffer.GetSize(), 1u);
    EXPECT_EQ(buffer.GetCapacity(), 1024u);
}

}  // namespace
