// The point-pair loader on the files a surveyor's card may hold: the
// device's line rules, pair lines among others, names in Chinese, and
// files that are no pair files at all (empty, binary, huge, one endless
// line, a hundred commas, numbers out of range): nothing may crash or hang,
// and what is not a number counts as 0.
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "app/InputRules.h"
#include "app/coordsys/PointPairFile.h"
#include "platform/base/TextConv.h"
#include "tests/app/coordsys/CoordsysTest.h"

namespace coordsystest {
namespace {

using pointpair::Row;

class PointPairFileTest : public CoordsysTest {
  protected:
    std::vector<Row> Load(const std::string& bytes, int nCells = pointpair::kFourCells) {
        WriteHost("Flash Disk/pairs.fou", bytes);
        std::vector<Row> rows;
        EXPECT_TRUE(pointpair::ReadFile(L"\\Flash Disk\\pairs.fou", nCells, rows));
        return rows;
    }
};

TEST_F(PointPairFileTest, OnlyPairLinesUpToTheFirstEmptyLineAreRead) {
    // The reference file: a line numbered 0 is skipped, the empty line ends it.
    std::ifstream in(QUORVEL_SOURCE_DIR "/tests/app/coordsys/data/four_points.fou",
                     std::ios::binary);
    const auto rows = Load(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Row{L"点一", L"100.0", L"200.0", L"110.0", L"210.0"}));
    EXPECT_EQ(rows[1][0], L"C");

    EXPECT_EQ(Load("0,A,1,2,3,4,\r\n1,A,1,2,3,4,\r\n").size(), 1u);
    EXPECT_EQ(Load("1,A,1,2,3,4,\r\n\r\n1,B,1,2,3,4,\r\n").size(), 1u);
    // A last line without its line end is not read.
    EXPECT_EQ(Load("1,A,1,2,3,4,\r\n1,B,1,2,3,4,").size(), 1u);
    // "1" exactly: " 1" and "01" are no pair lines.
    EXPECT_TRUE(Load(" 1,A,1,2,3,4,\r\n").empty());
    EXPECT_EQ(Load("01,A,1,2,3,4,\r\n1,B,1,2,3,4,\r\n").size(), 1u);
    // Missing fields are empty; fields past the row's are ignored.
    EXPECT_EQ(Load("1,A,1\r\n")[0], (Row{L"A", L"1", L"", L"", L""}));
    EXPECT_EQ(Load("1,A,1,2,3,4,5,6,7\r\n")[0], (Row{L"A", L"1", L"2", L"3", L"4"}));
    EXPECT_EQ(Load(std::string("1") + std::string(100, ',') + "\r\n")[0], Row(5, CString()));
    // Lines ended by LF alone lose their last character, as on the device.
    EXPECT_EQ(Load("1,A,1,2,3,4,x\n")[0][4], L"4");
}

TEST_F(PointPairFileTest, NamesInChineseSurviveAWriteAndARead) {
    const std::vector<Row> rows = {
        {L"测量点一", L"30.1530", L"114.0515", L"25.5", L"3381000.1", L"512000.2", L"20.1"},
        {L"B", L"", L"", L"", L"", L"", L""}};
    ASSERT_TRUE(pointpair::WriteFile(L"\\Flash Disk\\pairs.sev", rows));
    EXPECT_EQ(ReadHost("Flash Disk/pairs.sev"),
              quorvel::ToGbk(L"1,测量点一,30.1530,114.0515,25.5,3381000.1,512000.2,20.1,\r\n"
                             L"1,B,,,,,,,\r\n"));
    std::vector<Row> back;
    ASSERT_TRUE(pointpair::ReadFile(L"\\Flash Disk\\pairs.sev", pointpair::kSevenCells, back));
    EXPECT_EQ(back, rows);
    EXPECT_FALSE(pointpair::ReadFile(L"\\Flash Disk\\none.sev", pointpair::kSevenCells, back));
    EXPECT_TRUE(back.empty());
}

TEST_F(PointPairFileTest, FilesThatAreNoPairFiles) {
    EXPECT_TRUE(Load("").empty());
    std::mt19937 random(7);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    Load(binary);  // whatever it finds, it returns
    // Ten megabytes of pairs, and ten megabytes without a line end.
    std::string many;
    while (many.size() < 10u * 1024 * 1024) many += "1,A,1.5,2.5,3.5,4.5,\r\n";
    EXPECT_EQ(Load(many).size(), many.size() / 22);
    EXPECT_TRUE(Load(std::string(10u * 1024 * 1024, 'x')).empty());

    const auto odd = Load("1,A,1e400,nan,-inf,0x10,\r\n1,B,12abc, 7,,--1,\r\n");
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(ReadNumber(odd[0][1]), 0.0);
    EXPECT_EQ(ReadNumber(odd[0][2]), 0.0);
    EXPECT_EQ(ReadNumber(odd[0][3]), 0.0);
    EXPECT_EQ(ReadNumber(odd[0][4]), 0.0);  // no hexadecimal numbers, as on the device
    EXPECT_EQ(ReadNumber(odd[1][1]), 12.0);
    EXPECT_EQ(ReadNumber(odd[1][2]), 7.0);
    EXPECT_EQ(ReadNumber(odd[1][3]), 0.0);
    EXPECT_EQ(ReadNumber(odd[1][4]), 0.0);
}

}  // namespace
}  // namespace coordsystest
