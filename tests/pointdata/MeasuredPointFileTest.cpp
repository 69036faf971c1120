// The measured-point file as the library edits it: rows read by the small
// files' line rules (the post-processing shape too), rewrites that keep
// every byte they did not show, points appended meanwhile, and damaged or
// foreign files that neither crash the reader nor lose a byte.
#include <filesystem>
#include <string>

#include "platform/base/TextConv.h"
#include "pointdata/MeasuredPointFile.h"
#include "tests/pointdata/WriterTestRoot.h"

namespace {

namespace fs = std::filesystem;
using quorvel::pointdata::kPointFields;
using quorvel::pointdata::MeasuredPointFile;

using MeasuredPointFileTest = WriterTest;

const std::string kA =
    "A,100.000,200.000,10.000,c1,10,0.010,0.020,12,0.90,08:00:01.00,0.0000,0.0000,1.500,\r\n";
// The post-processing shape: name, x, y, h, code, antenna, solution,
// HRMS, VRMS, satellites, HDOP.
const std::string kB = "B,101.000,201.000,11.000,c2,1.600,9,0.011,0.021,11,1.00\r\n";
const std::string kC = " C , 102.000,202.000,12.000,,5,0.5,0.6,8,2.0,08:00:03.00,,,2.000,\r\n";

std::string Field(const MeasuredPointFile& file, size_t row, int field) {
    return quorvel::ToUtf8(file.Rows()[row].fields[field]);
}

}  // namespace

TEST_F(MeasuredPointFileTest, RowsAreReadOldestFirstInBothShapes) {
    MeasuredPointFile file;
    file.Parse(kA + kB + kC);
    ASSERT_EQ(file.Rows().size(), 3u);
    EXPECT_EQ(Field(file, 0, 13), "1.500");
    // The rebuilt line: antenna height to field 13, the quality fields
    // moved up, no time.
    const char* b[kPointFields] = {"B",     "101.000", "201.000", "11.000", "c2", "9", "0.011",
                                   "0.021", "11",      "1.00",    "",       "",   "",  "1.600"};
    for (int i = 0; i < kPointFields; ++i) EXPECT_EQ(Field(file, 1, i), b[i]) << i;
    // Fields are trimmed.
    EXPECT_EQ(Field(file, 2, 0), "C");
    EXPECT_EQ(Field(file, 2, 4), "");
    EXPECT_EQ(file.Text(), kA + kB + kC);
}

TEST_F(MeasuredPointFileTest, ARewriteKeepsWhatTheReadingDidNotTakeAndWhatWasAppended) {
    const std::string rest = "\r\nAFTER,1,2,3,\r\nunterminated";
    WriteDeviceFile(kPointFile, kA + kB + kC + rest);
    MeasuredPointFile file;
    ASSERT_TRUE(file.Load(kPointFile));
    ASSERT_EQ(file.Rows().size(), 3u);

    // A point the writer appends while the library is open.
    const std::string appended = "D,1,2,3,,10,0,0,1,1,08:00:04.00,0,0,1.000,\r\n";
    WriteDeviceFile(kPointFile, kA + kB + kC + rest + appended);
    file.Rows().erase(file.Rows().begin() + 1);
    ASSERT_TRUE(file.Save(kPointFile));
    EXPECT_EQ(ReadDeviceFile(kPointFile), kA + kC + rest + appended);

    // A changed row is written anew in 14 fields; the others stay.
    file.Rows()[0].fields[13] = L"2.000";
    file.Rows()[0].fields[3] = L"9.500";
    file.Rows()[0].changed = true;
    ASSERT_TRUE(file.Save(kPointFile));
    const std::string edited =
        "A,100.000,200.000,9.500,c1,10,0.010,0.020,12,0.90,08:00:01.00,0.0000,0.0000,2.000,\r\n";
    EXPECT_EQ(ReadDeviceFile(kPointFile), edited + kC + rest + appended);
    // A rebuilt line once edited has the writer's shape.
    file.Parse(kB);
    file.Rows()[0].changed = true;
    EXPECT_EQ(file.Text(), "B,101.000,201.000,11.000,c2,9,0.011,0.021,11,1.00,,,,1.600,\r\n");
}

// A folder where the file was, and a missing folder: FALSE, nothing lost.
TEST_F(MeasuredPointFileTest, ARewriteThatCannotReplaceTheFileLosesNothing) {
    WriteDeviceFile(kPointFile, kA + kB);
    MeasuredPointFile file;
    ASSERT_TRUE(file.Load(kPointFile));
    fs::remove(HostPath(kPointFile));
    fs::create_directory(HostPath(kPointFile));
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat\\keep.txt", "kept");
    file.Rows().pop_back();
    EXPECT_FALSE(file.Save(kPointFile));
    EXPECT_TRUE(fs::is_directory(HostPath(kPointFile)));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat\\keep.txt"), "kept");
    EXPECT_FALSE(file.Save(L"\\Flash Disk\\Jobs\\gone\\data\\ruvo.dat"));
    EXPECT_FALSE(fs::exists(HostPath(L"\\Flash Disk\\Jobs\\gone")));
    // A file that cannot be read is no rows.
    EXPECT_FALSE(file.Load(kPointFile));
    EXPECT_TRUE(file.Rows().empty());
}

// Damaged and foreign files: whatever the rows show, an edit of one row
// leaves every other byte as it was.
TEST_F(MeasuredPointFileTest, DamagedFilesReadWithoutLosingAByte) {
    std::string binary = "X,1,2,3,";
    for (int i = 0; i < 256; ++i)
        if (i != '\n') binary += static_cast<char>(i);
    binary += "\r\n";
    const std::string badGbk = "\x81\x30,\xff\xfe,\x80,3,\xa1\r\n";
    const std::string longLine = "L," + std::string(10 * 1024 * 1024, '7') + ",1\r\n";
    std::string manyFields = "M";
    for (int i = 0; i < 1000; ++i) manyFields += "," + std::to_string(i);
    manyFields += "\r\n";
    const std::string cases[] = {
        binary,
        badGbk,
        longLine,
        manyFields,
        "nofinal,1,2,3",                       // no line end: not a row
        "\n\nP,1,2,3,\r\n",                    // an empty first line
        "\r\r\n\xd6\xd0,1,2,3,\r\n",           // a line of one character
        std::string("N\0L,1,2\0,3,\r\n", 14),  // zero bytes
    };
    for (const std::string& body : cases) {
        SCOPED_TRACE(body.substr(0, 40));
        const std::string all = kA + body + kC;
        MeasuredPointFile file;
        file.Parse(all);
        ASSERT_GE(file.Rows().size(), 1u);
        EXPECT_EQ(file.Text(), all);
        file.Rows()[0].fields[0] = L"A2";
        file.Rows()[0].changed = true;
        const std::string text = file.Text();
        EXPECT_EQ(text.substr(0, 3), "A2,");
        EXPECT_EQ(text.substr(text.find('\n') + 1), body + kC);
    }
    // An empty line in the middle ends the rows there.
    MeasuredPointFile file;
    file.Parse(kA + "\r\n" + kC);
    EXPECT_EQ(file.Rows().size(), 1u);
    // A long line gives its first 14 fields.
    file.Parse(longLine);
    ASSERT_EQ(file.Rows().size(), 1u);
    EXPECT_EQ(file.Rows()[0].fields[1].GetLength(), 10 * 1024 * 1024);
    EXPECT_EQ(Field(file, 0, 2), "1");
    file.Parse(manyFields);
    EXPECT_EQ(Field(file, 0, 13), "12");
}
