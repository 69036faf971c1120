// The information display over the running program: the current screen
// while it is open and the previous one after, the satellites in view
// asked for and given up, each page's read-outs of the position the frame
// broadcasts, the sky plot and the satellite list against reference
// images, the base page's reference point (typed, from the coordinate
// library, from a plan) and base station with its space distance checked
// against an independent computation, and the opener's text lines.
#include <cmath>

#include "app/FrameMessages.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/link/InfoDisplayDlg.h"
#include "app/plan/PickPointDlg.h"
#include "app/shell/MainFrame.h"
#include "platform/gdi/Image.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/link/LinkTest.h"
#include "tests/app/plan/PickPointSupport.h"

namespace linktest {
namespace {

constexpr int kPosition = 0;
constexpr int kSkyPlot = 1;
constexpr int kSatList = 2;
constexpr int kBase = 3;
constexpr int kOther = 4;

// The GSV request's two lines each way (a literal ending in CR LF goes out
// with a second CR LF).
constexpr const char* kGsvOn = "TEXT \"log,gpgsv,ontime,1\\r\\n\"\nTEXT \"\\r\\n\"\n";
constexpr const char* kGsvOff = "TEXT \"unlog,gpgsv\\r\\n\"\nTEXT \"\\r\\n\"\n";

std::vector<std::wstring> SatRows(HWND dialog) {
    const HWND list = ::GetDlgItem(Page(dialog), IDC_INFO_SAT_LIST);
    std::vector<std::wstring> rows;
    const int count = static_cast<int>(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring row;
        for (int column = 0; column < 4; ++column) {
            wchar_t text[32] = {};
            LVITEM item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 32;
            ::SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item));
            row += (column ? L" " : L"") + std::wstring(text);
        }
        rows.push_back(row);
    }
    return rows;
}

SatelliteInfo Sat(int prn, int elevation, int azimuth, int snr) {
    return SatelliteInfo{prn, elevation, azimuth, snr};
}

// A fixed RTK epoch near Hefei on 2026-06-05, with six satellites.
SurveyRecord Epoch() {
    SurveyRecord fix;
    fix.dLat = 31.8501234;
    fix.dLon = 117.2834567;
    fix.dHeight = 45.678;
    fix.dX = 3528000.1234;
    fix.dY = 500123.4567;
    fix.dGridH = 40.1;
    fix.dProjX = 3527990.0;
    fix.dProjY = 500100.0;
    fix.dDop = 1.8;
    fix.strStatus = L"固定解";
    fix.nSatsUsed = 9;
    fix.nSatsInView = 6;
    fix.dVrms = 0.0215;
    fix.dHrms = 0.0123;
    fix.nYear = 2026;
    fix.nMonth = 6;
    fix.nDay = 5;
    fix.nHour = 8;
    fix.nMinute = 30;
    fix.dSecond = 15.75;
    const SatelliteInfo sats[6] = {Sat(2, 75, 30, 45),   Sat(5, 45, 135, 40), Sat(12, 30, 250, 0),
                                   Sat(15, 20, 320, 38), Sat(24, 15, 90, 35), Sat(29, 60, 200, 0)};
    for (int i = 0; i < 6; ++i) fix.sats[i] = sats[i];
    return fix;
}

// WGS84 geodetic to earth-centred, written out here from the textbook
// formula, not taken from the program's engine.
void Ecef(double latDeg, double lonDeg, double h, double xyz[3]) {
    const double a = 6378137.0;
    const double f = 1.0 / 298.257223563;
    const double e2 = f * (2.0 - f);
    const double lat = latDeg * M_PI / 180.0;
    const double lon = lonDeg * M_PI / 180.0;
    const double n = a / std::sqrt(1.0 - e2 * std::sin(lat) * std::sin(lat));
    xyz[0] = (n + h) * std::cos(lat) * std::cos(lon);
    xyz[1] = (n + h) * std::cos(lat) * std::sin(lon);
    xyz[2] = (n * (1.0 - e2) + h) * std::sin(lat);
}

class InfoDisplayTest : public LinkTest {
  protected:
    // The frame's broadcast of a new position: the fix into the frame and
    // the document, posted to the current screen.
    void Broadcast(HWND dialog, const SurveyRecord& fix) {
        Frame()->m_fix = fix;
        Doc().m_curFix = fix;
        ::PostMessage(Frame()->GetViewWnd(), WM_GPS_POSITION,
                      reinterpret_cast<WPARAM>(&Frame()->m_fix), kGpsPositionNew);
        quorvel::testing::PumpDialogMessages(dialog);
    }
    static std::wstring Text(HWND dialog, int id) { return ItemText(Page(dialog), id); }
};

TEST_F(InfoDisplayTest, WhileOpenItIsTheCurrentScreenAndThePositionPageReadsTheEpoch) {
    StartProgram();
    PassFirstNotice();
    // The data view as the screen that was current before.
    const HWND before = Frame()->m_hDataView;
    Frame()->SetViewWnd(before);
    m_modals->ExpectDialog(IDD_INFO_DISPLAY)
        .Do([&](HWND d) {
            EXPECT_EQ(Frame()->GetViewWnd(), d);
            RECT r{};
            ::GetWindowRect(d, &r);
            EXPECT_EQ(r.right - r.left, 240);
            EXPECT_EQ(r.bottom - r.top, 320);
            Broadcast(d, Epoch());
            EXPECT_EQ(Text(d, IDC_INFO_LAT), L"031°51' 00.4442\"");
            EXPECT_EQ(Text(d, IDC_INFO_LON), L"117°17' 00.4441\"");
            EXPECT_EQ(Text(d, IDC_INFO_HEIGHT), L"45.6780");
            EXPECT_EQ(Text(d, IDC_INFO_X), L"3528000.1234");
            EXPECT_EQ(Text(d, IDC_INFO_Y), L"500123.4567");
            EXPECT_EQ(Text(d, IDC_INFO_H), L"40.1000");
            EXPECT_EQ(Text(d, IDC_INFO_PDOP), L"1.80");
            EXPECT_EQ(Text(d, IDC_INFO_STATUS), L"固定解");
            EXPECT_EQ(Text(d, IDC_INFO_SATS), L"9");
            EXPECT_EQ(Text(d, IDC_INFO_VRMS), L"0.0215");
            EXPECT_EQ(Text(d, IDC_INFO_HRMS), L"0.0123");
            EXPECT_EQ(Text(d, IDC_INFO_TIME), L"26-06-05  08:30:15");
            // A status-only notice is read the same way.
            SurveyRecord lost = Epoch();
            lost.strStatus = L"NODATA";
            Frame()->m_fix = lost;
            ::SendMessage(Frame()->GetViewWnd(), WM_GPS_POSITION,
                          reinterpret_cast<WPARAM>(&Frame()->m_fix), kGpsPositionStatus);
            EXPECT_EQ(Text(d, IDC_INFO_STATUS), L"NODATA");
        })
        .Click(IDOK);
    CInfoDisplayDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Frame()->GetViewWnd(), before);
    // Asked for once; given up on OK and again as the window goes.
    ASSERT_TRUE(WaitForSent(6));
    EXPECT_EQ(Sent(), std::string(kGsvOn) + kGsvOff + kGsvOff);
}

// The position page's value cells are fixed in the template: each value at
// its widest lies wholly in its cell, in the cell's own font.
TEST_F(InfoDisplayTest, ThePositionPagesWidestValuesFitTheirCells) {
    StartProgram();
    PassFirstNotice();
    SurveyRecord widest = Epoch();
    widest.dLat = -(89 + 59.0 / 60 + 59.99994 / 3600);
    widest.dLon = -(179 + 59.0 / 60 + 59.99994 / 3600);
    widest.dHeight = -9999.9999;
    widest.dX = -5416541.9081;
    widest.dY = -38668324.0731;
    widest.dGridH = -9999.9999;
    widest.dDop = 99.99;
    widest.strStatus = L"基站状态";
    widest.nSatsUsed = 24;
    widest.dVrms = 999.9999;
    widest.dHrms = 999.9999;
    widest.nYear = 2099;
    widest.nMonth = 12;
    widest.nDay = 31;
    widest.nHour = 23;
    widest.nMinute = 59;
    widest.dSecond = 59.99;
    m_modals->ExpectDialog(IDD_INFO_DISPLAY)
        .Do([&](HWND d) {
            Broadcast(d, widest);
            EXPECT_EQ(Text(d, IDC_INFO_LON), L"-179°59' 59.9999\"");
            for (int id : {IDC_INFO_LAT, IDC_INFO_LON, IDC_INFO_HEIGHT, IDC_INFO_X, IDC_INFO_Y,
                           IDC_INFO_H, IDC_INFO_PDOP, IDC_INFO_STATUS, IDC_INFO_SATS, IDC_INFO_VRMS,
                           IDC_INFO_HRMS, IDC_INFO_TIME}) {
                const HWND cell = ::GetDlgItem(Page(d), id);
                const std::wstring text = Text(d, id);
                RECT client{};
                ::GetClientRect(cell, &client);
                const HDC dc = ::GetDC(cell);
                const HGDIOBJ old = ::SelectObject(
                    dc, reinterpret_cast<HGDIOBJ>(::SendMessage(cell, WM_GETFONT, 0, 0)));
                SIZE extent{};
                ::GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
                ::SelectObject(dc, old);
                ::ReleaseDC(cell, dc);
                EXPECT_LE(extent.cx, client.right) << id;
                EXPECT_FALSE(text.empty()) << id;
            }
        })
        .Click(IDOK);
    CInfoDisplayDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(InfoDisplayTest, TheSkyPlotAndTheSatelliteListShowTheSatellitesInView) {
    StartProgram([](SystemParams& p) { p.nGAngle = 10; });
    PassFirstNotice();
    m_modals->ExpectDialog(IDD_INFO_DISPLAY)
        .Do([&](HWND d) {
            TapTab(d, kSkyPlot);
            Broadcast(d, Epoch());
            // PRN 24 at 15 degrees lies outside the rim and is not drawn.
            const quorvel::gdi::Image sky = quorvel::gdi::CaptureWindow(d);
            quorvel::testing::ExpectMatchesReference(sky, "info_sky_plot");
            // A change of SNR alone leaves the plot as it is.
            SurveyRecord stronger = Epoch();
            stronger.sats[2].nSnr = 33;
            Broadcast(d, stronger);
            EXPECT_TRUE(quorvel::gdi::CaptureWindow(d).pixels == sky.pixels);

            TapTab(d, kSatList);
            EXPECT_EQ(SatRows(d), std::vector<std::wstring>{});
            Broadcast(d, Epoch());
            EXPECT_EQ(SatRows(d), (std::vector<std::wstring>{L"02 75 030 45", L"05 45 135 40",
                                                             L"12 30 250 00", L"15 20 320 38",
                                                             L"24 15 090 35", L"29 60 200 00"}));
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(d),
                                                     "info_sat_list");
            Broadcast(d, stronger);
            EXPECT_EQ(SatRows(d)[2], L"12 30 250 33");

            // Thirteen in view: no satellite on either page.
            SurveyRecord crowded = Epoch();
            crowded.nSatsInView = 13;
            crowded.sats[0].nAzimuth = 31;
            Broadcast(d, crowded);
            EXPECT_EQ(SatRows(d), std::vector<std::wstring>{});
            TapTab(d, kSkyPlot);
            Broadcast(d, crowded);
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(d),
                                                     "info_sky_plot_none");
        })
        .Click(IDOK);
    CInfoDisplayDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(InfoDisplayTest, TheBasePageMeasuresToItsReferencePointAndToTheBaseStation) {
    StartProgram();
    PassFirstNotice();
    CoordSysParams& params = Doc().m_coordParams;
    params.szdBaseX = 3527000.0;
    params.szdBaseY = 499000.0;
    params.szdBaseH = 30.5;
    Doc().m_calibKnown[0] = CVendropDoc::KnownPoint{3527001.25, 499002.5, 31.75, 0.0};
    ASSERT_TRUE(apptest::WriteJobLibrary(L"lib", L"0,K1,3528100.5,500200.25,12.5,\r\n" +
                                                     plantest::PickLibraryRows({PointRecord{
                                                         L"P7", 3527900.0, 500000.0, 8.0, L""}})));
    SurveyRecord fix = Epoch();
    fix.dBaseLat = 31.8;
    fix.dBaseLon = 117.25;
    fix.dBaseH = 20.0;
    fix.strDiffFormat = L"RTCM3";
    fix.strBaseId = L"0815";
    m_modals->ExpectDialog(IDD_INFO_DISPLAY)
        .Do([&](HWND d) {
            TapTab(d, kBase);
            EXPECT_EQ(Text(d, IDC_INFO_BASE_X), L"0.0000");
            EXPECT_EQ(Text(d, IDC_INFO_BASE_LAT), L"");
            // No base position yet: the base values stay as they are.
            Broadcast(d, Epoch());
            EXPECT_EQ(Text(d, IDC_INFO_BASE_X), L"0.0000");
            EXPECT_EQ(Text(d, IDC_INFO_REF_DISTANCE), L"");

            Broadcast(d, fix);
            EXPECT_EQ(Text(d, IDC_INFO_BASE_LAT), L"031°48' 00.0000\"");
            EXPECT_EQ(Text(d, IDC_INFO_BASE_LON), L"117°15' 00.0000\"");
            EXPECT_EQ(Text(d, IDC_INFO_BASE_HEIGHT), L"20.0000");
            EXPECT_EQ(Text(d, IDC_INFO_BASE_X), L"3527000.0000");
            EXPECT_EQ(Text(d, IDC_INFO_BASE_Y), L"499000.0000");
            EXPECT_EQ(Text(d, IDC_INFO_BASE_H), L"30.5000");
            EXPECT_EQ(Text(d, IDC_INFO_KNOWN_X), L"3527001.2500");
            EXPECT_EQ(Text(d, IDC_INFO_KNOWN_Y), L"499002.5000");
            EXPECT_EQ(Text(d, IDC_INFO_KNOWN_H), L"31.7500");
            // From (3527990, 500100) to the base: 990 m south, 1100 m west,
            // 228.0127875 degrees.
            EXPECT_EQ(Text(d, IDC_INFO_PLANE_DISTANCE), L"1479.8986");
            EXPECT_EQ(Text(d, IDC_INFO_PLANE_AZIMUTH), L"228°00' 46.0350\"");
            double base[3];
            double rover[3];
            Ecef(fix.dBaseLat, fix.dBaseLon, fix.dBaseH, base);
            Ecef(fix.dLat, fix.dLon, fix.dHeight, rover);
            const double space = std::sqrt((base[0] - rover[0]) * (base[0] - rover[0]) +
                                           (base[1] - rover[1]) * (base[1] - rover[1]) +
                                           (base[2] - rover[2]) * (base[2] - rover[2]));
            EXPECT_NEAR(std::wcstod(Text(d, IDC_INFO_SPACE_DISTANCE).c_str(), nullptr), space,
                        1e-4);
            EXPECT_EQ(Text(d, IDC_INFO_DIFF_FORMAT), L"RTCM3(0815)");

            // A reference point typed in.
            ::SendMessage(::GetDlgItem(Page(d), IDC_INFO_REF_CHECK), BM_CLICK, 0, 0);
            quorvel::testing::PumpDialogMessages(d);
            Broadcast(d, fix);
            EXPECT_EQ(Text(d, IDC_INFO_REF_DISTANCE), L"100.0000");
            EXPECT_EQ(Text(d, IDC_INFO_REF_AZIMUTH), L"360°00' 00.0000\"");
            // From the coordinate library, then from a plan.
            for (int pick = 0; pick < 2; ++pick) {
                ::SendMessage(::GetDlgItem(Page(d), IDC_INFO_REF_CHECK), BM_CLICK, 0, 0);
                ::SendMessage(::GetDlgItem(Page(d), IDC_INFO_REF_CHECK), BM_CLICK, 0, 0);
                quorvel::testing::PumpDialogMessages(d);
                Broadcast(d, fix);
            }
            EXPECT_EQ(Text(d, IDC_INFO_REF_DISTANCE), L"158.9536");
            EXPECT_EQ(Text(d, IDC_INFO_REF_AZIMUTH), L"230°57' 28.5947\"");
            // The ticked box cleared: no distance.
            ::SendMessage(::GetDlgItem(Page(d), IDC_INFO_REF_CHECK), BM_CLICK, 0, 0);
            Broadcast(d, fix);
            EXPECT_EQ(Text(d, IDC_INFO_REF_DISTANCE), L"");
            EXPECT_EQ(Text(d, IDC_INFO_REF_AZIMUTH), L"");
        })
        .Click(IDOK);
    // The typed point: 100 m north of the fix; a bad number first.
    m_modals->ExpectDialog(IDD_REF_POINT)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_REF_NAME), L"PT"); })
        .SetText(IDC_REF_NORTH, L"3528100.1234x")
        .Click(IDOK)
        .SetText(IDC_REF_NORTH, L"3528100.1234")
        .SetText(IDC_REF_EAST, L"500123.4567")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字。").Answer(IDOK);
    // The library's row K1.
    m_modals->ExpectDialog(IDD_REF_POINT)
        .Click(IDC_REF_LIBRARY)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_REF_NAME), L"K1");
            EXPECT_EQ(ItemText(d, IDC_REF_NORTH), L"3528100.5");
        })
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    // The plan's point P7: 100.1234 m south and 123.4567 m west of the fix.
    m_modals->ExpectDialog(IDD_REF_POINT)
        .Click(IDC_REF_PICK)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_REF_NAME), L"P7");
            EXPECT_EQ(ItemText(d, IDC_REF_HEIGHT), L"8");
        })
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(1)).Click(IDOK);
    CInfoDisplayDlg dlg(Frame());
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // The engine has the job's ellipsoid back.
    double a = 0.0;
    double invF = 0.0;
    Doc().m_coordTransform.GetEllipsoid(a, invF);
    EXPECT_EQ(a, params.szdDa);
    EXPECT_EQ(invF, params.szdDf);
}

TEST_F(InfoDisplayTest, TheLastPageShowsTheOpenersLinesAndIsNotRefreshed) {
    StartProgram();
    PassFirstNotice();
    m_modals->ExpectDialog(IDD_INFO_DISPLAY)
        .Do([&](HWND d) {
            TapTab(d, kOther);
            Broadcast(d, Epoch());
            EXPECT_EQ(Text(d, IDC_INFO_LINE1), L"点名: P12");
            EXPECT_EQ(Text(d, IDC_INFO_LINE2), L"");
            EXPECT_EQ(Text(d, IDC_INFO_LINE3), L"距离: 12.345");
            EXPECT_EQ(Text(d, IDC_INFO_LINE15), L"line 15");
            TapTab(d, kPosition);
            EXPECT_EQ(Text(d, IDC_INFO_LAT), L"") << "only the page on top was refreshed";
        })
        .Click(IDOK);
    CInfoDisplayDlg dlg(Frame());
    dlg.m_strOtherText = L"点名: P12\n\n距离: 12.345";
    for (int k = 4; k <= 16; ++k)
        dlg.m_strOtherText += L"\nline " + CString(std::to_wstring(k).c_str());
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

}  // namespace
}  // namespace linktest
