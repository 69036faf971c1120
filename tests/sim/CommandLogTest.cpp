// Cutting what the program sends into text lines and command frames.
#include <gtest/gtest.h>

#include "sim/CommandLog.h"
#include "sim/Pty.h"

namespace quorvel::sim {
namespace {

std::string Frame(int id, const std::string& payload) {
    std::string f = "$";
    f += static_cast<char>(id);
    f += static_cast<char>(~id);
    f += static_cast<char>(payload.size() & 0xFF);
    f += static_cast<char>(payload.size() >> 8);
    f += payload;
    unsigned char sum = 0;
    for (unsigned char c : f) sum ^= c;
    return f + static_cast<char>(sum);
}

TEST(CommandLogTest, SeparatesLinesAndFramesWhateverTheChunking) {
    const std::string stream = Frame(52, "") + "$JASC,GPGGA,1\r\n\r\n" + Frame(30, "\x01") +
                               "log,gpgga,ontime,1\r\n\r\n" +
                               Frame(41, std::string("abcd\xDC\x05\x0F", 7));
    for (size_t step : {stream.size(), size_t{1}, size_t{3}}) {
        CommandLog log;
        for (size_t at = 0; at < stream.size(); at += step) {
            log.Feed(stream.data() + at, std::min(step, stream.size() - at));
        }
        const std::vector<LoggedCommand> items = log.Items();
        ASSERT_EQ(items.size(), 7u) << step;
        EXPECT_EQ(items[0].frameId, 52);
        EXPECT_EQ(items[0].payload, "");
        EXPECT_EQ(items[1].text, "$JASC,GPGGA,1\r\n");
        EXPECT_EQ(items[2].text, "\r\n");
        EXPECT_EQ(items[3].frameId, 30);
        EXPECT_EQ(items[3].payload, "\x01");
        EXPECT_EQ(items[6].payload, std::string("abcd\xDC\x05\x0F", 7));
        EXPECT_TRUE(items[6].checksumOk);
        EXPECT_EQ(log.TextLines(),
                  (std::vector<std::string>{"$JASC,GPGGA,1", "log,gpgga,ontime,1"}));
    }
}

TEST(CommandLogTest, FrameOfTheLinkStartAndABrokenOne) {
    CommandLog log;
    const std::string linkStart("\x24\x34\xCB\x00\x00\xDB", 6);
    std::string broken = Frame(53, std::string(1, '\0'));
    broken.back() ^= 0x55;
    log.Feed(linkStart.data(), linkStart.size());
    log.Feed(broken.data(), broken.size());
    const std::vector<LoggedCommand> items = log.Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_TRUE(items[0].checksumOk);
    EXPECT_FALSE(items[1].checksumOk);
    EXPECT_NE(FormatLogEntry(items[1]).find("FRAME id=53 len=1 payload=00 xor=BAD"),
              std::string::npos);
    EXPECT_EQ(EscapeBytes("a\"\\\r\n\x01"), "a\\\"\\\\\\r\\n\\x01");
}

TEST(LineReportTest, ReadsTheSerialLayersSideFile) {
    LineReport r = ParseLineReport("DTR=0 RTS=1 POWER=0 OPEN=1\n");
    EXPECT_TRUE(r.known);
    EXPECT_FALSE(r.dtr);
    EXPECT_TRUE(r.rts);
    EXPECT_FALSE(r.powered);
    EXPECT_TRUE(r.open);
    EXPECT_FALSE(ParseLineReport("").known);
    EXPECT_TRUE(ParseLineReport("").powered);
}

}  // namespace
}  // namespace quorvel::sim
