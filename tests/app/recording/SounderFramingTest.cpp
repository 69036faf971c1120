// The framing of echo-sounder telegrams and the depth taken out of them,
// byte by byte as the port reader delivers them: each type's telegrams,
// what the framing drops, error reports, and real captures of other
// devices' streams.
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/base/Parse.h"
#include "tests/app/recording/SounderTestSupport.h"

namespace soundertest {
namespace {

const CArray<SounderTypeRecord> g_types = KnownTypes();

struct StreamCase {
    const char* what;
    int type;
    std::string stream;
    std::vector<SounderEvent> expected;
};

// Runs the stream whole and split in two at every byte. Between the two
// halves the type is copied afresh from the table, as a reopened port
// selects it, and the receiver's block is copied away and back: the framing
// must carry a telegram across.
void ExpectStream(const StreamCase& c) {
    for (size_t split = 0; split <= c.stream.size(); ++split) {
        SounderFeed feed;
        const SounderTypeRecord first = g_types[c.type];
        feed.Bytes(c.stream.substr(0, split), first);
        const SounderDepthBlock copy = feed.block;
        feed.block = copy;
        const SounderTypeRecord second = g_types[c.type];
        feed.Bytes(c.stream.substr(split), second);
        EXPECT_EQ(feed.events, c.expected) << c.what << ", split at " << split;
        EXPECT_EQ(feed.changedWithoutEvent, 0) << c.what;
        EXPECT_EQ(feed.depthWithoutNewFlags, 0) << c.what;
        EXPECT_EQ(feed.errorChangedDepth, 0) << c.what;
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(SounderFramingTest, EachTypesTelegramsGiveTheirDepths) {
    const std::string e6(6, 'E'), e5(5, 'E'), one4(4, '\x01'), one6(6, '\x01');
    const StreamCase cases[] = {
        {"type 0 depth", 0, "DT,01234,M\r", {Depth(12.34)}},
        {"type 0, D then X rejected, then a telegram", 0, "DXDT,00500,M\r", {Depth(5.0)}},
        {"type 0, noise before the tag", 0, "\n\r,,99,TD\xd4,7\rDT,000050,M\r", {Depth(0.5)}},
        {"type 0 error report keeps the depth",
         0,
         "DT,001234,M\rDT," + e6 + ",M\rDT,000100,M\r",
         {Depth(12.34), Error(12.34), Depth(1.0)}},
        {"type 0 error report first", 0, "DT," + e6 + ",M\r", {Error(0.0)}},
        {"type 1 telegrams give depths",
         1,
         "ET,01234,M\rET,00007,M\r",
         {Depth(12.34), Depth(0.07)}},
        {"type 1 error report", 1, "ET,00250,M\rET," + e5 + ",M\r", {Depth(2.5), Error(2.5)}},
        {"type 2 depth", 2, "DA,1234,M\r", {Depth(12.34)}},
        {"type 2 error report", 2, "DA,0099,M\rDA," + one4 + ",M\r", {Depth(0.99), Error(0.99)}},
        {"type 2, E is a depth's first byte like any other", 2, "DA,E12,M\r", {Depth(0.0)}},
        {"type 3 unscaled", 3, "$GPSSS,5.67,M\r", {Depth(5.67)}},
        {"type 3, only the tag's ends compared", 3, "$GAXXS,05.670,M\r", {Depth(5.67)}},
        {"type 3, wrong last tag character", 3, "$GPSSX,05.670,M\r$GPSSS,1.5,M\r", {Depth(1.5)}},
        {"type 3 error report",
         3,
         "$GPSSS,12.250,M\r$GPSSS," + one6 + ",M\r",
         {Depth(12.25), Error(12.25)}},
        {"an empty depth reads as 0", 0, "DT,,M\r", {Depth(0.0)}},
        {"the depth text read as far as it is a number", 0, "DT,01234xyz,M\r", {Depth(12.34)}},
        {"a negative depth", 3, "$GPSSS,-0.25,M\r", {Depth(-0.25)}},
        {"only the first and second commas count", 0, "DT,00200,,,M,X\r", {Depth(2.0)}},
        {"a line feed is body, not terminator", 0, "DT,00300,M\nDT,00400,M\r", {Depth(3.0)}},
        {"bytes past the terminator before the next tag",
         0,
         "DT,00300,M\r\nxyDT,00400,M\r",
         {Depth(3.0), Depth(4.0)}},
    };
    for (const StreamCase& c : cases) ExpectStream(c);
}

TEST(SounderFramingTest, WhatTheFramingCannotHoldIsDroppedAndTheNextTelegramIsRead) {
    const std::string digits300 = "DT,00123," + std::string(290, '7') + "\r";
    const std::string exactly200 = "DT,01234," + std::string(190, '7') + "\r";
    const std::string over200 = "DT,01234," + std::string(191, '7') + "\r";
    ASSERT_EQ(digits300.size(), 300u);
    ASSERT_EQ(exactly200.size(), 200u);
    const StreamCase cases[] = {
        {"a 300-byte telegram", 0, digits300 + "DT,00500,M\r", {Depth(5.0)}},
        {"200 bytes fit", 0, exactly200 + "DT,00500,M\r", {Depth(12.34), Depth(5.0)}},
        {"201 bytes do not", 0, over200 + "DT,00500,M\r", {Depth(5.0)}},
        {"no comma", 0, "DT0123M\rDT,00500,M\r", {Depth(5.0)}},
        {"one comma", 2, "DA,1234\rDA,0500,M\r", {Depth(5.0)}},
        {"a 25-character depth",
         0,
         "DT," + std::string(25, '1') + ",M\rDT,00500,M\r",
         {Depth(5.0)}},
        {"a 20-character depth",
         3,
         "$GPSSS," + std::string(20, '1') + ",M\r$GPSSS,5,M\r",
         {Depth(5.0)}},
        {"a 19-character depth is read",
         3,
         "$GPSSS," + std::string(15, '0') + "12.5,M\r",
         {Depth(12.5)}},
        {"a dropped error report leaves the flag alone",
         0,
         "DT,EEEEEE,M\rDT,E" + std::string(24, 'E') + ",M\rDT,EE\r",
         {Error(0.0)}},
        {"the overflowing byte may start a tag",
         0,
         "DT," + std::string(197, '1') + "DT,00600,M\r",
         {Depth(6.0)}},
    };
    for (const StreamCase& c : cases) ExpectStream(c);
}

TEST(SounderFramingTest, ATypeChangeInTheMiddleOfATagJudgesItByTheNewTag) {
    SounderFeed feed;
    feed.Bytes("noise$GPSS", g_types[3]);
    // Five tag characters collected under a six-character tag; the next
    // byte is the sixth, judged by "DT"'s last character, and rejected.
    feed.Bytes("X" + std::string(40, 'x') + "DT,00100,M\r", g_types[0]);
    EXPECT_EQ(feed.events, std::vector<SounderEvent>{Depth(1.0)});
    feed.Bytes("DT,00", g_types[0]);
    feed.Bytes("7", g_types[3]);
    // A body under way is closed by the new type's terminator and scale.
    feed.Bytes("00,M\r", g_types[3]);
    EXPECT_EQ(feed.events, (std::vector<SounderEvent>{Depth(1.0), Depth(700.0)}));
}

std::string ReadCapture(const char* name) {
    std::ifstream in(std::string(QUORVEL_TESTDATA_DIR) + "/nmea-captures/" + name,
                     std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The time field of every $GPZDA sentence: what a type-2 sounder reads as
// its depth in them (the tag "DA" ends the sentence's name).
std::vector<SounderEvent> ZdaTimesAsDepths(const std::string& capture) {
    std::vector<SounderEvent> depths;
    std::istringstream lines(capture);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("$GPZDA,", 0) != 0) continue;
        const std::string field = line.substr(7, line.find(',', 7) - 7);
        depths.push_back(Depth(atof_c(field.c_str()) / 100.0));
    }
    return depths;
}

TEST(SounderFramingTest, RealCapturesOfOtherDevicesGiveOnlyWhatMatchesTheType) {
    const std::string zeus = ReadCapture("bundg_zeus_9.log");
    for (int type = 0; type < 4; ++type) {
        SounderFeed feed;
        feed.Bytes(zeus, g_types[type]);
        if (type != 2) {
            EXPECT_TRUE(feed.events.empty()) << "type " << type;
            continue;
        }
        ASSERT_EQ(feed.Depths(), 154);
        EXPECT_EQ(feed.Errors(), 0);
        EXPECT_EQ(feed.events.front(), Depth(947.37));
        EXPECT_EQ(feed.events, ZdaTimesAsDepths(zeus));
    }
    for (const char* name : {"sounder.log", "humminbird-M37.log"}) {
        const std::string capture = ReadCapture(name);
        // Depth sentences of another kind, with line feeds only: no
        // terminator ever comes.
        ASSERT_EQ(capture.find('\r'), std::string::npos) << name;
        for (int type = 0; type < 4; ++type) {
            SounderFeed feed;
            feed.Bytes(capture, g_types[type]);
            EXPECT_TRUE(feed.events.empty()) << name << ", type " << type;
            EXPECT_EQ(feed.changedWithoutEvent, 0);
            // Still framing afterwards: a terminator ends whatever body is
            // under way, and the next telegram is read whole.
            feed.Bytes("\r", g_types[type]);
            const size_t before = feed.events.size();
            feed.Bytes(TagOf(g_types[type]) + ",100,M\r", g_types[type]);
            ASSERT_EQ(feed.events.size(), before + 1) << name << ", type " << type;
            EXPECT_EQ(feed.events.back(), Depth(100.0 / g_types[type].fScale));
        }
    }
}

}  // namespace
}  // namespace soundertest
