// The two stake-out screens run modally in process, answered by a script on
// the virtual clock, with positions handed in as the frame hands them and
// the alarms counted: targets chosen by name, by the previous/next keys and
// by a tap; the alarm once per approach; staked points stored into the
// survey files and their record lines; the refusals; the settings dialogs;
// and the line screen's read-outs, prompts and records.
#include <cmath>
#include <filesystem>

#include "app/FrameMessages.h"
#include "app/screens/PlanDrawing.h"
#include "app/stakeout/LineStakeoutDlg.h"
#include "app/stakeout/StakeoutDlg.h"
#include "app/stakeout/StakeoutDraw.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/base/Thread.h"
#include "platform/device/Sound.h"
#include "platform/gdi/Image.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/TextInk.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/points/PointsTest.h"
#include "tests/app/screens/PlanLettering.h"
#include "tests/platform/device/SoundTestWave.h"

namespace {

using pointstest::PointsTest;
using stakeout::StakeLine;

constexpr LPCTSTR kPtb = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ptb";
constexpr LPCTSTR kPtr = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ptr";
constexpr LPCTSTR kPtSettings = L"\\Flash Disk\\Jobs\\ruvo\\ptlayauto";
constexpr LPCTSTR kLnb = L"\\Flash Disk\\Jobs\\ruvo\\道路.lnb";
constexpr LPCTSTR kLnr = L"\\Flash Disk\\Jobs\\ruvo\\道路.lnr";
constexpr LPCTSTR kJobLnb = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lnb";
constexpr LPCTSTR kJobLnr = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lnr";
constexpr LPCTSTR kLnSettings = L"\\Flash Disk\\Jobs\\ruvo\\lnlayauto";

std::string U8(const CString& s) {
    return quorvel::ToUtf8(s.GetString());
}

// The help's last page (the opener's lines), tapped as the stylus does.
std::vector<std::wstring> HelpLines(HWND info, int count) {
    const HWND tab = ::GetDlgItem(info, IDC_INFO_TAB);
    RECT item{};
    ::SendMessage(tab, TCM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(tab, &centre);
    quorvel::win::InjectStylus(centre.x, centre.y, true);
    quorvel::testing::PumpDialogMessages(info);
    quorvel::win::InjectStylus(centre.x, centre.y, false);
    quorvel::testing::PumpDialogMessages(info);
    HWND page = nullptr;
    for (HWND c = ::GetWindow(tab, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (::IsWindowVisible(c)) page = c;
    std::vector<std::wstring> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(coordsystest::ItemText(page, IDC_INFO_LINE1 + i));
    return lines;
}

// Every label of a stake-out screen, and its plan's letters, show whole
// after a position: the plan's frame stands 6 pixels inside the plan, its
// scale label and time in the context's own font.
::testing::AssertionResult ScreenLettersLieWhole(HWND d, double scale, const SurveyRecord& fix) {
    const ::testing::AssertionResult labels = quorvel::testing::LabelsLieWhole(d);
    if (!labels) return labels;
    const HWND plan = ::GetDlgItem(d, IDC_SO_PLAN);
    CRect frame;
    ::GetClientRect(plan, &frame);
    frame.DeflateRect(6, 6);
    const screens::PlanFonts fonts;
    HFONT own = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    CString time;
    time.Format(L"%02d:%02d:%02.0f", fix.nHour, fix.nMinute, fix.dSecond);
    return screenstest::PlanLettersLieWhole(
        plan, frame, {fonts.Bold(), own, own, screens::ScaleLabel(24.0 * scale), time});
}

class StakeoutScreenTest : public PointsTest {
  protected:
    void SetUp() override {
        PointsTest::SetUp();
        if (HasFatalFailure()) return;
        m_previousSink = quorvel::device::SetSoundSink(&m_sounds);
        // The alarm plays to its end on this thread: its pause moves the clock.
        quorvel::SetVirtualClockDriver(GetCurrentThreadId());
        std::filesystem::create_directories(HostOf(L"\\Flash Disk\\Wav"));
        Write(L"\\Flash Disk\\Wav\\Alarm5.wav",
              soundtest::FileBytes(soundtest::MakeWave({.frames = 800})));
        ASSERT_EQ(U8(Doc().m_strJobDir), "\\Flash Disk\\Jobs\\ruvo\\");
        Doc().m_sysParams.nUseAntHgt = 0;
        Doc().m_nStoreType = 0;
        Write(kPtb,
              "0,PT1,1000.000,2000.000,10.000,c1,\r\n0,PT2,1010.000,2000.000,11.000,c2,\r\n"
              "0,PT3,1020.000,2000.000,12.000,c3,\r\n");
    }
    void TearDown() override {
        quorvel::device::SetSoundSink(m_previousSink);
        quorvel::SetVirtualClockDriver(0);
        PointsTest::TearDown();
    }
    // A position as the frame posts it.
    static void Position(HWND d, const SurveyRecord& fix) {
        ::SendMessage(d, WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix), kGpsPositionNew);
        Tick(d, 100);
    }
    static void Press(HWND d, UINT key) {
        MSG msg{d, WM_KEYDOWN, key, 0, 0, {}};
        CWnd* wnd = CWnd::FromHandle(d);
        if (!wnd->PreTranslateMessage(&msg)) ::SendMessage(d, WM_KEYDOWN, key, 0);
        Tick(d, 100);
    }
    int Alarms() const { return static_cast<int>(m_sounds.Played().size()); }

    quorvel::device::RecordingSoundSink m_sounds;
    quorvel::device::SoundSink* m_previousSink = nullptr;
};

TEST_F(StakeoutScreenTest, PointScreenFindsWalksStoresAndMovesTheTarget) {
    Doc().m_nStakeMode = 1;
    CStakeoutDlg screen(&m_main);
    int alarmsOnApproach = 0;
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Do([&](HWND d) {
            EXPECT_EQ(screen.StakePoints().size(), 3u);
            EXPECT_FALSE(screen.HasTarget());
            EXPECT_EQ(U8(screen.LibraryPath()), U8(CString(kPtb)));
            // No position yet: the store key is refused.
            Press(d, 'A');
            // Find "pt2" (no match: case counts), then "PT2".
            Press(d, '9');
            EXPECT_EQ(U8(screen.Target().strName), "PT2");
            EXPECT_EQ(screen.TargetIndex(), 1);
            // Walk in, out and in again: two alarms.
            const int before = Alarms();
            for (double x :
                 {1030.0, 1015.0, 1010.5, 1010.3, 1009.8, 1013.0, 1011.5, 1010.4, 1010.2})
                Position(d, Fix(x, 2000.0, 12.0));
            alarmsOnApproach = Alarms() - before;
            Position(d, Fix(1011.2344, 2000.0, 12.0));
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_DX)), "南1.234");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_DY)), "东0.000");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_DH)), "-1.000");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_AZIMUTH)), "180°00'00\"");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_STATUS)), "(12)固定解");
            // 'A' at a stop: the store dialog proposes the target.
            Press(d, 'A');
            // No differential signal, answered No: nothing stored.
            Doc().m_bDiffAlive = 0;
            Press(d, 'A');
            Doc().m_bDiffAlive = 1;
            // Next point, confirmed; at the last one only informed.
            Press(d, '2');
            EXPECT_EQ(U8(screen.Target().strName), "PT3");
            Press(d, '2');
            EXPECT_EQ(screen.TargetIndex(), 2);
        })
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"当前没有接收数据").Answer(IDOK);
    m_modals.ExpectDialog(IDD_STAKE_FIND_POINT)
        .SetText(IDC_SOFIND_TEXT, L"pt2")
        .Click(IDC_SOFIND_FIND)
        .Do([](HWND d) { EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDOK))); })
        .SetText(IDC_SOFIND_TEXT, L"PT2")
        .Click(IDC_SOFIND_FIND)
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"点不在放样坐标库中").Answer(IDOK);
    m_modals.ExpectMessageBox(L"查找点成功").Answer(IDOK);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND d) { EXPECT_EQ(coordsystest::ItemText(d, IDC_STORE_NAME), L"PT2"); })
        .SetText(IDC_STORE_CODE, L"放样")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"当前无差分信号").Answer(IDNO);
    m_modals.ExpectDialog(IDD_STAKE_PROMPT)
        .Do([](HWND d) {
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOPROMPT_QUESTION), L"确定放样下一点吗?");
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOPROMPT_X), L"1020.0000");
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOPROMPT_H), L"12.000");
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_STAKE_PROMPT)
        .Do([](HWND d) {
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOPROMPT_QUESTION), L"已经到最后一点!");
        })
        .Click(IDOK);
    EXPECT_EQ(screen.DoModal(), IDOK);
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_EQ(alarmsOnApproach, 2);
    EXPECT_EQ(Doc().m_nStakeMode, 0);
    // One record line, byte for byte; the point name is not advanced.
    EXPECT_EQ(Read(kPtr), quorvel::ToGbk(L"PT2,1011.2344,2000.0000,12.0000,放样\r\n"));
    EXPECT_EQ(Lines(pointstest::kPoints).size(), 1u);
    EXPECT_EQ(U8(Doc().m_strNextPointName), "PT1");
}

// The target picked in the stake-out point library (button 1016): its
// row, its texts, the library's file kept in the settings.
TEST_F(StakeoutScreenTest, PointTargetFromTheLibrary) {
    Doc().m_nStakeMode = 1;
    CStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Do([&](HWND d) {
            ::SendMessage(d, WM_COMMAND, IDC_SO_POINT_LIB, 0);
            Tick(d);
            ASSERT_TRUE(screen.HasTarget());
            EXPECT_EQ(U8(screen.Target().strName), "PT3");
            EXPECT_EQ(screen.Target().dX, 1020.0);
            EXPECT_EQ(U8(screen.Target().strCode), "c3");
            EXPECT_EQ(screen.TargetIndex(), 2);
            EXPECT_EQ(screen.StakePoints().size(), 3u);
            Press(d, '8');
            EXPECT_EQ(U8(screen.Target().strName), "PT2");
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_STAKE_POINT_LIB).Select(IDC_LIB_LIST, 2).Click(IDOK);
    m_modals.ExpectDialog(IDD_STAKE_PROMPT).Click(IDOK);
    screen.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
}

// The help of both screens: the mode, the target or the line, the keys.
TEST_F(StakeoutScreenTest, HelpTexts) {
    Doc().m_nStakeMode = 1;
    CStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Do([&](HWND) { screen.TakeLibraryChoice(screen.StakePoints(), 1, kPtb); })
        .Click(IDC_SO_HELP)
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_INFO_DISPLAY)
        .Do([](HWND d) {
            EXPECT_EQ(HelpLines(d, 13),
                      (std::vector<std::wstring>{
                          L"当前模式:点放样", L"放样点:PT2", L"北:1010.0000 东:2000.0000",
                          L"高:11.0000  编码:c2", L"", L"按'A'键保存测量点", L"按'B'两次查看测量点",
                          L"按'8'键放上一点", L"按'2'键放下一点", L"按'9'键查找放样点",
                          L"按'3'放样当前选择点", L"按'5'键刷新屏幕", L""}));
        })
        .Click(IDOK);
    screen.DoModal();
    CLineStakeoutDlg line(&m_main);
    m_modals.ExpectDialog(IDD_LINE_STAKEOUT)
        .Do([&](HWND) {
            StakeLine l;
            l.start = {L"A", 1, 2, 3, L"ca"};
            l.end = {L"B", 4, 5, 6, L"cb"};
            l.chainage = 12.5;
            line.ChooseLine({l}, 0, L"");
        })
        .Click(IDC_SO_HELP)
        .Key(VK_ESCAPE);
    m_modals.ExpectDialog(IDD_INFO_DISPLAY)
        .Do([](HWND d) {
            EXPECT_EQ(
                HelpLines(d, 14),
                (std::vector<std::wstring>{
                    L"当前模式:线放样", L"起点:A", L"北:1.0000 东:2.0000", L"高:3.0000  编码:ca",
                    L"终点:B", L"北:4.0000 东:5.0000", L"高:6.0000  编码:cb", L"起点里程:12.5000",
                    L"", L"按'A'键保存测量点", L"按'B'两次查看测量点", L"按'8'键放上一条线",
                    L"按'2'键放下一条线", L"按'5'键刷新屏幕"}));
        })
        .Click(IDOK);
    line.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
}

TEST_F(StakeoutScreenTest, PointScreenGeneralPointAndTheSecondB) {
    Doc().m_nStakeMode = 1;
    CStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Do([&](HWND d) {
            Position(d, Fix(1000.0, 2000.0, 10.0));
            // 'D': the store dialog with no proposed name; no record line.
            Press(d, VK_RIGHT);
            // 'D' with smoothing: the dialog runs, nothing is stored.
            Doc().m_bSmoothStore = 1;
            Press(d, VK_RIGHT);
            Doc().m_bSmoothStore = 0;
            // B at :20 and :22 opens the library; at :59 and :01 it does not.
            quorvel::AdvanceVirtualClock(20000);
            Press(d, 'B');
            quorvel::AdvanceVirtualClock(2000);
            Press(d, 'B');
            quorvel::AdvanceVirtualClock(37000);
            Press(d, 'B');
            quorvel::AdvanceVirtualClock(2000);
            Press(d, 'B');
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND d) { EXPECT_EQ(coordsystest::ItemText(d, IDC_STORE_NAME), L""); })
        .SetText(IDC_STORE_NAME, L"G1")
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE).SetText(IDC_STORE_NAME, L"G2").Click(IDOK);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_LIB).Key(VK_ESCAPE);
    EXPECT_EQ(screen.DoModal(), IDOK);
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_FALSE(std::filesystem::exists(HostOf(kPtr)));
    const std::vector<std::string> stored = Lines(pointstest::kPoints);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].substr(0, 3), "G1,");
    EXPECT_EQ(U8(Doc().m_strNextPointName), "G2");
}

// A picked row without a name is no target: the previous/next keys then do
// nothing; the last named row is, and '2' at the end only informs.
TEST_F(StakeoutScreenTest, PickedNamelessRowAndTheEndOfTheList) {
    Write(kPtb, "0,PT1,1000,2000,10,,\r\n0,,1005,2000,10,,\r\n0,PT3,1010,2000,10,,\r\n");
    Doc().m_nStakeMode = 1;
    CStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Do([&](HWND d) {
            ASSERT_EQ(screen.StakePoints().size(), 3u);  // the screen reads every row
            std::vector<PointRecord> named = {screen.StakePoints()[0], screen.StakePoints()[2]};
            screen.TakeLibraryChoice(named, 1, kPtb);
            EXPECT_FALSE(screen.HasTarget());
            Press(d, '2');
            Press(d, '8');
            screen.TakeLibraryChoice(named, 2, kPtb);
            EXPECT_EQ(screen.TargetIndex(), 1);
            EXPECT_EQ(U8(screen.Target().strName), "PT3");
            Press(d, '2');
            EXPECT_EQ(screen.TargetIndex(), 1);
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_STAKE_PROMPT)
        .Do([](HWND d) {
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOPROMPT_QUESTION), L"已经到最后一点!");
        })
        .Click(IDOK);
    screen.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
}

// A record file that cannot be written (a folder in its place): the point
// is stored all the same and the surveyor is told.
TEST_F(StakeoutScreenTest, AnUnwritableRecordFileIsReported) {
    std::filesystem::create_directories(HostOf(kPtr));
    Doc().m_nStakeMode = 1;
    CStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Do([&](HWND d) {
            screen.TakeLibraryChoice(screen.StakePoints(), 0, kPtb);
            Position(d, Fix(1000.1, 2000.0, 10.0));
            ::SendMessage(d, WM_COMMAND, IDC_SO_RECORD, 0);
            Tick(d);
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE).Click(IDOK);
    m_modals.ExpectMessageBox(L"打开文件错误,请检查").Answer(IDOK);
    screen.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_EQ(Lines(pointstest::kPoints).size(), 1u);
    EXPECT_EQ(screen.RecordedPoints().size(), 1u);
}

TEST_F(StakeoutScreenTest, PointSettingsDialogChecksAndSaves) {
    CStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Click(IDC_SO_SETTINGS)
        .Do([&](HWND) {
            EXPECT_EQ(screen.Settings().minLayoutPrompt, 0.5);
            EXPECT_EQ(screen.Settings().maxLayoutPrompt, 0.5);
            EXPECT_EQ(screen.Settings().showSurveyPoint, -1);
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_STAKEOUT_SET)
        .Do([](HWND d) {
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOSET_COUNT), L"0");
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(d, IDC_SOSET_COUNT)));
        })
        .SetText(IDC_SOSET_MIN, L"-0.1")
        .Click(IDOK)
        .Do([](HWND d) {
            EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_SOSET_MIN);
            (void)d;
        })
        .SetText(IDC_SOSET_MIN, L"0.9")
        .SetText(IDC_SOSET_MAX, L"0.5")
        .Click(IDOK)
        .SetText(IDC_SOSET_MIN, L"0.5")
        .SetText(IDC_SOSET_COUNT, L"全部")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"最大值和最小值不能小于0!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"最大值不能小于最小值!").Answer(IDOK);
    EXPECT_EQ(screen.DoModal(), IDOK);
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_EQ(Read(kPtSettings),
              quorvel::ToGbk(L"[ShowAllLayoutPoint]1\r\n[ShowRecordLayoutPoint]1\r\n"
                             L"[SoundPrompt]1\r\n[MinLayoutPrompt]0.50000000\r\n"
                             L"[MaxLayoutPrompt]0.50000000\r\n"
                             L"[CurLayoutFileName]\\Flash Disk\\Jobs\\ruvo\\ruvo.ptb\r\n"
                             L"[ShowSurveyPoint]-1\r\n"));
}

// The plan as the surveyor sees it near the target: library and recorded
// points, the target with four rings (0.3 / 1.0), the arrow and the dashed
// line; then the marker drawn twice leaves the plan as it was.
TEST_F(StakeoutScreenTest, PointPlanLooksAndTheInvertingMarker) {
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/stakeout/ref");
    Write(kPtSettings, "[MaxLayoutPrompt]1.00000000\r\n[ShowSurveyPoint]-1\r\n");
    Write(kPtr, "R1,1010.3000,1999.7000,10.0000,c\r\nR2,1009.8000,2000.4000,10.0000,c\r\n");
    Doc().m_nStakeMode = 1;
    CStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_STAKEOUT)
        .Do([&](HWND d) {
            EXPECT_EQ(screen.RecordedPoints().size(), 2u);
            screen.TakeLibraryChoice(screen.StakePoints(), 1, kPtb);
            Tick(d);
            Position(d, Fix(1012.0, 2002.0, 10.0));
            Tick(d);
            Position(d, Fix(1010.6, 2000.5, 10.0));
            Position(d, Fix(1010.5, 2000.4, 10.0));  // zooms in: the plan is redrawn
            Position(d, Fix(1010.45, 2000.3, 10.0));
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(d), "point_plan");
            EXPECT_TRUE(ScreenLettersLieWhole(d, screen.View().scale, Fix(1010.45, 2000.3, 10.0)));
            HWND plan = ::GetDlgItem(d, IDC_SO_PLAN);
            const quorvel::gdi::Image before = quorvel::gdi::CaptureWindow(plan);
            CDC* dc = CWnd::FromHandle(plan)->GetDC();
            stakeout::MarkerShape arrow =
                stakeout::ComputeMarker(screen.View(), 1010.0, 2000.0, 0.3, 0.2, false, true);
            stakeout::DrawMarker(dc, arrow);
            EXPECT_NE(quorvel::gdi::CaptureWindow(plan), before);
            stakeout::DrawMarker(dc, arrow);
            CWnd::FromHandle(plan)->ReleaseDC(dc);
            EXPECT_EQ(quorvel::gdi::CaptureWindow(plan), before);
        })
        .Click(IDOK);
    screen.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
}

// ---- Line screen ----

class LineScreenTest : public StakeoutScreenTest {
  protected:
    static std::vector<StakeLine> Lines2() {
        StakeLine a;
        a.start = {L"A", 1000.0, 2000.0, 10.0, L"ca"};
        a.end = {L"B", 1100.0, 2000.0, 10.0, L"cb"};
        a.chainage = 500.0;
        StakeLine b;
        b.start = {L"B", 1100.0, 2000.0, 10.0, L"cb"};
        b.end = {L"C", 1100.0, 2100.0, 10.0, L"cc"};
        b.chainage = 600.0;
        return {a, b};
    }
};

TEST_F(LineScreenTest, ReadoutsPromptsRecordsAndTheNextLine) {
    // The job's own line library, chosen through the library dialog.
    Write(
        kJobLnb,
        "A,1000,2000,10,ca,B,1100,2000,10,cb,500,\r\nB,1100,2000,10,cb,C,1100,2100,10,cc,600,\r\n");
    CLineStakeoutDlg screen(&m_main);
    int nearAlarms = 0;
    m_modals.ExpectDialog(IDD_LINE_STAKEOUT)
        .Do([&](HWND d) {
            EXPECT_FALSE(screen.HasLine());
            ::SendMessage(d, WM_COMMAND, IDC_SO_LINE_LIB, 0);
            Tick(d);
            ASSERT_TRUE(screen.HasLine());
            EXPECT_EQ(screen.CurrentLine().chainage, 500.0);
            EXPECT_NE(
                Read(kLnSettings).find("[CurLayoutFileName]\\Flash Disk\\Jobs\\ruvo\\ruvo.lnb\r\n"),
                std::string::npos);
            Position(d, Fix(1050.0, 2005.0, 10.0));
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_LINE_OFFSET)), "右5.000");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_LINE_START_DIST)), "50.249");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_LINE_CHAINAGE)), "550.00");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_DX)), "北0.000");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_DY)), "西5.000");
            EXPECT_EQ(U8(Doc().m_strPointCode), "550.00");
            const int before = Alarms();
            for (double y : {2001.0, 2000.5, 2003.0, 2001.2}) Position(d, Fix(1050.0, y, 10.0));
            nearAlarms = Alarms() - before;
            // Behind the start: outside.
            Position(d, Fix(990.0, 2000.0, 10.0));
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_DX)), "在直线外");
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_DY)), "");
            Position(d, Fix(1060.0, 2000.2, 10.0));
            ::SendMessage(d, WM_COMMAND, IDC_SO_RECORD, 0);
            Tick(d);
            Press(d, '2');
            EXPECT_EQ(screen.LineIndex(), 1);
            EXPECT_EQ(U8(screen.CurrentLine().end.strName), "C");
            Press(d, '2');
            EXPECT_EQ(screen.LineIndex(), 1);
        })
        .Key(VK_ESCAPE);
    m_modals.ExpectDialog(IDD_STAKE_LINE_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND d) { EXPECT_EQ(coordsystest::ItemText(d, IDC_STORE_CODE), L"560.00"); })
        .SetText(IDC_STORE_NAME, L"线点1")
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_LINE_STAKEOUT_PROMPT)
        .Do([](HWND d) {
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOPROMPT_QUESTION), L"确定放样下一条线吗?");
            EXPECT_EQ(coordsystest::ItemText(d, IDC_LSOPROMPT_END_NAME), L"C");
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_LINE_STAKEOUT_PROMPT)
        .Do([](HWND d) {
            EXPECT_EQ(coordsystest::ItemText(d, IDC_SOPROMPT_QUESTION), L"已经到最后一条线!");
        })
        .Click(IDOK);
    screen.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_EQ(nearAlarms, 2);
    // The record carries the chainage as its code; the name advances.
    EXPECT_EQ(Read(kJobLnr), quorvel::ToGbk(L"线点1,1060.0000,2000.2000,10.0000,560.00\r\n"));
    EXPECT_EQ(U8(Doc().m_strNextPointName), "线点2");
}

// The line plan with the guide lines beside the current line and the
// recorded points.
TEST_F(LineScreenTest, LinePlanLooks) {
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/stakeout/ref");
    Write(kLnSettings, quorvel::ToGbk(L"[ShowAllLayoutLine]1\r\n[ShowRecordLayoutPoint]1\r\n"
                                      L"[ShowPlumb]0\r\n[SoundPrompt]1\r\n[MinPrompt]0.50000000\r\n"
                                      L"[MaxPrompt]1.20000000\r\n"
                                      L"[CurLayoutFileName]\\Flash Disk\\Jobs\\ruvo\\道路.lnb\r\n"
                                      L"[ShowSurveyPoint]-1\r\n"));
    Write(kLnb, quorvel::ToGbk(L"A,1000,2000,10,ca,B,1100,2000,10,cb,500,\r\n"
                               L"B,1100,2000,10,cb,C,1100,2100,10,cc,600,\r\n"));
    Write(kLnr, "P1,1020.0000,2000.5000,10.0000,520.00\r\n");
    CLineStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_LINE_STAKEOUT)
        .Do([&](HWND d) {
            EXPECT_EQ(screen.RecordedPoints().size(), 1u);
            screen.ChooseLine(Lines2(), 0, kLnb);
            for (int i = 0; i < 7; ++i) ::SendMessage(d, WM_COMMAND, IDC_SO_ZOOM_IN, 0);
            Tick(d);
            Position(d, Fix(1030.0, 2003.0, 10.0));
            Tick(d);
            Position(d, Fix(1030.5, 2001.0, 10.0));
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(d), "line_plan");
            EXPECT_TRUE(ScreenLettersLieWhole(d, screen.View().scale, Fix(1030.5, 2001.0, 10.0)));
        })
        .Key(VK_ESCAPE);
    screen.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
}

TEST_F(LineScreenTest, SettingsOldFileAndTheScreenGoesIdle) {
    Write(kLnSettings,
          "[ShowAllLayoutLine]1\r\n[MinPrompt]0.30000000\r\n[MaxPrompt]1.50000000\r\n");
    CLineStakeoutDlg screen(&m_main);
    m_modals.ExpectDialog(IDD_LINE_STAKEOUT)
        .Do([&](HWND d) {
            EXPECT_EQ(screen.Settings().intMileage, 0.0);
            EXPECT_EQ(screen.Settings().soundPrompt, 0);
            // A zero-length line: empty read-outs, nothing sounds.
            std::vector<StakeLine> lines = Lines2();
            lines[0].end = lines[0].start;
            screen.ChooseLine(lines, 0, L"");
            const int before = Alarms();
            Position(d, Fix(1000.0, 2000.0, 10.0));
            Position(d, Fix(1000.5, 2000.0, 10.0));
            EXPECT_EQ(Alarms(), before);
            EXPECT_EQ(U8(screen.ReadoutText(IDC_SO_LINE_OFFSET)), "");
            EXPECT_TRUE(std::isfinite(screen.View().scale) && screen.View().scale >= 0.01);
            // After a full repaint the screen settles.
            ::InvalidateRect(d, nullptr, TRUE);
            Tick(d);
            const int paints = screen.PaintCount();
            Tick(d);
            Tick(d);
            EXPECT_EQ(screen.PaintCount(), paints);
        })
        .Click(IDC_SO_SETTINGS)
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_LINE_STAKEOUT_SET)
        .SetText(IDC_SOSET_MIN, L"0.5")
        .SetText(IDC_SOSET_MAX, L"0.5")
        .Check(IDC_LSOSET_INT_PROMPT)
        .SetText(IDC_LSOSET_INT_MILEAGE, L"20")
        .SetText(IDC_SOSET_COUNT, L"10")
        .Click(IDOK);
    screen.DoModal();
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_EQ(Read(kLnSettings),
              "[ShowAllLayoutLine]1\r\n[ShowRecordLayoutPoint]0\r\n[ShowPlumb]0\r\n"
              "[SoundPrompt]0\r\n[MinPrompt]0.50000000\r\n[MaxPrompt]0.50000000\r\n"
              "[CurLayoutFileName]\r\n[ShowSurveyPoint]10\r\n[IntMilPrompt]1\r\n"
              "[dIntMileage]20.00000000\r\n");
}

}  // namespace

namespace {

// A left-button drag inside the plan pans it; after the window-zoom
// button, a drag over a smaller square zooms in to it.
template <class Screen>
void DragPansAndWindowZoomZooms(HWND d, const Screen& screen) {
    RECT plan;
    ::GetWindowRect(::GetDlgItem(d, IDC_SO_PLAN), &plan);
    POINT c{(plan.left + plan.right) / 2, (plan.top + plan.bottom) / 2};
    ::ScreenToClient(d, &c);
    const auto at = [&](int dx, int dy) { return MAKELPARAM(c.x + dx, c.y + dy); };
    const double e0 = screen.View().e0, n0 = screen.View().n0, scale = screen.View().scale;
    ::SendMessage(d, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0));
    ::SendMessage(d, WM_MOUSEMOVE, MK_LBUTTON, at(20, 10));
    ::SendMessage(d, WM_LBUTTONUP, 0, at(20, 10));
    EXPECT_TRUE(screen.View().e0 != e0 || screen.View().n0 != n0);
    EXPECT_EQ(screen.View().scale, scale);
    ::SendMessage(d, WM_COMMAND, IDC_SO_ZOOM_WINDOW, 0);
    ::SendMessage(d, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0));
    ::SendMessage(d, WM_MOUSEMOVE, MK_LBUTTON, at(10, 10));
    ::SendMessage(d, WM_MOUSEMOVE, MK_LBUTTON, at(20, 20));
    ::SendMessage(d, WM_LBUTTONUP, 0, at(20, 20));
    EXPECT_LT(screen.View().scale, scale);
}

}  // namespace

TEST_F(LineScreenTest, BothScreensDragAndWindowZoom) {
    {
        CStakeoutDlg screen(&m_main);
        m_modals.ExpectDialog(IDD_STAKEOUT)
            .Do([&](HWND d) { DragPansAndWindowZoomZooms(d, screen); })
            .Key(VK_ESCAPE);
        screen.DoModal();
    }
    {
        CLineStakeoutDlg screen(&m_main);
        m_modals.ExpectDialog(IDD_LINE_STAKEOUT)
            .Do([&](HWND d) { DragPansAndWindowZoomZooms(d, screen); })
            .Key(VK_ESCAPE);
        screen.DoModal();
    }
    EXPECT_EQ(m_modals.Pending(), 0);
}
