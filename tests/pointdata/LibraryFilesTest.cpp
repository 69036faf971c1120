// The point libraries' files: the reading rule (CR dropped, the first empty
// line and an unterminated last line end it, the bytes consumed), each
// format's lines, byte-for-byte round trips, the rewrite that keeps what
// the reading left, and damaged input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/base/TextConv.h"
#include "pointdata/LibraryFiles.h"
#include "pointdata/LibraryText.h"
#include "tests/pointdata/WriterTestRoot.h"

namespace {

using namespace pointdata;

const wchar_t kLib[] = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lib";

StoredText Split(const std::string& bytes) {
    return SplitLibraryText(bytes.data(), bytes.size());
}

std::string Gbk(const CString& text) {
    return quorvel::ToGbk(text.GetString());
}

TEST(LibraryTextTest, TheReadingStopsAtTheFirstEmptyLineAndSkipsAnUnterminatedLast) {
    const std::string bytes = "a,1\r\nb,2\r\n\r\nc,3\r\n";
    StoredText t = Split(bytes);
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_EQ(t.lines[1], L"b,2");
    EXPECT_EQ(t.consumed, 10u);  // the empty line and after are left

    t = Split("a,1\r\nb,2");
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.consumed, 5u);
    // The character before the LF goes whatever it is; a lone LF ends.
    t = Split("ab\nc\n");
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0], L"a");
    EXPECT_EQ(t.consumed, 3u);
    // Two-byte names read whole.
    t = Split(Gbk(L"0,点一,1,2,3,码\r\n"));
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0], L"0,点一,1,2,3,码");
}

TEST(LibraryTextTest, NumbersThatAreNoNumbersReadZero) {
    for (const wchar_t* text : {L"nan", L"inf", L"-inf", L"0x1p3", L"1e999", L"", L"abc"})
        EXPECT_EQ(ReadNumber(text), 0.0) << quorvel::ToUtf8(text);
    EXPECT_EQ(ReadNumber(L" 12.5xyz"), 12.5);
    EXPECT_EQ(ReadNumber(L"-1e2"), -100.0);
}

TEST(LibraryFilesTest, CoordinateLibraryLines) {
    NumberedPoint p = ParseLibLine(L"1,R1,3381000.1234,512000,10.5,00000000");
    EXPECT_EQ(p.number, 1);
    EXPECT_EQ(p.name, L"R1");
    EXPECT_EQ(p.x, 3381000.1234);
    EXPECT_EQ(p.code, L"00000000");
    // Only "1" exactly is raw-grid; other numbers are kept.
    EXPECT_EQ(ParseLibLine(L"2,K,1,2,3,c").number, 2);
    EXPECT_EQ(ParseLibLine(L"1.0,K,1,2,3,c").number, 1);  // read as 1 ...
    EXPECT_EQ(ParseLibLine(L"K").number, 0);              // missing fields empty
    // ... but written 0 so that it stays a library record.
    EXPECT_EQ(FormatLib({}, {ParseLibLine(L"1.0,K,1,2,3,c")}), L"0,K,1.000,2.000,3.000,c\r\n");
    // An import: "0" is library, anything else raw-grid.
    EXPECT_EQ(ParseLibImportLine(L"2,K,1,2,3,c").number, 1);
    EXPECT_EQ(ParseLibImportLine(L"0,K,1,2,3,c").number, 0);

    // Raw-grid records first; lines written whole beyond 199 bytes.
    const CString longName(L'N', 300);
    const CString text = FormatLib({{1, L"R", 1, 2, 3, L"r"}},
                                   {{0, L"K", 0.0005, -2, 1e6, L"c"}, {0, longName, 0, 0, 0, L""}});
    EXPECT_EQ(text, L"1,R,1.000,2.000,3.000,r\r\n0,K,0.001,-2.000,1000000.000,c\r\n0," + longName +
                        L",0.000,0.000,0.000,\r\n");
}

TEST(LibraryFilesTest, StakeOutPointLineAndLatLongLines) {
    PointTexts t = ParsePtbLine(L"0,A,100.00,200,3,c");
    EXPECT_EQ(t.name, L"A");
    EXPECT_EQ(t.north, L"100.00");
    EXPECT_EQ(t.code, L"c");
    EXPECT_EQ(FormatPtb({t}), L"0,A,100.00,200,3,c,\r\n");
    t = ParseDatLine(L"B,1,2,3,d");
    EXPECT_EQ(FormatDat({t}), L"B,1,2,3,d,\r\n");
    EXPECT_EQ(FormatPtb({t}), L"0,B,1,2,3,d,\r\n");
    EXPECT_EQ(FormatWgs({ParseWgsLine(L"G,30.1234,114.3,20.000,a")}),
              L"G,30.1234,114.3,20.000,a,\r\n");

    const LineRecord line = ParseLnbLine(L"A,100,200,0,c1,B,130,240,0,c2,0");
    EXPECT_EQ(line.end.dY, 240.0);
    EXPECT_EQ(line.end.strCode, L"c2");
    EXPECT_EQ(FormatLnb({line}),
              L"A,100.0000,200.0000,0.0000,c1,B,130.0000,240.0000,0.0000,c2,0.0000\r\n");
}

TEST(LibraryFilesTest, ReceiverAndRawRecordLines) {
    RtkPoint r;
    EXPECT_FALSE(ParseRtkLine(L"Rem name,lat,lon", r));
    ASSERT_TRUE(ParseRtkLine(L"P1,30.1530,-121.0530,35.200,c,1.800", r));
    EXPECT_EQ(r.lonText, L"-121.0530");
    EXPECT_EQ(r.height - r.antenna, 35.2 - 1.8);
    const OrgPoint o = ParseOrgLine(L"P2,x,x,30.1,114.2,50.5,1.5,3381000.1,512000.2,49.0,more");
    EXPECT_EQ(o.latText, L"30.1");
    EXPECT_EQ(o.northText, L"3381000.1");
    EXPECT_EQ(o.heightText, L"49.0");
    EXPECT_EQ(o.geoHeight - o.antenna, 49.0);
}

// Every format read and written again gives its bytes back.
TEST(LibraryFilesTest, RoundTripsAreByteForByte) {
    const std::string lib =
        Gbk(L"1,R1,1.000,2.000,3.000,00000000\r\n0,点一,3381234.567,"
            L"512345.678,12.345,码\r\n");
    std::vector<NumberedPoint> raw, libs;
    for (const CString& line : Split(lib).lines) {
        NumberedPoint p = ParseLibLine(line);
        (p.number == 1 ? raw : libs).push_back(p);
    }
    EXPECT_EQ(Gbk(FormatLib(raw, libs)), lib);

    const std::string ptb = Gbk(L"0,甲,1.5,2.25,3,c,\r\n0,B,x,,,,\r\n");
    std::vector<PointTexts> rows;
    for (const CString& line : Split(ptb).lines) rows.push_back(ParsePtbLine(line));
    EXPECT_EQ(Gbk(FormatPtb(rows)), ptb);

    const std::string lnb = "A,100.0000,200.0000,1.0000,c,B,130.0000,240.0000,2.0000,d,0.0000\r\n";
    EXPECT_EQ(Gbk(FormatLnb({ParseLnbLine(Split(lnb).lines[0])})), lnb);
}

class LibraryRewriteTest : public WriterTest {};

// The rewrite keeps after its lines what the reading left: the rest after
// an empty line, an unterminated last line, lines appended since.
TEST_F(LibraryRewriteTest, UnseenBytesStayAfterTheRewrittenLines) {
    const std::string before = "0,A,1.000,2.000,3.000,c\r\n\r\n0,HIDDEN,1,1,1,h\r\n0,TAIL";
    WriteDeviceFile(kLib, before);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(kLib, bytes));
    const StoredText text = Split(bytes);
    LoadedFile loaded;
    loaded.Take(bytes, text.consumed);
    // Something appended while the library was open.
    WriteDeviceFile(kLib, before + "\r\n1,NEW,5,6,7,n\r\n");
    ASSERT_TRUE(RewriteLibraryFile(kLib, L"0,B,9.000,9.000,9.000,d\r\n", loaded));
    const std::string expected =
        "0,B,9.000,9.000,9.000,d\r\n\r\n0,HIDDEN,1,1,1,h\r\n0,TAIL\r\n1,NEW,5,6,7,n\r\n";
    EXPECT_EQ(ReadDeviceFile(kLib), expected);
    // A second rewrite keeps the same rest.
    ASSERT_TRUE(RewriteLibraryFile(kLib, L"", loaded));
    EXPECT_EQ(ReadDeviceFile(kLib), expected.substr(25));
}

TEST_F(LibraryRewriteTest, AFailedRewriteLeavesTheFile) {
    WriteDeviceFile(kLib, "0,A,1,2,3,c\r\n");
    LoadedFile loaded;
    // A folder where the file should be: nothing written, FALSE.
    EXPECT_FALSE(RewriteLibraryFile(L"\\Flash Disk\\Jobs\\ruvo\\data", L"0,B\r\n", loaded));
    EXPECT_FALSE(RewriteLibraryFile(L"\\No Such Folder\\x.lib", L"0,B\r\n", loaded));
    EXPECT_EQ(ReadDeviceFile(kLib), "0,A,1,2,3,c\r\n");
}

// Damaged and foreign bytes: no crash, no hang, numbers 0, texts kept.
TEST(LibraryBadInputTest, DamagedFilesReadSafely) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) & 0xFF));
    std::string invalidGbk = "0,\x81\x0a\xff\xfe,1,2,3\r\n\x80\x80\r\n";
    std::string nul("0,A\0B,1,2,3,c\r\n", 15);
    std::string longLine(10u << 20, 'x');
    longLine += "\r\n";
    std::string commas(100000, ',');
    commas += "\r\n";
    std::string numbers = "0,N,nan,1e999,-inf,c\r\n";
    for (const std::string* bytes : {&binary, &invalidGbk, &nul, &longLine, &commas, &numbers}) {
        const StoredText t = Split(*bytes);
        EXPECT_LE(t.consumed, bytes->size());
        for (const CString& line : t.lines) {
            const NumberedPoint p = ParseLibLine(line);
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.h));
            const LineRecord r = ParseLnbLine(line);
            EXPECT_TRUE(std::isfinite(r.chainage));
            RtkPoint rtk;
            ParseRtkLine(line, rtk);
            ParseOrgLine(line);
            ParsePtbLine(line);
        }
    }
    const NumberedPoint p = ParseLibLine(Split(numbers).lines[0]);
    EXPECT_EQ(p.x, 0.0);
    EXPECT_EQ(p.y, 0.0);
    EXPECT_EQ(p.h, 0.0);
    EXPECT_EQ(Split(longLine).lines[0].GetLength(), 10 << 20);
}

}  // namespace
