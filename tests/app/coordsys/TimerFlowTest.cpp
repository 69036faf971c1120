// The running frame's one-second timer on the virtual clock: the no-data
// watchdog's notices to the screens and its limit during a GSM connect
// request, and the parameter alarms' prompts: raised, refocused, closed
// only by their button, several at once, gone with the frame.
//
// Positions reach the frame here by setting its fix, as the receiver
// dispatcher does with every decoded sentence.
#include <map>

#include "app/FrameMessages.h"
#include "app/coordsys/ParamAlarmDlg.h"
#include "app/shell/AppGlobals.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/files/Registry.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/PtyPeer.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/ShellTest.h"
#include "tests/app/coordsys/CoordsysTest.h"

namespace shelltest {
namespace {

// Every WM_GPS_POSITION notice a watched window received: its name, its kind
// and the fix's status.
std::vector<std::string> g_notices;
std::map<HWND, std::pair<std::string, WNDPROC>> g_watched;

LRESULT NoticeWatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto& [name, proc] = g_watched[hwnd];
    if (message == WM_GPS_POSITION) {
        const auto* fix = reinterpret_cast<const SurveyRecord*>(wParam);
        const std::string kind = lParam == kGpsPositionStatus ? "status" : std::to_string(lParam);
        g_notices.push_back(name + ":" + kind + ":" +
                            (fix ? quorvel::ToUtf8(fix->strStatus) : std::string("-")));
    }
    return CallWindowProc(proc, hwnd, message, wParam, lParam);
}

void Watch(HWND hwnd, const std::string& name) {
    g_watched[hwnd] = {name, reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_WNDPROC))};
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoticeWatch));
}

class TimerFlowTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/coordsys/ref");
        g_notices.clear();
        g_watched.clear();
    }
    void TearDown() override {
        ShellTest::TearDown();
        g_watched.clear();
    }
    // The frame running, with a screen registered beside the two panes,
    // every pane watched and the silence counted from now.
    CMainFrame* Run() {
        CMainFrame* frame = StartAndSettle();
        m_screen.CreateEx(0, AfxRegisterWndClass(0), L"screen", WS_CHILD, 0, 0, 10, 10,
                          frame->m_hWnd, nullptr);
        frame->SetViewWnd(m_screen.m_hWnd);
        Watch(m_screen.m_hWnd, "screen");
        Watch(frame->m_hGraphView, "plan");
        Watch(frame->m_hDataView, "data");
        frame->m_nNoDataTicks = 0;
        return frame;
    }
    void Seconds(int n) {
        for (int i = 0; i < n; ++i) Advance(1000);
    }

    CWnd m_screen;
};

using Notices = std::vector<std::string>;

TEST_F(TimerFlowTest, TenSilentSecondsGiveOneNoticeToEachScreen) {
    CMainFrame* frame = Run();
    frame->m_fix.dLat = 30.5;
    frame->m_fix.nSatsUsed = 9;
    frame->m_fix.strStatus = L"FIXED";
    Doc().m_bGpsData = 1;
    g_gpsComm.m_nBusy = 1;
    Seconds(10);
    EXPECT_TRUE(g_notices.empty());
    Seconds(1);
    EXPECT_EQ(g_notices,
              (Notices{"screen:status:NODATA", "plan:status:NODATA", "data:status:NODATA"}));
    EXPECT_EQ(frame->m_fix.dLat, 0.0);
    EXPECT_EQ(frame->m_fix.nSatsUsed, 0);
    EXPECT_EQ(frame->m_fix.nHour, 8);
    EXPECT_EQ(Doc().m_bGpsData, 0);
    EXPECT_EQ(g_gpsComm.m_nBusy, 0);
    // One notice per silence.
    Seconds(60);
    EXPECT_EQ(g_notices.size(), 3u);
    // A receiver message starts the count again.
    frame->m_nNoDataTicks = 0;
    Seconds(11);
    EXPECT_EQ(g_notices.size(), 6u);

    // The plan view as the current screen hears it once.
    g_notices.clear();
    frame->SetViewWnd(frame->m_hGraphView);
    frame->m_nNoDataTicks = 0;
    Seconds(11);
    EXPECT_EQ(g_notices, (Notices{"plan:status:NODATA", "data:status:NODATA"}));
}

TEST_F(TimerFlowTest, AGsmConnectRequestWaitsAMinute) {
    CMainFrame* frame = Run();
    // A link that starts clears the busy word: the request must come after
    // the link-start list has gone out. The clock moves only while the
    // reader sleeps on it: time moved before the reader has begun to wait
    // passes it by, and its pauses would then wait for a clock nobody moves.
    ASSERT_TRUE(RunLinkToItsReadLoop());
    // It is past the clearing once it waits for its first byte.
    ASSERT_TRUE(quorvel::testing::WaitUntil(
        [] { return g_gpsComm.m_bRunning.load() && quorvel::VirtualClockWaiterCount() > 0; },
        "the link's reader waiting for its first byte", quorvel::testing::kWaitMs,
        [] {
            quorvel::win::ServeSentMessages();
            Sleep(0);
        }));
    g_notices.clear();
    Doc().m_sysParams.nLinkMode = 0;
    g_gpsComm.m_nBusy = 1;
    g_gpsComm.m_bNetConnectReq = 1;
    frame->m_nNoDataTicks = 0;
    Seconds(60);
    EXPECT_TRUE(g_notices.empty());
    Seconds(1);
    EXPECT_EQ(g_notices.size(), 3u);
    EXPECT_EQ(g_gpsComm.m_nBusy, 0);  // the request is given up

    // The limit falls from 60 to 10 with the count at 30: no notice until a
    // receiver message has started the count again.
    g_notices.clear();
    frame->m_nNoDataTicks = 0;
    g_gpsComm.m_nBusy = 1;
    Seconds(30);
    g_gpsComm.m_nBusy = 0;
    Seconds(60);
    EXPECT_TRUE(g_notices.empty());
    frame->m_nNoDataTicks = 0;
    Seconds(11);
    EXPECT_EQ(g_notices.size(), 3u);

    // GPRS: the connect request does not lengthen the wait.
    g_notices.clear();
    Doc().m_sysParams.nLinkMode = 1;
    g_gpsComm.m_nBusy = 1;
    frame->m_nNoDataTicks = 0;
    Seconds(11);
    EXPECT_EQ(g_notices.size(), 3u);
    g_gpsComm.m_bNetConnectReq = 0;
}

TEST_F(TimerFlowTest, TheSilenceAsksAnOpenReceiverTwiceToResume) {
    CMainFrame* frame = Run();
    // The port opened on this thread, without a reader: nothing but the
    // watchdog writes to the receiver afterwards.
    g_gpsComm.Close();
    g_gpsComm.SetPortParams(1, 1, 57600, 'N', 8, 1);
    ASSERT_TRUE(g_gpsComm.Open());
    char buffer[4096];
    while (m_receiver.Read(buffer, sizeof buffer, 100) > 0) {
    }
    frame->m_nNoDataTicks = 0;
    Seconds(71);
    std::string sent;
    for (size_t n; (n = m_receiver.Read(buffer, sizeof buffer, 200)) > 0;) sent.append(buffer, n);
    EXPECT_EQ(sent, std::string("\x24\x35\xCA\x01\x00\x00\xDA\x24\x35\xCA\x01\x00\x00\xDA", 14));
}

TEST_F(TimerFlowTest, TheMeridianPromptComesOncePerRunUntilTheProjectionChanges) {
    CMainFrame* frame = Run();
    Doc().m_coordParams.szdCenter = 114.0;
    frame->m_fix.dLon = 119.0;  // within five degrees
    Seconds(2);
    EXPECT_EQ(g_pMeridianErrorDlg, nullptr);
    frame->m_fix.dLon = -120.5;  // west: never
    Seconds(2);
    EXPECT_EQ(g_pMeridianErrorDlg, nullptr);
    frame->m_fix.dLon = 120.5;
    Seconds(1);
    ASSERT_NE(g_pMeridianErrorDlg, nullptr);
    const HWND prompt = g_pMeridianErrorDlg->m_hWnd;
    EXPECT_EQ(::GetParent(prompt), nullptr);  // top-level, no owner
    EXPECT_TRUE(::IsWindowVisible(prompt));
    EXPECT_EQ(coordsystest::ItemText(prompt, IDC_ALARM_TEXT), L"中央子午线设置错误\r\n请重新设置!");
    coordsystest::Gallery gallery;
    gallery.Add(prompt, "meridian");

    // Every tick gives it the focus back; Escape does not close it.
    frame->SetFocus();
    Seconds(1);
    EXPECT_TRUE(prompt == ::GetFocus() || ::IsChild(prompt, ::GetFocus()));
    Key(VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(prompt));
    EXPECT_EQ(g_pMeridianErrorDlg->m_hWnd, prompt);
    // Enter presses its button: closed for good.
    Key(VK_RETURN);
    EXPECT_FALSE(::IsWindow(prompt));
    EXPECT_EQ(g_pMeridianErrorDlg, nullptr);
    EXPECT_EQ(Doc().m_bMeridianAlarmOff, 1);
    Seconds(5);
    EXPECT_EQ(g_pMeridianErrorDlg, nullptr);

    // Four- and seven-parameter prompts, both at once.
    Doc().m_coordParams.nDifang = 1;
    Doc().m_coordParams.szdCk1 = 0.95;
    Doc().m_coordParams.nSevenPar = 1;
    Doc().m_coordParams.szdWx = 0.00028;
    Seconds(1);
    EXPECT_EQ(g_pFourParamErrorDlg, nullptr);
    EXPECT_EQ(g_pSevenParamErrorDlg, nullptr);
    Doc().m_coordParams.szdCk1 = 1.05;
    Seconds(1);
    EXPECT_EQ(g_pFourParamErrorDlg, nullptr);
    Doc().m_coordParams.szdCk1 = 0.9499;
    Seconds(1);
    ASSERT_NE(g_pFourParamErrorDlg, nullptr);
    gallery.Add(g_pFourParamErrorDlg->m_hWnd, "four parameters");
    Doc().m_coordParams.szdWz = -0.0003;
    Seconds(1);
    ASSERT_NE(g_pSevenParamErrorDlg, nullptr);
    EXPECT_NE(g_pFourParamErrorDlg, nullptr);
    gallery.Add(g_pSevenParamErrorDlg->m_hWnd, "seven parameters");
    gallery.Check("alarm_prompts");
    EXPECT_EQ(coordsystest::ItemText(g_pSevenParamErrorDlg->m_hWnd, IDOK), L"确定");
    EXPECT_EQ(coordsystest::ItemText(g_pFourParamErrorDlg->m_hWnd, IDOK), L"退出");
    const HWND seven = g_pSevenParamErrorDlg->m_hWnd;
    ::SendMessage(seven, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(g_pSevenParamErrorDlg, nullptr);
    EXPECT_EQ(Doc().m_bSevenParAlarmOff, 1);
    Seconds(1);
    EXPECT_EQ(g_pSevenParamErrorDlg, nullptr);
    // The four-parameter prompt is still up when the frame goes: it goes too.
    EXPECT_NE(g_pFourParamErrorDlg, nullptr);
    const HWND four = g_pFourParamErrorDlg->m_hWnd;
    frame->DestroyWindow();
    Pump();
    EXPECT_FALSE(::IsWindow(four));
    EXPECT_EQ(g_pFourParamErrorDlg, nullptr);
}

}  // namespace
}  // namespace shelltest
