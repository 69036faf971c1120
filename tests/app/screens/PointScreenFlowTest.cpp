// The point-measuring screen in the running program, fixes handed to it as
// the frame posts them on the virtual clock: its looks (first fix, each
// status word, a repaint of the job's points), the incremental plan that
// leaves no trail, the plan's edge cases, the store roads with their
// dialogs answered, automatic collection by time and by distance, and the
// data files a surveyor may bring along.
#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/FrameMessages.h"
#include "app/link/InfoDisplayDlg.h"
#include "app/screens/ScreenStore.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/Printers.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/screens/ScreensTest.h"

namespace screenstest {
namespace {

using quorvel::gdi::CaptureWindow;
using quorvel::gdi::Image;
using quorvel::testing::ExpectMatchesReference;

void NoChange(SystemParams&) {}

class PointScreenFlowTest : public ScreensTest {
  protected:
    CDialogViewSavePoint* Start(void (*change)(SystemParams&) = NoChange) {
        StartWith(change);
        CDialogViewSavePoint* screen = OpenPointScreen();
        EXPECT_NE(screen, nullptr);
        return screen;
    }
    void Click(CDialogViewSavePoint* screen, int id) {
        screen->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(screen->GetDlgItem(id)->m_hWnd));
        Pump();
    }
    // A key as the keyboard gives it, to the screen's hidden default button.
    void ScreenKey(CDialogViewSavePoint* screen, UINT key) {
        screen->m_btnDefault.SetFocus();
        Key(key);
    }
    void WritePoints(const std::string& bytes) { WriteDevice(kPoints, bytes); }
};

std::string TenPoints() {
    std::string text;
    for (int i = 1; i <= 10; ++i) {
        char line[128];
        std::snprintf(line, sizeof line, "P%d,%.3f,%.3f,10.000,C%d,10,\r\n", i, 5400000.0 + i * 3.0,
                      668000.0 + i * 4.0, i);
        text += line;
    }
    return text;
}

TEST_F(PointScreenFlowTest, TheLooksOfTheFirstFixInPlaneThenGeodeticValues) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    Frame()->m_fBinSigma = 0.0125f;
    Doc().m_nRadioChannel = 2;
    SurveyRecord fix = FixAt(5416504.1234, 668415.5678, 10, 0, 4.0);
    fix.nAux = 2;
    // The first fix loads the job's points and repaints; the next one at
    // the same place shows the stationary marker.
    Feed(fix);
    Feed(fix);
    EXPECT_EQ(screen->m_strX, CString(L"5416504.123"));
    EXPECT_EQ(screen->m_strY, CString(L"668415.568"));
    EXPECT_EQ(screen->m_strH, CString(L"466.500"));
    EXPECT_EQ(screen->m_strName, Doc().m_strPointName);
    EXPECT_EQ(screen->m_strStatus, CString(L"(9)固定解"));
    EXPECT_EQ(screen->m_strRms, CString(L"0.013"));
    EXPECT_EQ(screen->m_strPdop, CString(L"1.100"));
    EXPECT_EQ(Doc().m_bGgaSeen, 1);
    ASSERT_EQ(screen->m_marker.GetSize(), 1);  // the stationary marker at the centre
    EXPECT_EQ(screen->m_marker[0], screen->Mapping().ToScreen(fix.dX, fix.dY));
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "first_fix_plane");

    ScreenKey(screen, '6');
    EXPECT_EQ(Doc().m_nCoordDisplay, 1);
    Feed(fix);
    EXPECT_EQ(screen->m_strH, CString(L"512.250"));
    EXPECT_NE(screen->m_strX.Find(L"48"), -1) << quorvel::ToUtf8(screen->m_strX);
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "first_fix_geodetic");
    ScreenKey(screen, VK_F6);
    EXPECT_EQ(Doc().m_nCoordDisplay, 0);

    // '5' turns the position feed and the translated status back on.
    Doc().m_bPositionFeed = 0;
    Doc().m_bStatusInChinese = 0;
    ScreenKey(screen, '5');
    EXPECT_EQ(Doc().m_bPositionFeed, 1);
    EXPECT_EQ(Doc().m_bStatusInChinese, 1);
}

TEST_F(PointScreenFlowTest, TheLooksOfTheStatusWords) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    Feed(FixAt(5416504.0, 668415.0));
    EXPECT_TRUE(screen->m_bHaveFix);
    SendStatus(L"NODATA");
    EXPECT_EQ(screen->m_strStatus, CString(L"脱机状态"));
    EXPECT_FALSE(screen->m_bHaveFix);
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "no_data");
    SendStatus(L"FINDRADIO");
    EXPECT_EQ(screen->m_strStatus, CString(L"搜索电台..."));
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "searching_radio");
    SendStatus(L"FIND");
    EXPECT_EQ(screen->m_strStatus, CString(L"搜索完毕"));
    // No fix meanwhile: the store button says so and opens nothing.
    m_modals->ExpectMessageBox(L"当前没有接收数据,不能采集数据").Answer(IDOK);
    Click(screen, IDC_SP_STORE);
    EXPECT_FALSE(IsFile(kPoints));
}

TEST_F(PointScreenFlowTest, TheLooksOfARepaintShowingTheLastThreeOfTenPointsByCode) {
    WriteDevice(kPoints, TenPoints());
    CDialogViewSavePoint* screen = Start([](SystemParams& p) {
        p.nShowSurveyPoint = 3;
        p.nDisplayType = 1;
    });
    ASSERT_NE(screen, nullptr);
    Feed(FixAt(5400016.5, 668022.0));
    ASSERT_EQ(screen->m_points.GetSize(), 10);
    ASSERT_EQ(screen->m_screenPoints.GetSize(), 3);
    EXPECT_EQ(screen->m_screenPoints[0].m_strName, CString(L"P8"));
    EXPECT_EQ(screen->m_screenPoints[2].m_strCode, CString(L"C10"));
    // Zoomed to all ten: the larger of 27 m over the height and 36 m over
    // the width, centred on them.
    const CRect draw = screen->m_rcDraw;
    EXPECT_DOUBLE_EQ(screen->m_dScale, std::max(27.0 / draw.Height(), 36.0 / draw.Width()));
    EXPECT_DOUBLE_EQ(screen->m_dCentreN, 5400016.5);
    ExpectMatchesReference(CaptureWindow(screen->m_hWnd), "repaint_last_three_by_code");

    // All of them (-1, and below -1 alike); none at 0.
    for (int count : {-1, -7, 0}) {
        Doc().m_sysParams.nShowSurveyPoint = count;
        screen->Invalidate();
        Pump();
        EXPECT_EQ(screen->m_screenPoints.GetSize(), count == 0 ? 0 : 10) << count;
    }
}

// Inverted drawing removes each marker before the next: after fifty fixes
// along a curve the plan differs from a fresh repaint only where the last
// marker, the link bars and the fix time are.
TEST_F(PointScreenFlowTest, FiftyFixesLeaveNoTrailOnThePlan) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    SurveyRecord fix;
    for (int i = 0; i < 50; ++i) {
        fix = FixAt(5416500.0 + 8.0 * std::sin(i * 0.2), 668400.0 + 0.6 * i, 10, 0, i);
        fix.nAux = 2;
        Feed(fix);
    }
    ASSERT_EQ(screen->m_marker.GetSize(), 4);
    CRect allowed;
    for (int i = 0; i < screen->m_marker.GetSize(); ++i) {
        const CPoint p = screen->m_marker[i];
        allowed |= CRect(p.x - 3, p.y - 3, p.x + 4, p.y + 4);
    }
    const Image live = PlanImage(screen);
    screen->Invalidate();
    Pump();
    const Image fresh = PlanImage(screen);
    ASSERT_EQ(live.width, fresh.width);
    const CRect draw = screen->m_rcDraw;
    const CRect time(draw.left, draw.bottom - 10, draw.left + 50, draw.bottom);
    const CRect link(draw.left - 4, draw.top - 4, draw.left + 48, draw.top + 8);
    int differing = 0;
    for (int y = 0; y < live.height; ++y)
        for (int x = 0; x < live.width; ++x) {
            if (live.At(x, y) == fresh.At(x, y)) continue;
            ++differing;
            const CPoint p(x, y);
            EXPECT_TRUE(allowed.PtInRect(p) || time.PtInRect(p) || link.PtInRect(p))
                << x << "," << y;
            if (HasFailure()) return;
        }
    EXPECT_GT(differing, 0);
    // The repaint keeps no marker; the next fix at the same place shows
    // the stationary one, so a still receiver is never without a marker.
    EXPECT_EQ(screen->m_marker.GetSize(), 0);
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 1);
}

TEST_F(PointScreenFlowTest, ThePlanFollowsItsEdgeCases) {
    WriteDevice(kPoints,
                "ONE,100.000,200.000,5.000,K,\r\nTWO,110.000,220.000,5.000,K,\r\n\r\n"
                "THREE,1.0,2.0,3.0,K,\r\n");
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    // The third line empty: two points.
    Feed(FixAt(105.0, 210.0));
    ASSERT_EQ(screen->m_points.GetSize(), 2);

    // Zoom in stops once scale x 70 is no longer above 0.01.
    for (int i = 0; i < 200; ++i) Click(screen, IDC_SP_ZOOM_IN);
    EXPECT_LE(screen->m_dScale * 70.0, 0.01);
    EXPECT_GT(screen->m_dScale * 70.0 / 0.875, 0.01);
    const double smallest = screen->m_dScale;
    Click(screen, IDC_SP_ZOOM_IN);
    EXPECT_EQ(screen->m_dScale, smallest);
    Click(screen, IDC_SP_ZOOM_OUT);
    EXPECT_EQ(screen->m_dScale, smallest * 2.0);
    for (int i = 0; i < 2000; ++i) Click(screen, IDC_SP_ZOOM_OUT);
    EXPECT_TRUE(std::isfinite(screen->m_dScale));

    // Zoom to all on a single point: 0.01 m a pixel, centred on it.
    screen->m_points.SetSize(1);
    Click(screen, IDC_SP_ZOOM_ALL);
    EXPECT_EQ(screen->m_dScale, 0.01);
    EXPECT_EQ(screen->m_dCentreN, 100.0);
    EXPECT_EQ(screen->m_dCentreE, 200.0);

    // A window zoom drawn in the lower half moves the centre south.
    Click(screen, IDC_SP_ZOOM_WINDOW);
    EXPECT_TRUE(screen->m_bZoomWindow);
    const CRect plan = [&] {
        CRect rc;
        screen->m_plan.GetClientRect(&rc);
        return rc;
    }();
    CRect onScreen;
    screen->GetWindowRect(&onScreen);
    const int x0 = onScreen.left, y0 = onScreen.top;
    quorvel::win::InjectStylus(x0 + 20, y0 + plan.Height() - 30, true);
    Pump();
    quorvel::win::InjectStylus(x0 + 60, y0 + plan.Height() - 10, true);
    Pump();
    EXPECT_EQ(screen->m_ptBand, CPoint(60, plan.Height() - 10));
    quorvel::win::InjectStylus(x0 + 60, y0 + plan.Height() - 10, false);
    Pump();
    EXPECT_FALSE(screen->m_bZoomWindow);
    EXPECT_LT(screen->m_dCentreN, 100.0);
    EXPECT_GE(screen->m_dScale, 0.01);

    // A pan moves the centre with the stylus: north when dragged down.
    const double north = screen->m_dCentreN;
    quorvel::win::InjectStylus(x0 + 100, y0 + 40, true);
    Pump();
    quorvel::win::InjectStylus(x0 + 100, y0 + 50, true);
    Pump();
    quorvel::win::InjectStylus(x0 + 100, y0 + 50, false);
    Pump();
    EXPECT_DOUBLE_EQ(screen->m_dCentreN, north + 10 * screen->m_dScale);

    // Markers: 0.05 m at "SINGLE" (as translated) is still, at a fixed
    // solution an arrow; 0.01 m is still whatever the status.
    screen->m_dScale = 0.01;
    SurveyRecord fix = FixAt(105.0, 210.0);
    fix.strStatus = L"单点解";
    Feed(fix);
    fix.dX += 0.05;
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 1);
    fix.strStatus = L"固定解";
    fix.dX += 0.05;
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 4);
    fix.dX += 0.01;
    Feed(fix);
    EXPECT_EQ(screen->m_marker.GetSize(), 1);
}

TEST_F(PointScreenFlowTest, TheHelpButtonHandsOverItsTextAndTheSecondBOpensTheLibrary) {
    CDialogViewSavePoint* screen = Start();
    ASSERT_NE(screen, nullptr);
    const std::string expected =
        "当前模式:水深测量\n\n按'C'键开始水深测量\n按'D'键停止水深测量\n按'G'键暂停水深测量\n"
        "按'E'键手工水深采集\n按'F'键快速变线\n按'R'键清除布线\n按'A'键保存测量点\n"
        "按'B'两次查看测量点\n按'5'键刷新\n按'H'键放大\n按'L'键缩小\n按'P'键局部缩放\n"
        "按'T'键全图缩放\n\n\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat\n";
    EXPECT_EQ(quorvel::ToUtf8(screen->HelpText()), expected);
    m_modals->ExpectDialog(IDD_INFO_DISPLAY).Key(VK_ESCAPE);
    Click(screen, IDC_SP_HELP);

    // 'B' at :58 and :00 of the next minute: no library; a second press
    // within one minute opens it.
    SYSTEMTIME now;
    GetSystemTime(&now);
    Advance((58 - now.wSecond) * 1000 - now.wMilliseconds);
    ScreenKey(screen, 'B');
    Advance(2000);
    ScreenKey(screen, VK_UP);
    Advance(2000);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_LIB).Key(VK_ESCAPE);
    ScreenKey(screen, VK_PRIOR);
    EXPECT_EQ(m_modals->Pending(), 0);
    // Forgotten afterwards: one press opens nothing.
    ScreenKey(screen, 'B');
}

}  // namespace
}  // namespace screenstest
