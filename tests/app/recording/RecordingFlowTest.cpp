// Survey recording in the running program: the measurement commands and
// their enabling through a run's states, the raw files' numbering, the
// epoch lines written byte for byte, the point-storing rule, the point
// names with their counter file, and a data folder that is not there.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/FrameMessages.h"
#include "app/shell/ProgramControl.h"
#include "platform/base/TextConv.h"
#include "platform/files/StoreSpace.h"
#include "tests/app/recording/RecordingTest.h"

namespace shelltest {
namespace {

constexpr LPCTSTR kData = L"\\Flash Disk\\Jobs\\ruvo\\data\\";
constexpr LPCTSTR kLn0 = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";
constexpr LPCTSTR kCounter = L"\\Flash Disk\\Jobs\\ruvo\\GPSPtNum";

void NoSounder(SystemParams& p) {
    p.SoundUse = 0;
}

struct CommandStates {
    bool start, stop, connect, pause, quick;
    bool operator==(const CommandStates&) const = default;
};

std::ostream& operator<<(std::ostream& os, const CommandStates& s) {
    return os << "start " << s.start << " stop " << s.stop << " connect " << s.connect << " pause "
              << s.pause << " quick " << s.quick;
}

class RecordingFlowTest : public RecordingTest {
  protected:
    CommandStates States() const {
        return {CommandEnabled(ID_MEASURE_START), CommandEnabled(ID_MEASURE_STOP),
                CommandEnabled(ID_CONNECT_SOUNDER), CommandEnabled(ID_MEASURE_PAUSE),
                CommandEnabled(ID_MEASURE_QUICK_LINE)};
    }
    // Start with receiver data and no sounder: the GPS-only question, Yes.
    void StartGpsRun() {
        Doc().m_bGpsData = 1;
        m_modals->ExpectMessageBox(L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?")
            .Answer(IDYES);
        Key('C');
    }
    std::string Field(int index) const { return quorvel::ToUtf8(Doc().m_lastRecord[index]); }
};

TEST_F(RecordingFlowTest, TheCommandsLeadThroughTheStatesAndAreOfferedAsTheTableSays) {
    StartWith(NoSounder);
    const CommandStates stopped{true, false, true, false, false};
    const CommandStates measuring{false, true, false, true, true};
    const CommandStates pausedRun{true, true, false, false, false};
    EXPECT_EQ(States(), stopped);

    StartGpsRun();
    EXPECT_TRUE(Doc().m_bMeasuring);
    EXPECT_EQ(States(), measuring);
    Key('G');
    EXPECT_EQ(States(), pausedRun);
    Frame()->SendMessage(WM_COMMAND, ID_MEASURE_START);  // resumes, no question
    EXPECT_EQ(States(), measuring);
    Frame()->SendMessage(WM_COMMAND, ID_MEASURE_PAUSE);
    EXPECT_TRUE(Doc().m_bPaused && Doc().m_bMeasuring);
    Key('D');
    EXPECT_EQ(States(), stopped);
    EXPECT_FALSE(Doc().m_bMeasuring || Doc().m_bPaused || Doc().m_bDepthOnly);

    // Without receiver data: No to the depth-only question changes nothing.
    Doc().m_bGpsData = 0;
    m_modals->ExpectMessageBox(L"未收到GPS定位数据,确定只采集水深数据吗?").Answer(IDNO);
    Key('C');
    EXPECT_EQ(States(), stopped);
    // Yes without the sounder in use: the hint, and depth-only stays set,
    // with start greyed, stop offered and the close refused.
    m_modals->ExpectMessageBox(L"未收到GPS定位数据,确定只采集水深数据吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"请首先在测深仪设置中选中使用测深设备").Answer(IDOK);
    Key('C');
    EXPECT_TRUE(Doc().m_bDepthOnly);
    EXPECT_EQ(States(), (CommandStates{false, true, false, true, false}));
    m_modals->ExpectMessageBox(L"请首先停止测量").Answer(IDOK);
    Frame()->SendMessage(WM_CLOSE);
    // With receiver data again the flag still refuses the start: the
    // greyed command and its key do nothing.
    Doc().m_bGpsData = 1;
    Frame()->SendMessage(WM_COMMAND, ID_MEASURE_START);
    Key('C');
    EXPECT_FALSE(Doc().m_bMeasuring);
    Key('D');
    EXPECT_EQ(States(), stopped);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_TRUE(::IsWindow(Frame()->m_hWnd));
}

// Each measurement key from each run state: a key whose command the menu
// greys does nothing at all; an offered one does what the command does.
TEST_F(RecordingFlowTest, TheMeasurementKeysActOnlyWhereTheMenuOffersTheirCommands) {
    StartWith(NoSounder);
    Doc().m_bGpsData = 1;
    struct Run {
        bool measuring, paused, depthOnly, manual;
        CString rawFile;
        int counter, fileNumber;
        bool operator==(const Run&) const = default;
    };
    auto now = [&] {
        return Run{Doc().m_bMeasuring != 0,       Doc().m_bPaused != 0, Doc().m_bDepthOnly != 0,
                   Frame()->m_bManualRecord != 0, Doc().m_strRawFile,   Doc().m_nPointCounter,
                   Doc().m_sysParams.nSFStartID};
    };
    auto print = [](const Run& r) {
        return "measuring " + std::to_string(r.measuring) + " paused " + std::to_string(r.paused) +
               " depth " + std::to_string(r.depthOnly) + " manual " + std::to_string(r.manual) +
               " file " + quorvel::ToUtf8(r.rawFile) + " counter " + std::to_string(r.counter) +
               " number " + std::to_string(r.fileNumber);
    };
    enum State { kStopped, kMeasuring, kPaused, kDepthOnly };
    const char* stateNames[] = {"stopped", "measuring", "paused", "depth only"};
    const UINT keys[] = {'C', 'D', 'E', 'F', 'G'};
    const UINT commands[] = {ID_MEASURE_START, ID_MEASURE_STOP, ID_MEASURE_QUICK_LINE,
                             ID_MEASURE_QUICK_LINE, ID_MEASURE_PAUSE};
    // Whether each key acts, by state (c d e f g).
    const bool acts[4][5] = {
        {true, false, false, false, false},  // stopped
        {false, true, true, true, true},     // measuring
        {true, true, false, false, false},   // paused
        {false, true, false, false, true},   // depth only
    };
    const CString ln0 = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";
    const CString ln1 = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN1.org";
    for (int state = kStopped; state <= kDepthOnly; ++state) {
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(std::string(stateNames[state]) + " key " + static_cast<char>(keys[k]));
            // The run as it stands: file LN0 (number 0), 7 epochs in.
            Doc().m_nPointCounter = 7;
            Doc().m_strRawFile = ln0;
            Doc().m_sysParams.nSFStartID = 0;
            Doc().m_bMeasuring = state == kMeasuring || state == kPaused;
            Doc().m_bPaused = state == kPaused;
            Doc().m_bDepthOnly = state == kDepthOnly;
            Frame()->m_bManualRecord = 0;
            const Run before = now();
            EXPECT_EQ(CommandEnabled(commands[k]), acts[state][k]);
            Run expected = before;
            if (acts[state][k]) {
                switch (keys[k]) {
                    case 'C':
                        if (state == kPaused) {
                            expected.paused = false;
                        } else {
                            m_modals
                                ->ExpectMessageBox(
                                    L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?")
                                .Answer(IDYES);
                            expected.measuring = true;
                            expected.counter = 0;
                        }
                        break;
                    case 'D':
                        expected.measuring = expected.paused = expected.depthOnly = false;
                        break;
                    case 'E':
                        expected.manual = true;
                        break;
                    case 'F':
                        expected.rawFile = ln1;
                        expected.counter = 0;
                        expected.fileNumber = 1;
                        break;
                    case 'G':
                        expected.paused = true;
                        break;
                }
            }
            Key(keys[k]);
            const Run after = now();
            EXPECT_EQ(after, expected) << print(after) << " / " << print(expected);
            EXPECT_EQ(m_modals->Pending(), 0);
        }
    }
    Doc().m_bMeasuring = Doc().m_bPaused = Doc().m_bDepthOnly = 0;
}

TEST_F(RecordingFlowTest, ANewRunAndALineChangeGoPastExistingFilesAndKeepTheNumber) {
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN3.org", "old\r\n");
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN4.org", "old\r\n");
    StartWith([](SystemParams& p) {
        p.SoundUse = 0;
        p.nSFStartID = 3;
    });
    StartGpsRun();
    EXPECT_EQ(Doc().m_strRawFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN5.org"));
    EXPECT_EQ(SavedSettings().nSFStartID, 5);
    Record(MakeFix(100.0, 200.0, 8, 0, 0.0));
    Record(MakeFix(100.0, 200.0, 8, 0, 1.0));
    EXPECT_EQ(Lines(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN5.org").size(), 2u);
    EXPECT_EQ(Doc().m_nPointCounter, 1);

    Key('F');
    EXPECT_EQ(Doc().m_strRawFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN6.org"));
    EXPECT_EQ(SavedSettings().nSFStartID, 6);
    EXPECT_EQ(Doc().m_nPointCounter, 0);
    Record(MakeFix(100.0, 200.0, 8, 0, 5.0));
    EXPECT_EQ(Lines(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN6.org").size(), 1u);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN4.org"), "old\r\n");
    // The data view names the line the run writes to.
    ::SendMessage(Frame()->m_hDataView, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&Frame()->m_fix),
                  kGpsPositionNew);
    EXPECT_EQ(DataView()->ValueOf(L"测线"), CString(L"LN6"));
}

// Settings that cannot be written stop a start before anything opens; a
// line change keeps its new file but not the counter's restart.
TEST_F(RecordingFlowTest, ASettingsFileThatCannotBeWrittenStopsTheStartButNotTheLineChange) {
    StartWith([](SystemParams& p) { p.SoundPort = 7; });  // opening it would fail loudly
    Doc().m_bGpsData = 1;
    const CString jobDir = Doc().m_strJobDir;
    Doc().m_strJobDir = L"\\Flash Disk\\Jobs\\gone\\";
    m_modals->ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
    Key('C');
    EXPECT_FALSE(Doc().m_bMeasuring);
    EXPECT_EQ(Doc().m_strRawFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org"));

    Doc().m_strJobDir = jobDir;
    Doc().m_sysParams.SoundUse = 0;
    StartGpsRun();
    Doc().m_nPointCounter = 4;
    Doc().m_strJobDir = L"\\Flash Disk\\Jobs\\gone\\";
    m_modals->ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
    Key('F');
    EXPECT_EQ(Doc().m_strRawFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN1.org"));
    EXPECT_EQ(Doc().m_nPointCounter, 4);
    EXPECT_NE(Boxes(*m_modals).find("message box \"提示\" \"创建Ini文件错误"), std::string::npos);
}

// Every epoch is written; the first one of the program's run, and then one
// every dCollectTime whole seconds, is marked as a stored point and named.
TEST_F(RecordingFlowTest, EachEpochIsOneLineOfThirtyTwoFieldsAsTheReceiverReportedIt) {
    StartWith([](SystemParams& p) {
        p.SoundUse = 0;
        p.szdSourceAntHgt = 1.5;
        p.nSFNameMode = 2;
    });
    StartGpsRun();
    Doc().m_dPointAntHeight = 1.8;
    Frame()->m_depth = SounderDepthBlock{12.34, 0, {1, 1}};
    SurveyRecord fix;
    fix.dLat = 30 + 15.0 / 60 + 45.5 / 3600;
    fix.dLon = 120 + 5.0 / 60 + 7.25 / 3600;
    fix.dHeight = 25.4567;
    fix.dX = 3351234.5671;
    fix.dY = 512345.1239;
    fix.dGridH = 21.0;
    fix.nSolution = 10;
    fix.dHrms = 0.0123;
    fix.dVrms = 0.0456;
    fix.dDop = 0.9;
    fix.nSatsUsed = 12;
    fix.nYear = 2012;
    fix.nMonth = 6;
    fix.nDay = 5;
    fix.nHour = 8;
    for (double second : {0.0, 1.0, 2.9, 3.5}) {
        fix.dSecond = second;
        Record(fix);
    }
    // South and west, with the sounder reporting an error.
    Frame()->m_depth.bError = 1;
    fix.dLat = -fix.dLat;
    fix.dLon = -fix.dLon;
    fix.dGridH = -0.25;
    fix.nSolution = 9;
    fix.dSecond = 5.0;
    Record(fix);

    const std::string tail = ",0.012,0.046,0.900,,,12,0,TIME,3.00,12.34,,,,";
    const std::string site = "30.1545500000,120.0507250000,25.457,1.800,3351234.567,512345.124,";
    EXPECT_EQ(Lines(kLn0),
              (std::vector<std::string>{
                  "LN-0,2012-6-5,08:00:00.00," + site + "19.500,10" + tail + "0,1,,,,,,,",
                  "LN-0,2012-6-5,08:00:01.00," + site + "19.500,10" + tail + "0,0,,,,,,,",
                  "LN-0,2012-6-5,08:00:02.90," + site + "19.500,10" + tail + "0,0,,,,,,,",
                  "LN-1,2012-6-5,08:00:03.50," + site + "19.500,10" + tail + "0,1,,,,,,,",
                  "LN-1,2012-6-5,08:00:05.00,-30.1545500000,-120.0507250000,25.457,"
                  "1.800,3351234.567,512345.124,-1.750,9" +
                      tail + "1,0,,,,,,,"}));
    EXPECT_EQ(ReadDevice(kCounter), "1\r\n");
    EXPECT_EQ(Frame()->m_strLastPointName, CString(L"LN-1"));
    EXPECT_EQ(Field(24), "1");
}

// One run through the rule's cases: midnight, the truncated seconds, the
// distance tolerance, each solution filter, the manual key and the modes
// that never store.
TEST_F(RecordingFlowTest, TheStoringRuleFollowsTimeDistanceSolutionAndTheManualKey) {
    StartWith(NoSounder);
    StartGpsRun();
    SystemParams& p = Doc().m_sysParams;
    struct Step {
        int mode, status, solution;
        double x;
        int hour, minute;
        double second;
        const char* stored;
    };
    const Step steps[] = {
        {0, 0, 10, 0.0, 23, 59, 58.0, "1"},   // the first epoch of the run
        {0, 0, 10, 0.0, 0, 0, 0.5, "1"},      // across midnight: -57.5 s counts -57
        {0, 0, 10, 0.0, 0, 0, 3.4, "0"},      // 2.9 s counts 2
        {0, 0, 10, 0.0, 0, 0, 3.5, "1"},      // 3 s
        {1, 0, 10, 4.99995, 0, 0, 3.6, "1"},  // within 0.0001 of 5 m
        {1, 0, 10, 9.9998, 0, 0, 3.7, "0"},   // 4.99985 m
        {1, 2, 9, 20.0, 0, 0, 3.8, "0"},      // float, fixed required
        {1, 2, 10, 20.0, 0, 0, 3.9, "1"},     // fixed
        {1, 1, 5, 40.0, 0, 0, 4.0, "0"},      // single, DGPS required
        {1, 1, 6, 40.0, 0, 0, 4.1, "1"},      // DGPS
        {1, 0, 1, 60.0, 0, 0, 4.2, "0"},      // no solution, single required
        {1, 3, 1, 60.0, 0, 0, 4.3, "1"},      // no filter
        {3, 0, 10, 999.0, 1, 0, 0.0, "0"},    // "SPACE" never stores
    };
    int n = 0;
    for (const Step& s : steps) {
        p.nCollectMode = s.mode;
        p.nCollectStatus = s.status;
        SurveyRecord fix = MakeFix(s.x, 0.0, s.hour, s.minute, s.second);
        fix.nSolution = s.solution;
        Record(fix);
        EXPECT_EQ(Field(25), s.stored) << "step " << n;
        ++n;
    }
    EXPECT_EQ(Field(18), "SPACE");
    EXPECT_EQ(Field(19), "");

    // "e" in the time mode stays pending until the manual mode takes it,
    // for one epoch only.
    p.nCollectMode = 0;
    Key('E');
    Record(MakeFix(0.0, 0.0, 0, 0, 5.0));
    EXPECT_EQ(Field(25), "0");
    p.nCollectMode = 2;
    Record(MakeFix(0.0, 0.0, 0, 0, 5.5));
    EXPECT_EQ(Field(25), "1");
    Record(MakeFix(0.0, 0.0, 0, 0, 30.0));
    EXPECT_EQ(Field(25), "0");
    EXPECT_EQ(Field(18), "");
    EXPECT_EQ(Lines(kLn0).size(), static_cast<size_t>(n + 3));
}

TEST_F(RecordingFlowTest, PointNamesFollowTheModeAndTheCounterFileAcrossARestart) {
    WriteDevice(kCounter, "41\r\n");
    StartWith([](SystemParams& p) {
        p.SoundUse = 0;
        p.nSFNameMode = 1;
        p.dCollectTime = 1.0;
    });
    StartGpsRun();
    Record(MakeFix(0, 0, 8, 0, 0.0));
    Record(MakeFix(0, 0, 8, 0, 1.0));
    EXPECT_EQ(Field(0), "42");
    EXPECT_EQ(ReadDevice(kCounter), "42\r\n");

    // The next start takes the number up again: the same one first.
    quorvel::app::EndProgramWithoutQuestions();
    delete m_app;
    m_app = new CVendropApp;
    StartAndSettle();
    StartGpsRun();
    const char* expected[] = {"42", "43"};
    for (int i = 0; i < 2; ++i) {
        Record(MakeFix(0, 0, 9, 0, 2.0 * i));
        EXPECT_EQ(Field(0), expected[i]);
    }
    // Mode 0 counts from the run's start, mode 2 prefixes the line name.
    Key('F');
    Doc().m_sysParams.nSFNameMode = 0;
    Record(MakeFix(0, 0, 9, 0, 4.0));
    EXPECT_EQ(Field(0), "0");
    Doc().m_sysParams.nSFNameMode = 2;
    Record(MakeFix(0, 0, 9, 0, 6.0));
    EXPECT_EQ(Field(0), "LN-1");
    EXPECT_EQ(ReadDevice(kCounter), "1\r\n");

    // A counter file that holds no number in the int range counts as 0.
    for (const char* bad : {"abc\r\n", "99999999999\r\n", "", "12x"}) {
        WriteDevice(kCounter, bad);
        Key('F');
        Doc().m_sysParams.nSFNameMode = 1;
        Record(MakeFix(0, 0, 9, 1, 0.0));
        EXPECT_EQ(Field(0), "0") << bad;
        Record(MakeFix(0, 0, 9, 2, 0.0));
    }
}

// A line that cannot be written is told once, is not shown as recorded
// and moves no counter; the run goes on and writes the next line it can.
TEST_F(RecordingFlowTest, ALineThatCannotBeWrittenIsToldOnceAndTheRunGoesOn) {
    namespace fs = std::filesystem;
    StartWith(NoSounder);
    StartGpsRun();
    fs::remove_all(Host(kData));
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    Record(MakeFix(0, 0, 8, 0, 0.0));
    Record(MakeFix(0, 0, 8, 0, 1.0));
    EXPECT_FALSE(IsFile(kLn0));
    EXPECT_TRUE(Doc().m_bMeasuring);
    EXPECT_EQ(Field(2), "");
    EXPECT_EQ(Doc().m_nPointCounter, 0);
    fs::create_directories(Host(kData));
    Record(MakeFix(0, 0, 8, 0, 2.0));
    ASSERT_EQ(Lines(kLn0).size(), 1u);
    EXPECT_EQ(Field(2), "08:00:02.00");
    EXPECT_EQ(Field(0), "0");
    EXPECT_EQ(Doc().m_nPointCounter, 1);

    // A folder in the file's place (told again: a line went out since),
    // then a read-only file (not told again).
    fs::remove(Host(kLn0));
    fs::create_directories(Host(kLn0));
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    Record(MakeFix(0, 0, 8, 0, 3.0));
    EXPECT_TRUE(IsFolder(kLn0));
    fs::remove(Host(kLn0));
    WriteDevice(kLn0, "torn");
    SetReadOnly(kLn0, true);
    Record(MakeFix(0, 0, 8, 0, 4.0));
    EXPECT_EQ(ReadDevice(kLn0), "torn");
    EXPECT_EQ(Field(2), "08:00:02.00");
    SetReadOnly(kLn0, false);
    // The next line starts a line of its own after the torn tail.
    Record(MakeFix(0, 0, 8, 0, 5.0));
    const std::vector<std::string> lines = Lines(kLn0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "torn");
    EXPECT_EQ(lines[1].substr(0, 23), "1,2012-6-5,08:00:05.00,");
    EXPECT_EQ(Doc().m_nPointCounter, 2);
    EXPECT_EQ(m_modals->Pending(), 0);
}

// A run that fails as the last one did is told at its start, though
// nothing went out in between: the surveyor started it again believing the
// fault was mended.
TEST_F(RecordingFlowTest, ANewRunThatFailsAsTheLastIsToldAgain) {
    namespace fs = std::filesystem;
    StartWith(NoSounder);
    StartGpsRun();
    fs::remove_all(Host(kData));
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    for (int i = 0; i < 3; ++i) Record(MakeFix(0, 0, 8, 0, i));
    EXPECT_EQ(m_modals->Pending(), 0);
    Frame()->SendMessage(WM_COMMAND, ID_MEASURE_STOP);
    StartGpsRun();
    ASSERT_TRUE(Doc().m_bMeasuring);
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    for (int i = 3; i < 6; ++i) Record(MakeFix(0, 0, 8, 0, i));
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_FALSE(IsFile(kLn0));
}

// The store fills up during a 10 Hz run that stores every epoch as a point.
// One box, however many epochs fail while it is up and after; nothing torn
// is left; the counter, "GPSPtNum" and the name on the screen follow the
// lines that are in the file; once there is room again the run goes on
// where it was, and a line change leaves no torn line behind.
TEST_F(RecordingFlowTest, AFullStoreIsToldOnceAndTheCounterKeepsToTheLinesInTheFile) {
    struct Unlimit {
        ~Unlimit() { quorvel::files::UnlimitStoreSpaceForTest(); }
    } unlimit;
    StartWith([](SystemParams& p) {
        p.SoundUse = 0;
        p.nSFNameMode = 1;
        p.dCollectTime = 0.0;
    });
    StartGpsRun();
    int tenths = 0;
    auto epoch = [&] {
        Record(MakeFix(100.0 + tenths, 200.0, 8, tenths / 600, (tenths % 600) / 10.0));
        ++tenths;
    };
    auto expectWholeNumberedLines = [&](size_t count) {
        const std::string bytes = ReadDevice(kLn0);
        ASSERT_TRUE(bytes.empty() || bytes.ends_with("\r\n"));
        const std::vector<std::string> lines = SplitLines(bytes);
        ASSERT_EQ(lines.size(), count);
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].starts_with(std::to_string(i) + ",2012-6-5,")) << lines[i];
            EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 32) << lines[i];
        }
        EXPECT_EQ(Doc().m_nPointCounter, static_cast<int>(count));
        if (count > 0) {
            EXPECT_EQ(Field(0), std::to_string(count - 1));
            EXPECT_EQ(ReadDevice(kCounter), std::to_string(count - 1) + "\r\n");
        }
    };

    for (int i = 0; i < 5; ++i) epoch();
    expectWholeNumberedLines(5);
    const size_t lineSize = ReadDevice(kLn0).size() / 5;

    // Room for a line and a half: the first epoch fits (with its counter
    // file), the second is cut short. While the box is up the receiver goes
    // on at 10 Hz: those epochs fail too, without a box of their own.
    quorvel::files::LimitStoreSpaceForTest(static_cast<long long>(lineSize * 3 / 2));
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!")
        .Do([&](HWND) {
            for (int i = 0; i < 20; ++i) epoch();
        })
        .Answer(IDOK);
    epoch();
    epoch();
    for (int i = 0; i < 30; ++i) epoch();
    EXPECT_EQ(m_modals->Pending(), 0);
    expectWholeNumberedLines(6);
    EXPECT_TRUE(Doc().m_bMeasuring);

    // Room again: the run goes on with the next number.
    quorvel::files::UnlimitStoreSpaceForTest();
    for (int i = 0; i < 10; ++i) epoch();
    expectWholeNumberedLines(16);

    // Full again after lines went out: told once more.
    quorvel::files::LimitStoreSpaceForTest(0);
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    for (int i = 0; i < 10; ++i) epoch();
    quorvel::files::UnlimitStoreSpaceForTest();
    expectWholeNumberedLines(16);
    EXPECT_EQ(m_modals->Pending(), 0);

    // A tail torn by a power cut gets its line end before the run moves to
    // the next line's file.
    {
        std::ofstream out(Host(kLn0), std::ios::binary | std::ios::app);
        out << "16,2012-6-5,08:00";
    }
    Key('F');
    EXPECT_EQ(Doc().m_strRawFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN1.org"));
    const std::string left = ReadDevice(kLn0);
    EXPECT_TRUE(left.ends_with("16,2012-6-5,08:00\r\n"));
    EXPECT_EQ(SplitLines(left).size(), 17u);
}

}  // namespace
}  // namespace shelltest
