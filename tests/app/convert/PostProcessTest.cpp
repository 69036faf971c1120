// Post-processing and the result conversions in the running program, on a
// hand-written raw RTK file (data/job.RTK: the point writer's eight header
// lines, plain points, an offset point of each kind, a smoothing group of
// three with a base line inside) and a control-point file of one row
// (data/ctrl.cot). Positions are checked against PROJ's numbers
// (data/reference.gie) carried through the four-parameter and height-fit
// formulas written out here; every copied field byte for byte.
#include <cmath>
#include <sstream>

#include "platform/base/TextConv.h"
#include "platform/files/FileApi.h"
#include "res/resource.h"
#include "tests/app/convert/PostProcessSupport.h"

namespace converttest {
namespace {

const wchar_t kRtkPath[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK";
const wchar_t kCotPath[] = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";

// The job's corrections, added by post-processing.
void WithCorrections(CoordSysParams& p) {
    p.szdCorrectionX = 0.5;
    p.szdCorrectionY = -0.25;
    p.szdCorrectionH = 0.125;
    p.szConF = kCotPath;
}

class PostProcessTest : public ConvertTest {
  protected:
    void StartWith(CoordSysParams job) {
        WithCorrections(job);
        m_job = job;
        WriteDevice(kRtkPath, Data("job.RTK"));
        WriteDevice(kCotPath, Data("ctrl.cot"));
        StartJob(job);
    }

    // The data file rebuilt from the RTK file, with every box answered.
    void PostProcess(const char* done = "处理完毕") {
        m_modals->ExpectMessageBox(L"确实要处理当前数据文件ruvo.dat?").Answer(IDYES);
        m_modals->ExpectMessageBox(quorvel::FromUtf8(done)).Answer(IDOK);
        Command(ID_POST_PROCESS);
        EXPECT_EQ(m_modals->Pending(), 0);
    }

    void ExpectRebuiltDataFile() {
        const Expectation expect(m_job, ControlFileShift(), true);
        const std::vector<std::vector<std::string>> lines = ResultLines(DataFile("ruvo.dat"));
        ASSERT_EQ(lines.size(), 6u) << DataFile("ruvo.dat");
        ExpectLine(lines[0], "P1", expect.Plain("P1", 1.8), "DK1+20,1.800,4,0.012,0.020,12,1.100",
                   4);
        ExpectLine(lines[1], "P2", expect.Offset("P2", 10.0, 90.0, 0.5, 2.0),
                   "OFF0,2.000,4,0.011,0.019,11,1.200", 4);
        ExpectLine(lines[2], "P2b", expect.Plain("P2", 2.0), "PLAIN,2.000,4,0.011,0.019,11,1.200",
                   4);
        ExpectLine(lines[3], "P3", expect.Toward("P3", 15.0, 3335990.0, 492400.0, 30.0, -1.2, 1.5),
                   "OFF1,1.500,5,0.030,0.045,9,1.500", 4);
        ExpectLine(lines[4], "S1", expect.Mean("S1a", "S1b", 1.6), "SM,1.60,4,0.010,0.015,13,0.90",
                   4);
        // 10 m at 90.0000 from the same position: 10 m east, nothing north.
        EXPECT_EQ(lines[1][1], lines[2][1]);
        EXPECT_NEAR(std::stod(lines[1][2]) - std::stod(lines[2][2]), 10.0, 1e-4);
        EXPECT_EQ(lines[5], std::vector<std::string>{""});  // the file ends with CR LF
    }

    CoordSysParams m_job;
};

TEST_F(PostProcessTest, TheDataFileIsRebuiltOnAPlainGaussKruegerJob) {
    StartWith(PlainJob());
    WriteDataFile("ruvo.dat", std::string(4000, 'x') + "\r\n");  // a longer old file
    PostProcess();
    ExpectRebuiltDataFile();
    EXPECT_EQ(Doc().m_strRtkFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.rtk"));
    EXPECT_EQ(Doc().m_strPostFile, CString(kCotPath));
    EXPECT_EQ(Transcript(),
              "message box \"Quorvel\" \"确实要处理当前数据文件ruvo.dat?\"\n"
              "  answer 6\n"
              "  closed\n"
              "message box \"Quorvel\" \"处理完毕\"\n"
              "  answer 1\n"
              "  closed\n");
}

TEST_F(PostProcessTest, TheDataFileIsRebuiltThroughDatumShiftFourParametersAndHeightFit) {
    StartWith(FullJob());
    PostProcess();
    ExpectRebuiltDataFile();
    // The RTK file and the control-point file are only read.
    EXPECT_EQ(ReadDevice(kRtkPath), Data("job.RTK"));
    EXPECT_EQ(ReadDevice(kCotPath), Data("ctrl.cot"));
}

// Each refusal ends the command with its box and leaves the data file.
TEST_F(PostProcessTest, RefusalsComeInOrderAndLeaveTheDataFile) {
    CoordSysParams job = PlainJob();
    job.szConF.Empty();
    m_job = job;
    StartJob(job);
    const std::string before = "P0,1.0000,2.0000,3.000,c,0,0,0,0,0,0\r\n";
    WriteDataFile("ruvo.dat", before);

    m_modals->ExpectMessageBox(L"参数文件为空").Answer(IDOK);
    Command(ID_POST_PROCESS);
    Doc().m_coordParams.szConF = kCotPath;
    m_modals->ExpectMessageBox(L"确实要处理当前数据文件ruvo.dat?").Answer(IDNO);
    Command(ID_POST_PROCESS);
    m_modals->ExpectMessageBox(L"确实要处理").Answer(IDYES);
    m_modals->ExpectMessageBox(L"原始RTK文件不存在").Answer(IDOK);
    Command(ID_POST_PROCESS);
    WriteDevice(kRtkPath, Data("job.RTK"));
    m_modals->ExpectMessageBox(L"确实要处理").Answer(IDYES);
    m_modals->ExpectMessageBox(L"参数文件不存在").Answer(IDOK);
    Command(ID_POST_PROCESS);
    // Header lines only: nothing to write, and the data file stays.
    WriteDevice(kCotPath, Data("ctrl.cot"));
    std::string header;
    std::istringstream rtk(Data("job.RTK"));
    for (std::string line; std::getline(rtk, line) && line.rfind("Rem ", 0) == 0;)
        header += line + "\n";
    WriteDevice(kRtkPath, header);
    m_modals->ExpectMessageBox(L"确实要处理").Answer(IDYES);
    m_modals->ExpectMessageBox(L"原始数据文件中无数据,请检查!").Answer(IDOK);
    Command(ID_POST_PROCESS);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(DataFile("ruvo.dat"), before);
    EXPECT_EQ(Transcript(),
              "message box \"Quorvel\" \"参数文件为空\"\n  answer 1\n  closed\n"
              "message box \"Quorvel\" \"确实要处理当前数据文件ruvo.dat?\"\n  answer 7\n  closed\n"
              "message box \"Quorvel\" \"确实要处理当前数据文件ruvo.dat?\"\n  answer 6\n  closed\n"
              "message box \"Quorvel\" \"原始RTK文件不存在\"\n  answer 1\n  closed\n"
              "message box \"Quorvel\" \"确实要处理当前数据文件ruvo.dat?\"\n  answer 6\n  closed\n"
              "message box \"Quorvel\" \"参数文件不存在\"\n  answer 1\n  closed\n"
              "message box \"Quorvel\" \"确实要处理当前数据文件ruvo.dat?\"\n  answer 6\n  closed\n"
              "message box \"Quorvel\" \"原始数据文件中无数据,请检查!\"\n  answer 1\n  closed\n");
    // Without a data file, the header-only RTK file leaves an empty one.
    ASSERT_TRUE(DeleteFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat"));
    m_modals->ExpectMessageBox(L"确实要处理").Answer(IDYES);
    m_modals->ExpectMessageBox(L"原始数据文件中无数据,请检查!").Answer(IDOK);
    Command(ID_POST_PROCESS);
    EXPECT_TRUE(IsFile(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat"));
    EXPECT_EQ(DataFile("ruvo.dat"), "");
}

}  // namespace
}  // namespace converttest
