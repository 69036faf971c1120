// The result conversion (command 32799) in the running program: the mode
// chosen, then the format dialog or the parameter choice and the RTK to
// plane or plane to RTK conversion; and the profile command (32858), which
// only collects three paths.
#include <cmath>

#include "platform/base/TextConv.h"
#include "res/resource.h"
#include "tests/app/convert/PostProcessSupport.h"

namespace converttest {
namespace {

const wchar_t kRtkPath[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK";
const wchar_t kCotPath[] = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";
const wchar_t kResultDone[] = L"处理完毕,成果文件为";
const wchar_t kCorrections[] = L"当前项目中校正参数不为零,确定要使用吗?";

const int kModeButtons[] = {IDC_CONVERT_FORMAT, IDC_CONVERT_RESULT, IDC_CONVERT_RAW};

class ResultCommandsTest : public ConvertTest {
  protected:
    void StartWith(const CoordSysParams& job) {
        m_job = job;
        WriteDevice(kRtkPath, Data("job.RTK"));
        WriteDevice(kCotPath, Data("ctrl.cot"));
        StartJob(job);
    }

    // The mode dialog answered with a mode.
    void ChooseMode(int mode) {
        m_modals->ExpectDialog(IDD_DATA_CONVERT_MODE).Click(kModeButtons[mode]).Click(IDOK);
    }
    // Command 32799 with the mode and the parameter source chosen.
    void ConvertResults(int mode, int source) {
        ChooseMode(mode);
        m_modals->ExpectDialog(IDD_PARAM_SELECT)
            .Click(source == 0 ? IDC_PARAM_FROM_COT : IDC_PARAM_FROM_JOB)
            .Click(IDOK);
    }
    void Run() {
        Command(ID_CONVERT_RESULTS);
        EXPECT_EQ(m_modals->Pending(), 0);
    }

    void ExpectResultFile(const std::string& name, const Expectation& expect) {
        const std::vector<std::vector<std::string>> lines = ResultLines(DataFile(name));
        ASSERT_EQ(lines.size(), 6u) << DataFile(name);
        ExpectLine(lines[0], "P1", expect.Plain("P1", 1.8), "DK1+20,1.800,4,0.012,0.020,12,1.100",
                   3);
        ExpectLine(lines[1], "P2", expect.Offset("P2", 10.0, 90.0, 0.5, 2.0),
                   "OFF0,2.000,4,0.011,0.019,11,1.200", 3);
        ExpectLine(lines[3], "P3", expect.Toward("P3", 15.0, 3335990.0, 492400.0, 30.0, -1.2, 1.5),
                   "OFF1,1.500,5,0.030,0.045,9,1.500", 3);
        ExpectLine(lines[4], "S1", expect.Mean("S1a", "S1b", 1.6), "SM,1.60,4,0.010,0.015,13,0.90",
                   3);
    }

    CoordSysParams m_job;
};

CoordSysParams Corrected(CoordSysParams p, double correction) {
    p.szdCorrectionX = correction;
    p.szdCorrectionY = -correction;
    p.szdCorrectionH = correction;
    return p;
}

TEST_F(ResultCommandsTest, TheFirstModeOpensTheFormatDialogAndCancelEndsIt) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_DATA_CONVERT_MODE)
        .Do([](HWND dialog) {
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_CONVERT_FORMAT), BST_CHECKED);
        })
        .Click(IDC_CONVERT_RAW)
        .Click(IDCANCEL);
    Run();  // nothing more opens
    ChooseMode(0);
    m_modals->ExpectDialog(IDD_FILE_CONVERT)
        .Do([](HWND dialog) {
            EXPECT_EQ(Doc().m_nDlgContext, kContextConvert);
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_FILE_CONVERT_SOURCE_BROWSE)));
        })
        .Click(IDCANCEL);
    Run();
    EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);
    // The parameter choice closed with "退出" runs nothing.
    ChooseMode(1);
    m_modals->ExpectDialog(IDD_PARAM_SELECT).Click(IDCANCEL);
    Run();
    EXPECT_EQ(Transcript(),
              "dialog 15240 \"数据后处理模式\"\n  do\n  click 1142\n  click 2\n  closed\n"
              "dialog 15240 \"数据后处理模式\"\n  click 1140\n  click 1\n  closed\n"
              "dialog 175 \"文件格式转换输出\"\n  do\n  click 2\n  closed\n"
              "dialog 15240 \"数据后处理模式\"\n  click 1141\n  click 1\n  closed\n"
              "dialog 15233 \"参数选择\"\n  click 2\n  closed\n");
}

// The job's own parameters: its corrections are added without a question.
TEST_F(ResultCommandsTest, AResultFileFromTheJobsParameters) {
    StartWith(Corrected(FullJob(), 0.5));
    ConvertResults(1, 1);
    AnswerOpen(*m_modals, kRtkPath);
    AnswerSave(*m_modals, kDataFolder, L"result");
    m_modals->ExpectMessageBox(kResultDone).Answer(IDOK);
    Run();
    ExpectResultFile("result.dat", Expectation(m_job, Shift{}, true));
    EXPECT_EQ(Doc().m_strRtkFile, CString(kRtkPath));
    EXPECT_NE(
        Transcript().find("\"处理完毕,成果文件为\\Flash Disk\\Jobs\\ruvo\\data\\result.dat\""),
        std::string::npos)
        << Transcript();
}

// A control-point file gives its shifts; the job's corrections are asked
// about (here turned off) when one of them is beyond a millimetre.
TEST_F(ResultCommandsTest, AResultFileFromAControlFileAsksAboutTheCorrections) {
    StartWith(Corrected(FullJob(), 0.0015));
    ConvertResults(1, 0);
    AnswerOpen(*m_modals, kCotPath);
    m_modals->ExpectMessageBox(kCorrections).Answer(IDNO);
    AnswerOpen(*m_modals, kRtkPath);
    AnswerSave(*m_modals, kDataFolder, L"nocorr");
    m_modals->ExpectMessageBox(kResultDone).Answer(IDOK);
    Run();
    ExpectResultFile("nocorr.dat", Expectation(m_job, ControlFileShift(), false));
    EXPECT_EQ(Doc().m_strPostFile, CString(kCotPath));
    const std::string boxes = Transcript();
    EXPECT_NE(boxes.find("message box \"特别提示\" \"当前项目中校正参数不为零,确定要使用吗?\\n1."),
              std::string::npos)
        << boxes;

    // Within a millimetre they count as none: no question, and added.
    Doc().m_coordParams = Corrected(FullJob(), 0.001);
    ConvertResults(1, 0);
    AnswerOpen(*m_modals, kCotPath);
    AnswerOpen(*m_modals, kRtkPath);
    AnswerSave(*m_modals, kDataFolder, L"small");
    m_modals->ExpectMessageBox(kResultDone).Answer(IDOK);
    Run();
    ExpectResultFile("small.dat",
                     Expectation(Corrected(FullJob(), 0.001), ControlFileShift(), true));
}

TEST_F(ResultCommandsTest, AControlFileThatCannotBeReadEndsTheCommand) {
    StartWith(PlainJob());
    ConvertResults(1, 0);
    AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\none.cot");
    m_modals->ExpectMessageBox(L"参数文件不存在").Answer(IDOK);
    Run();
    ConvertResults(2, 0);
    AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\none.cot");
    m_modals->ExpectMessageBox(L"参数文件不存在").Answer(IDOK);
    Run();
    EXPECT_EQ(List(kDataFolder), std::vector<std::string>{"ruvo.RTK"});
}

// RTK to plane and back with the job's datum shift, four parameters and
// height fit (no antenna heights, no corrections) returns the positions.
TEST_F(ResultCommandsTest, RtkToPlaneToRtkReturnsThePositions) {
    StartJob(FullJob());
    const std::string source =
        "Rem Version      Ver1.00.050603\r\n"
        "A1,30.1234567890,117.2345678901,45.678,C1,0.000,4,0.012,0.020,12,1.100,08:01:02.250,1\r\n"
        "A2,30.0830150000,116.5512340000,38.125,C2,0.000,4,0.011,0.019,11,1.200,08:02:03.500,1\r\n"
        "A3,30.2000034567,117.1000076543,52.150,C3,0.000,4,0.010,0.015,13,0.900,08:04:07.000,1\r\n";
    WriteDataFile("round.RTK", source);
    ConvertResults(1, 1);
    AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\data\\round.RTK");
    AnswerSave(*m_modals, kDataFolder, L"round");
    m_modals->ExpectMessageBox(kResultDone).Answer(IDOK);
    Run();
    ConvertResults(2, 1);
    AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\data\\round.dat");
    AnswerSave(*m_modals, kDataFolder, L"back");
    m_modals->ExpectMessageBox(kResultDone).Answer(IDOK);
    Run();
    const auto before = ResultLines(source);
    const auto after = ResultLines(DataFile("back.RTK"));
    ASSERT_EQ(after.size(), 4u) << DataFile("back.RTK");
    for (size_t i = 0; i < 3; ++i) {
        const std::vector<std::string>& a = before[i + 1];
        const std::vector<std::string>& b = after[i];
        ASSERT_EQ(b.size(), 5u);
        EXPECT_EQ(b[0], a[0]);
        EXPECT_NEAR(std::stod(b[1]), std::stod(a[1]), 1e-8) << a[0] << " latitude";
        EXPECT_NEAR(std::stod(b[2]), std::stod(a[2]), 1e-8) << a[0] << " longitude";
        EXPECT_NEAR(std::stod(b[3]), std::stod(a[3]), 1e-3) << a[0] << " height";
        EXPECT_EQ(b[4], a[4]);
    }
}

// Plane to RTK with a control-point file takes only its parameter record:
// a fitted height surface changes the heights, while its shifts move
// nothing.
TEST_F(ResultCommandsTest, ARawFileTakesOnlyTheControlFilesRecord) {
    StartJob(PlainJob());
    // One plane row (shifts only) and four height rows (a fitted surface).
    WriteDevice(
        kCotPath,
        "K1,3347936.3000,532083.5500,35.0000,30.1500000000,117.2000000000,36.500,0,0,Y,Y\r\n"
        "K2,3357136.0000,516030.0000,50.3000,30.2000012345,117.1000054321,52.110,0,0,N,Y\r\n"
        "K3,3343474.0000,538130.0000,44.1000,30.1234567890,117.2345678901,45.678,0,0,N,Y\r\n"
        "K4,3335884.0000,492301.0000,36.9000,30.0830150000,116.5512340000,38.125,0,0,N,Y\r\n");
    WriteDataFile("plane.dat",
                  "Q1,3343000.000,537000.000,40.000,C\r\nQ2,3350000.000,520000.000,"
                  "45.500,D,1,2,3,4,5,6,7\r\n");
    for (int source : {1, 0}) {
        ConvertResults(2, source);
        if (source == 0) AnswerOpen(*m_modals, kCotPath);
        AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\data\\plane.dat");
        AnswerSave(*m_modals, kDataFolder, source ? L"job" : L"cot");
        m_modals->ExpectMessageBox(kResultDone).Answer(IDOK);
        Run();
    }
    const auto job = ResultLines(DataFile("job.RTK"));
    const auto cot = ResultLines(DataFile("cot.RTK"));
    ASSERT_EQ(job.size(), 3u);
    ASSERT_EQ(cot.size(), 3u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(cot[i][1], job[i][1]);  // the shifts are not applied
        EXPECT_EQ(cot[i][2], job[i][2]);
        EXPECT_GT(std::fabs(std::stod(cot[i][3]) - std::stod(job[i][3])), 0.01);
    }
    EXPECT_EQ(job[0][3], "40.000");  // without a height fit the height stays
    EXPECT_EQ(job[1][4], "D");
}

TEST_F(ResultCommandsTest, TheProfileCommandAsksForThreeFilesAndWritesNothing) {
    StartJob(PlainJob());
    WriteDataFile("a.dat", "A,1,2,3,c\r\n");
    WriteDataFile("b.dat", "B,1,2,3,c\r\n");
    AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\data\\a.dat");
    AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\data\\b.dat");
    AnswerSave(*m_modals, kDataFolder, L"profile");
    m_modals->ExpectMessageBox(L"纵断面数据生成完毕!").Answer(IDOK);
    Command(ID_PROFILE_DATA);
    EXPECT_EQ(Doc().m_strRtkFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\a.dat"));
    EXPECT_EQ(Doc().m_strPostFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\b.dat"));
    // Cancel anywhere still ends with the same box.
    m_modals->ExpectDialog(IDD_FILE_OPEN).Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"纵断面数据生成完毕!").Answer(IDOK);
    Command(ID_PROFILE_DATA);
    AnswerOpen(*m_modals, L"\\Flash Disk\\Jobs\\ruvo\\data\\a.dat");
    m_modals->ExpectDialog(IDD_FILE_OPEN).Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"纵断面数据生成完毕!").Answer(IDOK);
    Command(ID_PROFILE_DATA);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(List(kDataFolder), (std::vector<std::string>{"a.dat", "b.dat"}));
}

}  // namespace
}  // namespace converttest
