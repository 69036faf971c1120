// The reader's line cutter: where lines end, what the search vector holds,
// when a "$BIN" block's sigma counts, and the bound on a line without CR.
#include "receiver/link/LineCutter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace std::string_literals;

namespace {

// Feeds `bytes`; the lines completed, each with its 0 byte.
std::vector<std::string> Feed(CLineCutter& cutter, const std::string& bytes,
                              std::vector<std::string>* searches = nullptr) {
    std::vector<std::string> lines;
    for (char c : bytes) {
        if (!cutter.Add(static_cast<BYTE>(c))) continue;
        CByteBuffer& line = cutter.Line();
        lines.emplace_back(reinterpret_cast<const char*>(line.GetAt(0)), line.GetSize());
        if (searches != nullptr) {
            const auto& v = cutter.SearchVector();
            searches->emplace_back(v.begin(), v.end());
        }
    }
    return lines;
}

// "$BIN", type, length 52, the data with `sigma` at offset 52 from '$'.
std::string Block(int type, float sigma, size_t data = 52) {
    std::string block = "$BIN";
    block += static_cast<char>(type);
    block += '\0';
    block += static_cast<char>(data);
    block += '\0';
    block += std::string(data, '\x01');
    if (data >= 48) std::memcpy(&block[52], &sigma, sizeof sigma);
    return block;
}

TEST(LineCutterTest, LinesRunFromAfterTheLastCrToTheirOwnCr) {
    CLineCutter cutter;
    std::vector<std::string> searches;
    const auto lines = Feed(cutter, "\r$GPGGA,1*00\r\n$GPZDA\r\nA\0B\r"s, &searches);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::string("\r\0", 2));  // a CR first: CR and the 0
    EXPECT_EQ(lines[1], std::string("$GPGGA,1*00\r\0", 13));
    EXPECT_EQ(lines[2], std::string("\n$GPZDA\r\0", 9));
    EXPECT_EQ(lines[3], std::string("\nA\0B\r\0", 6));
    EXPECT_EQ(searches[0], "");
    EXPECT_EQ(searches[2], "$GPZDA\r");  // without the first byte
    // An unfinished line waits for its CR.
    EXPECT_TRUE(Feed(cutter, "\n$GPG").empty());
    EXPECT_EQ(Feed(cutter, "SA\r")[0], std::string("\n$GPGSA\r\0", 9));
}

TEST(LineCutterTest, Bin1SigmaNeedsTypeOneLengthAndAValueAboveTheFloor) {
    struct Case {
        const char* name;
        std::string line;
        bool found;
    };
    const Case cases[] = {
        {"after the LF", "\n" + Block(1, 0.5f) + "\r", true},
        {"after other text", "\nxx" + Block(1, 0.5f) + "\r", true},
        {"at the very first byte", Block(1, 0.5f) + "\r", false},
        {"type 2", "\n" + Block(2, 0.5f) + "\r", false},
        {"shorter than 56 bytes", "\n" + Block(1, 0.5f, 47) + "\r", false},
        {"exactly the floor", "\n" + Block(1, 1e-5f) + "\r", false},
        {"just above it", "\n" + Block(1, 1.1e-5f) + "\r", true},
        {"negative", "\n" + Block(1, -3.0f) + "\r", false},
        {"not a number", "\n" + Block(1, __builtin_nanf("")) + "\r", false},
        {"the first block counts", "\n" + Block(2, 0.5f) + Block(1, 0.5f) + "\r", false},
    };
    for (const Case& c : cases) {
        CLineCutter cutter;
        ASSERT_EQ(Feed(cutter, c.line).size(), 1u) << c.name;
        float sigma = 0;
        EXPECT_EQ(cutter.FindBin1Sigma(sigma), c.found ? TRUE : FALSE) << c.name;
        if (c.found) {
            EXPECT_GT(sigma, 1e-5f) << c.name;
        }
    }
    // The whole float before the CR is enough.
    CLineCutter cutter;
    const std::string exact = "\n" + Block(1, 2.0f).substr(0, 56) + "\r";
    ASSERT_EQ(Feed(cutter, exact).size(), 1u);
    float sigma = 0;
    EXPECT_TRUE(cutter.FindBin1Sigma(sigma));
}

TEST(LineCutterTest, LineWithoutCrIsDroppedAt64KiB) {
    CLineCutter cutter;
    EXPECT_TRUE(Feed(cutter, std::string(CLineCutter::kMaxLine - 1, 'a') + "\r").size() == 1);
    EXPECT_EQ(cutter.Line().GetSize(), CLineCutter::kMaxLine + 1);  // kept whole, with its 0
    EXPECT_EQ(cutter.DroppedLines(), 0u);
    const auto lines = Feed(cutter, std::string(3 * CLineCutter::kMaxLine + 10, 'b') + "end\r");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string(10, 'b') + std::string("end\r\0", 5));
    EXPECT_EQ(cutter.DroppedLines(), 3u);
    EXPECT_LE(cutter.Line().GetCapacity(), CLineCutter::kMaxLine + 1024);
}

}  // namespace
