// The drawing files and the track reader on a temporary device root: exact
// lines, round trips byte for byte, and damaged or foreign files.
#include "graphics/DrawingFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "platform/base/TextConv.h"
#include "platform/testing/TempDeviceRoot.h"

namespace {

class DrawingFilesTest : public quorvel::testing::DeviceRootTest {};

const wchar_t kText[] = L"\\Flash Disk\\Jobs\\j\\text.sg";
const wchar_t kLine[] = L"\\Flash Disk\\Jobs\\j\\line.sg";
const wchar_t kTrack[] = L"\\Flash Disk\\Jobs\\j\\data\\j0.org";

std::string Gbk(const wchar_t* text) {
    return quorvel::ToGbk(text);
}

// A raw epoch line with the given name, coordinates and field 25.
std::string RawLine(const char* name, const char* n, const char* e, const char* stored) {
    std::string line =
        std::string(name) + ",2026-12-07,10:15:20.5,a,b,c,d," + n + "," + e + ",12.5";
    for (int i = 10; i < 25; ++i) line += ",";
    return line + "," + stored + "\r\n";
}

}  // namespace

TEST_F(DrawingFilesTest, LinesFollowTheFieldTables) {
    CGraphText t;
    t.m_bBold = TRUE;
    t.m_dAngle = 45.0;
    t.m_crColor = 0xFF0063;
    t.m_nSize = 25;
    t.m_ptAnchor.m_dX = 3521004.12345678;
    t.m_ptAnchor.m_dY = 500123.5;
    t.m_strText = L"测线起点";
    EXPECT_EQ(
        TextLayerLine(t),
        CString(L"TEXT:1,45.00000000,16711779,25,,3521004.12345678,500123.50000000,测线起点\r\n"));
    CGraphLine l;
    l.m_strName = L"007";
    l.m_crText = 0x848484;
    l.m_crPen = 0xFFC0C0;
    l.m_ptStart.m_dX = -1.5;
    l.m_ptEnd.m_dY = 100.0;
    EXPECT_EQ(
        LineLayerLine(l),
        CString(
            L"LINE:007,8684676,16761024,0,1,-1.50000000,0.00000000,0.00000000,100.00000000\r\n"));
}

TEST_F(DrawingFilesTest, HandWrittenFilesRoundTripByteForByte) {
    const std::string text =
        Gbk(L"TEXT:0,0.00000000,16711779,12,,10.25000000,20.12500000,码头\r\n"
            L"TEXT:1,30.00000000,255,16,宋体,-5.00000000,7.00000000,北岸 A\r\n");
    const std::string line =
        Gbk(L"LINE:001,8684676,16761024,0,1,0.00000000,0.00000000,0.00000000,100.00000000\r\n"
            L"LINE:,0,0,2,3,1.00000000,2.00000000,3.00000000,4.00000000\r\n");
    WriteHost("Flash Disk/Jobs/j/text.sg", text);
    WriteHost("Flash Disk/Jobs/j/line.sg", line);
    CGraphLayer layer;
    LoadTextLayerFile(kText, layer.m_texts);
    LoadLineLayerFile(kLine, layer.m_lines);
    ASSERT_EQ(layer.m_texts.m_items.size(), 2u);
    ASSERT_EQ(layer.m_lines.m_items.size(), 2u);
    EXPECT_EQ(layer.m_texts.m_items[1].m_strFace, CString(L"宋体"));
    EXPECT_EQ(layer.m_texts.m_items[0].m_ptAnchor.m_dX, 10.25);
    EXPECT_EQ(layer.m_lines.m_items[1].m_nPenWidth, 3);
    EXPECT_EQ(layer.m_lines.m_items[0].m_crPen, 0xFFC0C0u);
    ASSERT_TRUE(SaveTextLayer(kText, layer.m_texts));
    ASSERT_TRUE(SaveLineLayer(kLine, layer.m_lines));
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/j/text.sg"), text);
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/j/line.sg"), line);
    // Reading again appends: the items double.
    LoadTextLayerFile(kText, layer.m_texts);
    EXPECT_EQ(layer.m_texts.m_items.size(), 4u);
}

TEST_F(DrawingFilesTest, ShortLinesEmptyLinesAndUnfinishedLastLines) {
    CGraphLineSet lines;
    ReadLineLayer(
        L"LINE:a,1,2,0,1,1,2,3\r\n"               // 8 fields: skipped
        L"LINE:b,1,2,0,1,1,2,3,4,extra,more\r\n"  // 10 fields: first 9
        L"NOTAG,1,2,0,1,5,6,7,8\r\n"              // no tag: from the 5th character
        L"LINE:c,1,2,0,1,1,2,3,4",                // no line end: not read
        lines);
    ASSERT_EQ(lines.m_items.size(), 2u);
    EXPECT_EQ(lines.m_items[0].m_strName, CString(L"b"));
    EXPECT_EQ(lines.m_items[0].m_ptEnd.m_dY, 4.0);
    EXPECT_EQ(lines.m_items[1].m_strName, CString(L"G"));
    EXPECT_EQ(lines.m_items[1].m_ptStart.m_dX, 5.0);

    CGraphTextSet texts;
    ReadTextLayer(L"TEXT:0,0,0,12,,1,2,first\r\n\r\nTEXT:0,0,0,12,,1,2,third\r\n", texts);
    ASSERT_EQ(texts.m_items.size(), 1u);
    EXPECT_EQ(texts.m_items[0].m_strText, CString(L"first"));
    // A comma in the text ends it; the rest is not read.
    texts.m_items.clear();
    ReadTextLayer(L"TEXT:0,0,0,12,,1.5,2.25,a,b\r\n", texts);
    ASSERT_EQ(texts.m_items.size(), 1u);
    EXPECT_EQ(texts.m_items[0].m_strText, CString(L"a"));
    EXPECT_EQ(texts.m_items[0].m_ptAnchor.m_dX, 1.5);
}

TEST_F(DrawingFilesTest, DamagedNumbersAreSkippedNotDrawn) {
    CGraphTextSet texts;
    // "nan" is no number (0), as on the device; an overflow is infinite.
    ReadTextLayer(
        L"TEXT:0,1e999,0,12,,1,2,x\r\n"
        L"TEXT:0,0,0,12,,-1e400,2,x\r\n"
        L"TEXT:0,1e300,0,100000,,1e308,-1e308,big\r\n"
        L"TEXT:zz,,,,,,,empty numbers\r\n",
        texts);
    ASSERT_EQ(texts.m_items.size(), 2u);
    EXPECT_EQ(texts.m_items[0].m_dAngle, 1e300);
    EXPECT_EQ(texts.m_items[0].m_ptAnchor.m_dX, 1e308);
    EXPECT_EQ(texts.m_items[0].m_nSize, 100000);
    EXPECT_EQ(texts.m_items[1].m_nSize, 0);
    CGraphLineSet lines;
    ReadLineLayer(
        L"LINE:a,1,2,0,1,1e999,2,3,4\r\nLINE:b,1,2,0,1,1,2,3,-1e999\r\nLINE:c,1,2,0,1,nan,2,3,"
        L"4\r\n",
        lines);
    ASSERT_EQ(lines.m_items.size(), 1u);
    EXPECT_EQ(lines.m_items[0].m_ptStart.m_dX, 0.0);
}

TEST_F(DrawingFilesTest, ForeignAndMissingFilesAddNothing) {
    CGraphLayer layer;
    LoadTextLayerFile(kText, layer.m_texts);  // missing
    WriteHost("Flash Disk/Jobs/j/text.sg", "");
    LoadTextLayerFile(kText, layer.m_texts);
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    WriteHost("Flash Disk/Jobs/j/line.sg", binary);
    LoadLineLayerFile(kLine, layer.m_lines);
    // Invalid GBK and a line of 100,000 characters.
    WriteHost("Flash Disk/Jobs/j/text.sg",
              "TEXT:0,0,0,12,,1,2,\xFF\xFE\x81\r\n" + std::string(100000, 'x') + "\r\n");
    LoadTextLayerFile(kText, layer.m_texts);
    EXPECT_EQ(layer.m_texts.m_items.size(), 1u);
    EXPECT_TRUE(layer.m_lines.m_items.empty());
}

TEST_F(DrawingFilesTest, ASaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
    CGraphTextSet texts;
    texts.m_items.resize(1);
    WriteHost("Flash Disk/Jobs/j/line.sg", "old");
    ASSERT_TRUE(std::filesystem::create_directories(Host("Flash Disk/Jobs/j/text.sg")));
    EXPECT_FALSE(SaveTextLayer(kText, texts));
    CGraphLineSet lines;
    EXPECT_FALSE(SaveLineLayer(L"\\Flash Disk\\Jobs\\none\\line.sg", lines));
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/j/line.sg"), "old");
    // An empty set makes an empty file.
    ASSERT_TRUE(SaveLineLayer(kLine, lines));
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/j/line.sg"), "");
    // A line longer than any buffer is written whole.
    CGraphText longText;
    longText.m_strText = CString(std::wstring(300, L'长').c_str());
    texts.m_items.assign(1, longText);
    ASSERT_TRUE(SaveTextLayer(L"\\Flash Disk\\Jobs\\j\\t2.sg", texts));
    CGraphTextSet back;
    LoadTextLayerFile(L"\\Flash Disk\\Jobs\\j\\t2.sg", back);
    ASSERT_EQ(back.m_items.size(), 1u);
    EXPECT_EQ(back.m_items[0].m_strText.GetLength(), 300);
}

TEST_F(DrawingFilesTest, TrackTakesNameTimeAndCoordinatesOfEachEpoch) {
    WriteHost("Flash Disk/Jobs/j/data/j0.org", RawLine("P1", "3521000.125", "500000.5", "1") +
                                                   RawLine("", "3521001", "500001", "0") +
                                                   RawLine("", "1e999", "1", "0") +
                                                   RawLine("", "", "", "") + "short,line\r\n");
    CGraphPointSet points;
    LoadTrackFile(kTrack, points);
    ASSERT_EQ(points.m_items.size(), 4u);
    const CGraphPoint& p = points.m_items[0];
    EXPECT_EQ(p.m_strName, CString(L"P1"));
    EXPECT_EQ(p.m_strDate, CString(L"2026-12-07"));
    EXPECT_EQ(p.m_strTime, CString(L"10:15:20.5"));
    EXPECT_EQ(p.m_dX, 3521000.125);
    EXPECT_EQ(p.m_dY, 500000.5);
    EXPECT_EQ(p.m_dH, 12.5);
    EXPECT_EQ(p.m_nSymbol, 0);
    EXPECT_EQ(points.m_items[1].m_nSymbol, 1);
    EXPECT_EQ(points.m_items[2].m_nSymbol, 1);  // empty field 25
    EXPECT_EQ(points.m_items[3].m_dX, 0.0);     // the short line: no numbers
}
