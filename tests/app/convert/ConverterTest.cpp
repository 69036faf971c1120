// The converters on their own, on text in memory and on files in a
// temporary device root: the line rules of the readers, the profile's
// chainage rules, the raw RTK lines no survey should hold, and a
// conversion killed while it writes.
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <random>

#include "app/convert/PointFileConverter.h"
#include "app/convert/RtkConverter.h"
#include "platform/testing/TempDeviceRoot.h"
#include "tests/app/convert/ConvertTest.h"

namespace converttest {
namespace {

std::string Converted(int format, const std::string& source) {
    convert::CPointFileConverter converter(format);
    std::string out;
    convert::ConvertText(source, converter, out);
    return out;
}

TEST(ConverterTest, LinesAreCutAtLfLessTheCharacterBeforeIt) {
    // Bare LF line ends cost the last character of every line.
    EXPECT_EQ(Converted(1, "P1,1,2,3,AB\nP2,4,5,6,CD\n"), "P1,A,2,1,3\r\nP2,C,5,4,6\r\n");
    // A line of one character and its LF is empty and ends the file.
    EXPECT_EQ(Converted(1, "P1,1,2,3,A\r\nX\nP2,4,5,6,B\r\n"), "P1,A,2,1,3\r\n");
    // A two-byte character before the LF goes whole; a CR inside a line,
    // a zero byte and bytes that are no GBK stay what they are.
    EXPECT_EQ(Converted(5, Gbk("P1,1,2,3,A点\n")), "P1,1,2,3,A\r\n");
    const char odd[] = "P\r1,1,2\0,3,A\r\n";
    EXPECT_EQ(Converted(5, std::string(odd, sizeof odd - 1)), std::string(odd, sizeof odd - 1));
    EXPECT_EQ(Converted(5, "P\xFF,1,2,3,A\r\n"), "P?,1,2,3,A\r\n");
    // Nothing before the first LF, or no LF at all: no line.
    EXPECT_EQ(Converted(1, "P1,1,2,3,A"), "");
    EXPECT_EQ(Converted(9, ""), " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n 0\r\nENDSEC\r\n 0\r\nEOF\r\n");
}

TEST(ConverterTest, ProfileChainagesFollowTheCodes) {
    // The first line's metres pass through single precision, later ones do
    // not: 20.1 as a float is 20.1000003815.
    EXPECT_EQ(Converted(8, "A,0,0,5,DK1+20.1\r\nB,0,0,5,DK1+20.1\r\n"),
              "0 0\r\n-0.0000   0.0000\r\n");
    // "DK" without "+" is whole kilometres; the kilometres are the integer
    // before the "+" (none: 0); other codes carry the last later chainage.
    EXPECT_EQ(Converted(8,
                        "A,0,0,0,X\r\nB,0,0,1,DK12\r\nC,0,0,2,DK+20\r\nD,0,0,3,DK-1+20\r\n"
                        "E,0,0,4,dk9+1\r\nF,0,0,5,\r\n"),
              "0 0\r\n12000.0000   1.0000\r\n20.0000   2.0000\r\n-980.0000   3.0000\r\n"
              "-980.0000   4.0000\r\n-980.0000   5.0000\r\n");
}

class RtkLinesTest : public ::testing::Test {
  protected:
    std::string Converted(const std::string& lines, int* counted = nullptr) {
        convert::CRtkToGridConverter converter(PlainJob(), convert::GridShift{}, TRUE, 4);
        std::string out;
        convert::ConvertText(lines, converter, out);
        if (counted) *counted = converter.Counted();
        return out;
    }
};

// A smoothing group closed with no point before it writes the closing
// point itself; an offset of an unknown kind is a plain point; a group
// never closed writes nothing.
TEST_F(RtkLinesTest, LinesNoSurveyShouldHoldAreStillConvertedSensibly) {
    const std::string at = "30.1500000000,117.3000000000,40.000,c,0.000,4,0,0,9,1,08:00:00.00";
    const std::string plain = Converted("A," + at + ",1\r\n");
    ASSERT_EQ(plain.substr(0, 2), "A,");
    const std::string position = plain.substr(1);
    EXPECT_EQ(Converted("B," + at + ",3,1,1\r\n"), "B" + position);
    EXPECT_EQ(Converted("C," + at + ",2,7,10.0,90.0,1.0,0,0\r\n"), "C" + position);
    int counted = -1;
    EXPECT_EQ(Converted("Rem x\r\nD," + at + ",3,3,1\r\nD," + at + ",3,3,2\r\n", &counted), "");
    EXPECT_EQ(counted, 0);
    // Fields that are no numbers read as 0; the copied texts stay.
    EXPECT_EQ(Converted("E,abc,nan,1e999,k,x,s,h,v,n,f\r\n").substr(0, 2), "E,");
    EXPECT_NE(Converted("E,abc,nan,1e999,k,x,s,h,v,n,f\r\n").find(",0.000,k,x,s,h,v,n,f\r\n"),
              std::string::npos);
}

class ConvertKillTest : public quorvel::testing::DeviceRootTest {};

// Whenever a conversion is killed, the target is the previous file or a
// complete new one, never a torn mixture.
TEST_F(ConvertKillTest, AKilledConversionLeavesTheOldTargetOrAWholeNewOne) {
    std::string source;
    for (int i = 0; i < 20000; ++i)
        source += "P" + std::to_string(i) + ",3343474.4067,538130.9197,45.678,DK1+20\r\n";
    WriteHost("Flash Disk/src.dat", source);
    const std::string old = "the previous result\r\n";
    WriteHost("Flash Disk/out.dat", old);
    const std::string results[2] = {Converted(1, source), Converted(7, source)};

    std::mt19937 random(20120605);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                convert::CPointFileConverter converter(i % 2 == 0 ? 1 : 7);
                // Racing the reader, any outcome will do.
                (void)convert::ConvertFile(L"\\Flash Disk\\src.dat", L"\\Flash Disk\\out.dat",
                                           converter, convert::EmptyOutput::kWrite);
            }
        }
        const timespec pause{0, static_cast<long>(random() % 40000000)};
        nanosleep(&pause, nullptr);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string target = ReadHost("Flash Disk/out.dat");
        ASSERT_TRUE(target == old || target == results[0] || target == results[1])
            << "torn after round " << round << ": " << target.size() << " bytes";
        EXPECT_EQ(ReadHost("Flash Disk/src.dat"), source);
    }
}

}  // namespace
}  // namespace converttest
