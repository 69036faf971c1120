// The post-processing job on its own, on hand-written raw files in a
// temporary device root: the result files of every format byte for byte,
// the recompute of the raw file against grid values of GeographicLib's
// TransverseMercatorProj, and the failures a surveyor meets (damaged
// lines, an unreadable raw file, a result that cannot be written, a full
// store, the program killed while the raw file is rewritten).
//
// Grid values: TransverseMercatorProj -l 117 -e 6378245 1/298.3 -k 1 -p 6
// (false easting 500000 added), input in degrees, minutes and seconds:
//   30d12'34.56789" 117d23'45.678901"  ->  38130.919650 3343474.406652
//   30d15' 117d30'                     ->  48122.872043 3347992.312811
//   30d08'30.15" 116d55'12.34"         ->  -7698.943130 3335884.262202
//   30d20'0.012345" 117d10'0.054321"   ->  16028.763138 3357136.962152
//   30d15' 117d20'                     ->  32081.802452 3347933.544476
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <random>

#include "app/postproc/PostProcJob.h"
#include "app/postproc/PostProcText.h"
#include "app/settings/DefaultRecords.h"
#include "platform/base/TextConv.h"
#include "platform/testing/TempDeviceRoot.h"
#include "tests/app/postproc/PostProcTestSupport.h"

namespace postproctest {
namespace {

const wchar_t kRaw[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";
const wchar_t kCot[] = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";
const char kRawHost[] = "Flash Disk/Jobs/ruvo/data/LN0.org";
const char kDataHost[] = "Flash Disk/Jobs/ruvo/data/";

RawEpoch P1() {
    RawEpoch e;
    e.name = "P1";
    e.x = "3343474.407";
    e.y = "538130.920";
    e.gridHeight = "43.878";
    e.depth = "3.25";
    e.stored = true;
    return e;
}

RawEpoch P2() {
    RawEpoch e;
    e.name = Gbk("点2");
    e.time = "10:00:10.00";
    e.lat = "30.1500000000";
    e.lon = "117.3000000000";
    e.height = "40.000";
    e.x = "3347992.313";
    e.y = "548122.872";
    e.gridHeight = "38.000";
    e.depth = "1.50";
    e.stored = true;
    return e;
}

RawEpoch Moving(const char* time) {
    RawEpoch e = P1();
    e.stored = false;
    e.time = time;
    return e;
}

RawEpoch At(const char* name, const char* lat, const char* lon, const char* height) {
    RawEpoch e;
    e.name = name;
    e.lat = lat;
    e.lon = lon;
    e.height = height;
    return e;
}

CoordSysParams Job() {
    CoordSysParams p;
    FillDefaultParRecord(p);
    p.szdCenter = 117.0;
    return p;
}

class PostProcJobTest : public quorvel::testing::DeviceRootTest {
  protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        m_job = Job();
        FillDefaultIniRecord(m_settings);
        m_run.Attach(m_job, m_settings, m_formats, m_messages);
        WriteHost(kRawHost, RawLine(P1()) + RawLine(Moving("10:00:06.00")) + RawLine(P2()) +
                                RawLine(Moving("10:00:11.00")));
    }

    // LoadRawFile, SetOutputParams and Run, as the start button runs them.
    BOOL RunFormat(int index, double datum) {
        if (!m_run.LoadRawFile(kRaw)) return FALSE;
        m_run.SetOutputParams(datum, index);
        return m_run.Run();
    }

    std::string Data(const std::string& name) const { return ReadHost(kDataHost + name); }
    std::vector<std::string> Listed() const {
        std::vector<std::string> names;
        for (int i = 0; i < m_run.m_resultFiles.GetSize(); ++i)
            names.push_back(quorvel::ToUtf8(m_run.m_resultFiles[i]));
        return names;
    }

    CoordSysParams m_job;
    SystemParams m_settings;
    CArray<ResultFormatRecord> m_formats;
    NotedMessages m_messages;
    CPostProcJob m_run;
};

const char kTrack[] =
    "TRACK\r\n"
    "2026-12-07,10:00:05.00,\r\n"
    "P1,10:00:05.00,3343474.407,538130.920,1.100,12,,,43.878\r\n"
    "\xB5\xE3"
    "2,10:00:10.00,3347992.313,548122.872,1.100,12,,,38.000\r\n";

TEST_F(PostProcJobTest, TheFixedFormatsWriteTheStoredEpochsByteForByte) {
    ASSERT_TRUE(RunFormat(0, 0.0));
    EXPECT_EQ(Data("LN0.ssd"),
              std::string("P1,    ,     538130.920,    3343474.407,   -40.628,    40.628,     "
                          "3.250,    -3.250\r\n"
                          "\xB5\xE3"
                          "2,    ,     548122.872,    3347992.313,   -36.500,    36.500,     "
                          "1.500,    -1.500\r\n") +
                  kTrack);
    EXPECT_EQ(Listed(), std::vector<std::string>{"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.ssd"});

    // The second format on a datum of 5 m: the .ssd without the depth
    // columns, then the bottom elevations and the depths below the datum.
    WriteHost(std::string(kDataHost) + "LN0_h.dat", std::string(5000, 'x'));  // an old, longer file
    ASSERT_TRUE(RunFormat(1, 5.0));
    EXPECT_EQ(Data("LN0.ssd"), std::string("P1,    ,     538130.920,    3343474.407,   -35.628,    "
                                           "40.628\r\n"
                                           "\xB5\xE3"
                                           "2,    ,     548122.872,    3347992.313,   -31.500,    "
                                           "36.500\r\n") +
                                   kTrack);
    EXPECT_EQ(Data("LN0_h.dat"),
              "P1,538130.920,3343474.407,40.628,00000000\r\n"
              "\xB5\xE3"
              "2,548122.872,3347992.313,36.500,00000000\r\n");
    EXPECT_EQ(Data("LN0_d.dat"),
              "P1,538130.920,3343474.407,-35.628,00000000\r\n"
              "\xB5\xE3"
              "2,548122.872,3347992.313,-31.500,00000000\r\n");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"\\Flash Disk\\Jobs\\ruvo\\data\\LN0_h.dat",
                                                  "\\Flash Disk\\Jobs\\ruvo\\data\\LN0_d.dat"}));
    EXPECT_TRUE(m_messages.m_noted.empty());
}

TEST_F(PostProcJobTest, ARawFileWithoutStoredPointsGivesTheTrackHeaderOnly) {
    WriteHost(kRawHost, RawLine(Moving("10:00:06.00")));
    ASSERT_TRUE(RunFormat(1, 0.0));
    EXPECT_EQ(Data("LN0.ssd"), "TRACK\r\n,,\r\n");
    EXPECT_EQ(Data("LN0_h.dat"), "");
    EXPECT_EQ(Data("LN0_d.dat"), "");
}

TEST_F(PostProcJobTest, AUserFormatWritesTheListedFieldsWithItsSeparator) {
    ResultFormatRecord f;
    f.m_strName = L"Coords";
    f.m_strSeparator = L",";
    f.m_strCoordExt = L"txt";
    f.m_strCoordFields = L"0:9:";
    f.m_bDepthFile = 1;
    f.m_strDepthExt = L"dep";
    f.m_strDepthFields = L"0:20:9:21:-1:";  // 21 and -1 from a hand-edited file: skipped
    m_formats.Add(f);
    ResultFormatRecord dotted = f;
    dotted.m_strCoordExt = L".txt";
    dotted.m_strSeparator = L"";
    dotted.m_strCoordFields = L"10:11:19:13:";
    dotted.m_bDepthFile = 0;
    m_formats.Add(dotted);

    ASSERT_TRUE(RunFormat(2, 0.0));
    EXPECT_EQ(Data("LN0.txt"),
              "P1,43.878\r\n\xB5\xE3"
              "2,38.000\r\n");
    EXPECT_EQ(Data("LN0.dep"),
              "P1,\r\n,43.878\r\n\xB5\xE3"
              "2,\r\n,38.000\r\n");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.txt",
                                                  "\\Flash Disk\\Jobs\\ruvo\\data\\LN0.dep"}));
    ASSERT_TRUE(RunFormat(3, 0.0));
    EXPECT_EQ(Data("LN0..txt"), "40.628-40.6283.2512\r\n36.500-36.5001.5012\r\n");

    // A format whose result would be the raw file, or whose two results are
    // one file, writes nothing.
    m_formats[0].m_strCoordExt = L"ORG";
    m_formats[1].m_strCoordExt = L"dep";
    m_formats[1].m_bDepthFile = 1;
    const std::string raw = ReadHost(kRawHost);
    EXPECT_FALSE(RunFormat(2, 0.0));
    EXPECT_FALSE(RunFormat(3, 0.0));
    EXPECT_TRUE(m_run.m_resultFiles.IsEmpty());
    EXPECT_EQ(ReadHost(kRawHost), raw);
    EXPECT_EQ(m_messages.m_noted, (std::vector<std::string>{"inform 源文件和目标文件不能相同!",
                                                            "inform 源文件和目标文件不能相同!"}));
    // An index that names no format writes nothing either.
    EXPECT_FALSE(RunFormat(4, 0.0));
    EXPECT_FALSE(RunFormat(-1, 0.0));
}

// Numbers that overflow never print as "nan" or "inf": the processed
// record leaves such a value empty, and the result reads it as 0.
TEST_F(PostProcJobTest, AValueBeyondDoubleLeavesItsFieldEmpty) {
    RawEpoch e = P1();
    e.gridHeight = "-1e308";
    e.depth = "1e308";
    WriteHost(kRawHost, RawLine(e));
    ASSERT_TRUE(RunFormat(1, 0.0));
    EXPECT_EQ(Data("LN0_h.dat"), "P1,538130.920,3343474.407,,00000000\r\n");
    EXPECT_EQ(Data("LN0.ssd").substr(0, 63),
              "P1,    ,     538130.920,    3343474.407,     0.000,     0.000\r\n");
}

TEST_F(PostProcJobTest, AnUnreadableRawFileStopsTheRunAndLeavesTheResults) {
    WriteHost(std::string(kDataHost) + "LN0.ssd", "old result\r\n");
    WriteHost(std::string(kDataHost) + "GONE.org", "");
    ASSERT_EQ(unlink(Host(std::string(kDataHost) + "GONE.org").c_str()), 0);
    EXPECT_FALSE(m_run.LoadRawFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\GONE.org"));
    EXPECT_FALSE(m_run.LoadRawFile(L"\\Flash Disk\\Jobs\\ruvo\\data"));  // a folder
    EXPECT_EQ(Data("LN0.ssd"), "old result\r\n");
    EXPECT_FALSE(HostExists(std::string(kDataHost) + "GONE.ssd"));
    EXPECT_EQ(m_messages.m_noted, (std::vector<std::string>{"inform 打开文件错误,请检查",
                                                            "inform 打开文件错误,请检查"}));
}

// A result that cannot be replaced (a folder holds its name) is reported
// and not listed; its sibling of the same run that was written is.
TEST_F(PostProcJobTest, AResultThatCannotBeWrittenIsReportedAndNotListed) {
    ASSERT_EQ(mkdir(Host(std::string(kDataHost) + "LN0_d.dat").c_str(), 0755), 0);
    EXPECT_FALSE(RunFormat(1, 0.0));
    EXPECT_EQ(Listed(), std::vector<std::string>{"\\Flash Disk\\Jobs\\ruvo\\data\\LN0_h.dat"});
    EXPECT_EQ(m_messages.m_noted, std::vector<std::string>{"inform 创建ssd文件(水深)错误,请检查"});
    ASSERT_EQ(unlink(Host(std::string(kDataHost) + "LN0.ssd").c_str()), 0);
    ASSERT_EQ(mkdir(Host(std::string(kDataHost) + "LN0.ssd").c_str(), 0755), 0);
    EXPECT_FALSE(RunFormat(0, 0.0));
    EXPECT_TRUE(m_run.m_resultFiles.IsEmpty());
}

// A store that fills up while the results are written: every write the job
// reports as done is complete on disk, and nothing else is listed.
TEST_F(PostProcJobTest, AFullStoreFailsTheWritesWithoutTearingAFile) {
    std::string raw;
    for (int i = 0; i < 200; ++i) {
        RawEpoch e = P1();
        e.name = "P" + std::to_string(i);
        raw += RawLine(e);
    }
    WriteHost(kRawHost, raw);
    WriteHost(std::string(kDataHost) + "LN0.ssd", "old\r\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{20000, 20000};  // the raw file fits, the results do not
        setrlimit(RLIMIT_FSIZE, &limit);
        const BOOL written = RunFormat(0, 0.0);
        const BOOL rewritten = m_run.CorrectCoordinates(1, L"", kRaw);
        _exit(!written && !rewritten && m_run.m_resultFiles.IsEmpty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a write reported success";
    EXPECT_EQ(Data("LN0.ssd"), "old\r\n");
    EXPECT_EQ(ReadHost(kRawHost), raw);
}

class RecomputeTest : public PostProcJobTest {
  protected:
    void WriteControlFile(int heightPoints) {
        std::string cot =
            "K1,3347936.3000,532083.5500,35.0000,30.1500000000,117.2000000000,"
            "36.500,0,0,Y,Y\r\n";
        if (heightPoints == 3)
            cot +=
                "K2,3340000.0,530000.0,40.0000,30.1000000000,117.1000000000,41.200,0,0,N,Y\r\n"
                "K3,3341000.0,531000.0,38.0000,30.1100000000,117.1100000000,39.900,0,0,N,Y\r\n";
        WriteHost("Flash Disk/Jobs/ruvo/ctrl.cot", cot);
    }

    std::string Raw() const {
        return RawLine(At("P1", "30.1234567890", "117.2345678901", "45.678")) +
               RawLine(At("P2", "30.1500000000", "117.3000000000", "40.000"));
    }
};

TEST_F(RecomputeTest, TheJobsParametersRewriteEveryLineAndKeepWhatTheReaderDidNotReach) {
    RawEpoch empty = At("E", "", "117.1", "1.0");
    RawEpoch text = At("T", "abc", "117.1", "1.0");
    const std::string tail = RawLine(At("P1", "30.1234567890", "117.2345678901", "45.678")) +
                             Gbk("末行无换行") + ",30.1,";
    WriteHost(kRawHost, Raw() + RawLine(At("P3", "30.0830150000", "116.5512340000", "38.125")) +
                            RawLine(empty) + RawLine(text) +
                            RawLine(At("S1", "30.2000012345", "117.1000054321", "52.110")) +
                            "\r\n" + tail);
    m_job.szdCorrectionX = 0.5;  // never added with the job's own parameters
    ASSERT_EQ(m_run.CorrectCoordinates(1, L"", kRaw), 1);
    EXPECT_EQ(ReadHost(kRawHost),
              WithGrid(At("P1", "30.1234567890", "117.2345678901", "45.678"), "3343474.407",
                       "538130.920", "43.878") +
                  WithGrid(At("P2", "30.1500000000", "117.3000000000", "40.000"), "3347992.313",
                           "548122.872", "38.200") +
                  WithGrid(At("P3", "30.0830150000", "116.5512340000", "38.125"), "3335884.262",
                           "492301.057", "36.325") +
                  RawLine(empty) + RawLine(text) +
                  WithGrid(At("S1", "30.2000012345", "117.1000054321", "52.110"), "3357136.962",
                           "516028.763", "50.310") +
                  "\r\n" + tail);
    EXPECT_TRUE(m_messages.m_noted.empty());
}

TEST_F(RecomputeTest, AControlFileShiftsEveryPointAndTheJobsCorrectionsComeOnlyWithYes) {
    WriteHost(kRawHost, Raw());
    WriteControlFile(1);
    // One plane and one height point: dN 2.7555, dE 1.7475, dH -1.5.
    ASSERT_EQ(m_run.CorrectCoordinates(0, kCot, kRaw), 1);
    EXPECT_EQ(ReadHost(kRawHost),
              WithGrid(At("P1", "30.1234567890", "117.2345678901", "45.678"), "3343477.162",
                       "538132.667", "42.378") +
                  WithGrid(At("P2", "30.1500000000", "117.3000000000", "40.000"), "3347995.068",
                           "548124.620", "36.700"));
    EXPECT_EQ(m_run.m_ctrlPoints.GetSize(), 1);

    m_job.szdCorrectionX = 0.5;
    m_job.szdCorrectionY = -0.25;
    m_job.szdCorrectionH = 0.125;
    m_messages.m_answers = {TRUE, FALSE};
    ASSERT_EQ(m_run.CorrectCoordinates(0, kCot, kRaw), 1);
    EXPECT_EQ(ReadHost(kRawHost),
              WithGrid(At("P1", "30.1234567890", "117.2345678901", "45.678"), "3343477.662",
                       "538132.417", "42.503") +
                  WithGrid(At("P2", "30.1500000000", "117.3000000000", "40.000"), "3347995.568",
                           "548124.370", "36.825"));
    ASSERT_EQ(m_run.CorrectCoordinates(0, kCot, kRaw), 1);
    EXPECT_EQ(ReadHost(kRawHost),
              WithGrid(At("P1", "30.1234567890", "117.2345678901", "45.678"), "3343477.162",
                       "538132.667", "42.378") +
                  WithGrid(At("P2", "30.1500000000", "117.3000000000", "40.000"), "3347995.068",
                           "548124.620", "36.700"));
    EXPECT_EQ(m_messages.m_noted,
              (std::vector<std::string>{"ask 当前工程下的校正参数不为零,使用吗?",
                                        "ask 当前工程下的校正参数不为零,使用吗?"}));

    // Three height points: the mean of -1.5, -1.2 and -1.9.
    m_job.szdCorrectionX = m_job.szdCorrectionY = m_job.szdCorrectionH = 0.0;
    WriteControlFile(3);
    ASSERT_EQ(m_run.CorrectCoordinates(0, kCot, kRaw), 1);
    EXPECT_EQ(ReadHost(kRawHost),
              WithGrid(At("P1", "30.1234567890", "117.2345678901", "45.678"), "3343477.162",
                       "538132.667", "42.345") +
                  WithGrid(At("P2", "30.1500000000", "117.3000000000", "40.000"), "3347995.068",
                           "548124.620", "36.667"));
    // A control-point file that cannot be read contributes nothing.
    ASSERT_EQ(m_run.CorrectCoordinates(0, L"\\Flash Disk\\none.cot", kRaw), 1);
    EXPECT_EQ(ReadHost(kRawHost),
              WithGrid(At("P1", "30.1234567890", "117.2345678901", "45.678"), "3343474.407",
                       "538130.920", "43.878") +
                  WithGrid(At("P2", "30.1500000000", "117.3000000000", "40.000"), "3347992.313",
                           "548122.872", "38.200"));
}

TEST_F(RecomputeTest, ARawFileThatCannotBeReadOrReplacedStaysAsItWas) {
    EXPECT_EQ(m_run.CorrectCoordinates(1, L"", L"\\Flash Disk\\Jobs\\ruvo\\data\\none.org"), 0);
    const std::string raw = ReadHost(kRawHost);
    ASSERT_EQ(mkdir(Host("Flash Disk/Jobs/ruvo/data/DIR.org").c_str(), 0755), 0);
    EXPECT_EQ(m_run.CorrectCoordinates(1, L"", L"\\Flash Disk\\Jobs\\ruvo\\data\\DIR.org"), 0);
    EXPECT_EQ(m_messages.m_noted, (std::vector<std::string>{"inform 打开原始测量文件出错",
                                                            "inform 打开原始测量文件出错"}));
    EXPECT_EQ(ReadHost(kRawHost), raw);
}

// A large raw file is recomputed in parts side by side: the result is the
// bytes that each line gives on its own, in file order.
TEST(RewriteTest, ALargeFileInPartsGivesTheBytesOfOneLineAtATime) {
    convert::CGridChain chain(Job(), convert::GridShift{1.0, -2.0, 0.5}, FALSE);
    const std::string lines[] = {
        RawLine(At("P1", "30.1234567890", "117.2345678901", "45.678")),
        RawLine(At(Gbk("点2").c_str(), "30.1500000000", "117.3000000000", "40.000")),
        RawLine(At("E", "", "117.1", "1.0")), "short,line\n",
        RawLine(At("S1", "30.2000012345", "117.1000054321", "52.110"))};
    std::string one[5];
    for (int i = 0; i < 5; ++i) postproc::RewriteRawText(lines[i], chain, one[i]);
    EXPECT_EQ(one[3], "short,line\n");  // no latitude: kept as it was
    std::string big;
    std::string expected;
    for (int i = 0; big.size() < (26u << 20); ++i) {
        big += lines[i % 5];
        expected += one[i % 5];
    }
    big += "\r\nthe rest";
    expected += "\r\nthe rest";
    std::string out;
    postproc::RewriteRawText(big, chain, out);
    EXPECT_TRUE(out == expected) << out.size() << " bytes against " << expected.size();
}

// Killed at any moment of a rewrite, the raw file is the old one or a
// complete new one.
TEST_F(RecomputeTest, AKilledRewriteLeavesTheOldFileOrTheWholeNewOne) {
    std::string raw;
    for (int i = 0; i < 3000; ++i)
        raw += RawLine(
            At(("P" + std::to_string(i)).c_str(), "30.1234567890", "117.2345678901", "45.678"));
    WriteHost(kRawHost, raw);
    WriteControlFile(1);
    std::string results[2];
    for (int source = 0; source < 2; ++source) {
        ASSERT_EQ(m_run.CorrectCoordinates(source, kCot, kRaw), 1);
        results[source] = ReadHost(kRawHost);
    }
    ASSERT_NE(results[0], results[1]);
    WriteHost(kRawHost, raw);
    std::mt19937 random(20120605);
    for (int round = 0; round < 100; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Killed at any point: only what the file holds afterwards counts.
            for (int i = 0;; ++i) (void)m_run.CorrectCoordinates(i % 2, kCot, kRaw);
        }
        const timespec pause{0, static_cast<long>(random() % 30000000)};
        nanosleep(&pause, nullptr);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string now = ReadHost(kRawHost);
        ASSERT_TRUE(now == raw || now == results[0] || now == results[1])
            << "torn after round " << round << ": " << now.size() << " bytes";
    }
}

}  // namespace
}  // namespace postproctest
