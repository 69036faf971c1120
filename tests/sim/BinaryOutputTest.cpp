// The simulated receiver's binary output and its replay of captures.
#include "sim/BinaryOutput.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "platform/testing/TempDeviceRoot.h"

namespace quorvel::sim {
namespace {

template <typename T>
T At(const std::string& bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST(BinaryOutputTest, Bin1BlockCarriesItsFieldsSumAndSigma) {
    NmeaEpoch e;
    e.year = 2024;
    e.month = 6;
    e.day = 1;
    e.secondsOfDay = 8 * 3600;
    e.latDeg = 22.5;
    e.lonDeg = 113.9;
    e.heightM = 39.5;
    e.quality = 4;
    e.diffAgeS = 2;
    e.satellites.resize(9);
    for (size_t i = 0; i < 7; ++i) e.satellites[i].used = true;
    const std::string block = Bin1Block(e, 0.125f);
    ASSERT_EQ(block.size(), 64u);
    EXPECT_EQ(block.substr(0, 4), "$BIN");
    EXPECT_EQ(At<uint16_t>(block, 4), 1);
    EXPECT_EQ(At<uint16_t>(block, 6), 52);
    EXPECT_EQ(block[8], 2);                    // age
    EXPECT_EQ(block[9], 7);                    // satellites used
    EXPECT_EQ(At<uint16_t>(block, 10), 2316);  // GPS week of 2024-06-01, a Saturday
    EXPECT_EQ(At<double>(block, 12), 6 * 86400 + 8 * 3600 + 18.0);
    EXPECT_EQ(At<double>(block, 20), 22.5);
    EXPECT_EQ(At<double>(block, 28), 113.9);
    EXPECT_EQ(At<float>(block, 36), 39.5f);
    EXPECT_EQ(At<float>(block, 52), 0.125f);
    EXPECT_EQ(At<uint16_t>(block, 56), 4);
    uint16_t sum = 0;
    for (size_t i = 8; i < 60; ++i)
        sum = static_cast<uint16_t>(sum + static_cast<uint8_t>(block[i]));
    EXPECT_EQ(At<uint16_t>(block, 60), sum);
    EXPECT_EQ(block.substr(62), "\r\n");
}

TEST(BinaryOutputTest, BrokenFramesAreCutOrOverrunTheirLength) {
    const std::vector<std::string> frames = BrokenReplyFrames();
    ASSERT_EQ(frames.size(), 2u);
    const std::string whole = ReplyFrame(40, "a\rb");
    EXPECT_EQ(frames[0], whole + "\r\n");
    EXPECT_LT(frames[0].find('\r'), whole.size() - 1);  // a CR inside the frame
    EXPECT_EQ(frames[1].size(), 9u);
    EXPECT_EQ(static_cast<uint8_t>(frames[1][1]) + static_cast<uint8_t>(frames[1][2]), 255);
    EXPECT_EQ(At<uint32_t>(frames[1], 3), 0xFFFFFFF9u);
    EXPECT_EQ(frames[1].substr(7), "\r\n");
}

TEST(BinaryOutputTest, ReplayDropsHeaderLinesAndCanEndLinesWithCrLf) {
    const testing::TempFolder folder("quorvel-replay");
    ASSERT_TRUE(folder.Made());
    const std::string path = folder.Path() + "/capture.log";
    std::ofstream(path, std::ios::binary)
        << "# Contributor: someone\n# GPS: something\n$GPGGA,1*00\n$GPZDA,2*00\r\n#BESTPOSA\n"
           "\n$GPGSA,3*00";
    CaptureReplay replay;
    std::string error;
    ASSERT_TRUE(replay.Load(path, false, error)) << error;
    EXPECT_EQ(replay.All(), "$GPGGA,1*00\n$GPZDA,2*00\r\n#BESTPOSA\n\n$GPGSA,3*00");
    ASSERT_TRUE(replay.Load(path, true, error)) << error;
    EXPECT_EQ(replay.Next(2), "$GPGGA,1*00\r\n$GPZDA,2*00\r\n");
    EXPECT_FALSE(replay.Done());
    EXPECT_EQ(replay.Next(10), "#BESTPOSA\r\n\r\n$GPGSA,3*00");
    EXPECT_TRUE(replay.Done());
    EXPECT_EQ(replay.Next(1), "");
    EXPECT_FALSE(replay.Load(folder.Path() + "/missing.log", true, error));
    EXPECT_NE(error.find("missing.log"), std::string::npos);
}

}  // namespace
}  // namespace quorvel::sim
