// The parameter commands in the running program: Cancel leaves everything
// as it was; OK stores the values in the record's units, re-arms the
// alarm, refreshes the base point where the projection changed, rewrites
// the .par and converts the next positions with what was set; the
// control-point library's results by their kinds; the antenna height and
// the time zone in the .ini.
#include <cmath>

#include "app/libraries/CtrlPointLibDlg.h"
#include "tests/app/commands/JobTestSupport.h"

namespace commandstest {
namespace {

constexpr LPCTSTR kRuvo = L"\\Flash Disk\\Jobs\\ruvo\\";
constexpr LPCTSTR kPar = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par";

void NoChange(SystemParams&) {}

class ParamCommandsTest : public JobTest {
  protected:
    void SetAlarmsOff() {
        Doc().m_bMeridianAlarmOff = Doc().m_bSevenParAlarmOff = Doc().m_bFourParAlarmOff = 1;
    }
    // The central meridian of the site's zone through the projection
    // command: 3 degrees.
    void UseZoneOfTheSite() {
        m_modals->ExpectDialog(IDD_PROJECTION).SetText(IDC_PROJ_CENTER, L"3").Click(IDOK);
        Command(ID_PARAM_PROJECTION);
    }
    std::string ParLine(const std::string& key) const {
        const std::string bytes = ReadDevice(kPar);
        const size_t at = bytes.find("\r\n" + key + "=");
        if (at == std::string::npos) return "<none>";
        return bytes.substr(at + 2, bytes.find("\r\n", at + 2) - at - 2);
    }
};

TEST_F(ParamCommandsTest, CancelLeavesTheRecordTheAlarmsAndTheFileAsTheyWere) {
    StartOnJob(NoChange);
    UseZoneOfTheSite();
    SetAlarmsOff();
    const std::string par = ReadDevice(kPar);
    const double baseX = Doc().m_coordParams.szdBaseX;
    const struct {
        UINT command;
        UINT dialog;
        int edit;
    } kDialogs[] = {
        {ID_PARAM_ELLIPSOID, IDD_ELLIPSOID, IDC_ELLIPSOID_A},
        {ID_PARAM_PROJECTION, IDD_PROJECTION, IDC_PROJ_CENTER},
        {ID_PARAM_SEVEN, IDD_SEVEN_PARAM, IDC_PARAM_DX},
        {ID_PARAM_FOUR, IDD_FOUR_PARAM, IDC_PARAM_DX},
        {ID_PARAM_CORRECTION, IDD_CORRECTION_PARAM, IDC_CORRECTION_X},
        {ID_PARAM_HEIGHT_FIT, IDD_HEIGHT_FIT, IDC_FIT_A0},
    };
    for (const auto& d : kDialogs) {
        Doc().m_curFix.dBaseLat = 30.0;  // a base point refreshed now would move
        m_modals->ExpectDialog(d.dialog).SetText(d.edit, L"7").Click(IDCANCEL);
        Command(d.command);
        EXPECT_EQ(ReadDevice(kPar), par) << d.command;
        EXPECT_TRUE(Doc().m_bMeridianAlarmOff && Doc().m_bSevenParAlarmOff &&
                    Doc().m_bFourParAlarmOff)
            << d.command;
        EXPECT_EQ(Doc().m_coordParams.szdBaseX, baseX) << d.command;
        EXPECT_NEAR(Doc().m_coordParams.szdCenter, 3.0, 1e-9) << d.command;
    }
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(ParamCommandsTest, OkStoresTheValuesInTheRecordsUnitsAndReArmsTheAlarm) {
    StartOnJob(NoChange);
    SetAlarmsOff();
    // Projection: meridian and base latitude as packed ddd.mmss.
    m_modals->ExpectDialog(IDD_PROJECTION)
        .SetText(IDC_PROJ_CENTER, L"2.3000")
        .SetText(IDC_PROJ_BASE_LAT, L"0.3000")
        .SetText(IDC_PROJ_Y_CONST, L"400000")
        .Click(IDOK);
    Command(ID_PARAM_PROJECTION);
    const CoordSysParams& p = Doc().m_coordParams;
    // Through radians with pi taken as 3.1415926535897.
    EXPECT_NEAR(p.szdCenter, 2.5, 1e-9);
    EXPECT_NEAR(p.szdTlon, 0.5, 1e-9);
    EXPECT_EQ(p.szlTy, 400000);
    EXPECT_FALSE(Doc().m_bMeridianAlarmOff);
    EXPECT_TRUE(Doc().m_bSevenParAlarmOff && Doc().m_bFourParAlarmOff);
    EXPECT_EQ(ParLine("szdCenter"), "szdCenter=2.5000000000");

    // Seven parameters: rotations in arc-seconds, the scale in ppm.
    m_modals->ExpectDialog(IDD_SEVEN_PARAM)
        .SetText(IDC_PARAM_DX, L"-12.5")
        .SetText(IDC_PARAM_WX, L"1.0")
        .SetText(IDC_PARAM_WZ, L"-3")
        .SetText(IDC_PARAM_K, L"2")
        .Click(IDOK);
    Command(ID_PARAM_SEVEN);
    EXPECT_EQ(p.szddx, -12.5);
    EXPECT_EQ(p.szdWx, 4.848136811095216e-6);
    EXPECT_EQ(p.szdWz, -3 * 4.848136811095216e-6);
    EXPECT_EQ(p.szddK, 2e-6);
    EXPECT_EQ(p.nSevenPar, 0);
    EXPECT_FALSE(Doc().m_bSevenParAlarmOff);
    EXPECT_EQ(ParLine("szdWx"), "szdWx=0.0000048481");
    EXPECT_EQ(ParLine("szddK"), "szddK=0.0000020000");

    // Four parameters: the rotation as packed ddd.mmss, 0 deg 30 min.
    m_modals->ExpectDialog(IDD_FOUR_PARAM)
        .Click(IDC_PARAM_ENABLE)
        .SetText(IDC_PARAM_DX, L"100.25")
        .SetText(IDC_FOUR_ROTATION, L"0.3000")
        .SetText(IDC_PARAM_K, L"1.0001")
        .Click(IDOK);
    Command(ID_PARAM_FOUR);
    EXPECT_EQ(p.nDifang, 1);
    EXPECT_EQ(p.szdCx1, 100.25);
    EXPECT_NEAR(p.szdCa1, 0.008726646259971, 1e-12);
    EXPECT_EQ(p.szdCk1, 1.0001);
    EXPECT_FALSE(Doc().m_bFourParAlarmOff);
    EXPECT_EQ(ParLine("szdCa1"), "szdCa1=0.0087266463");

    m_modals->ExpectDialog(IDD_CORRECTION_PARAM)
        .SetText(IDC_CORRECTION_X, L"0.012")
        .SetText(IDC_CORRECTION_Y, L"-0.034")
        .SetText(IDC_CORRECTION_H, L"0.5")
        .Click(IDOK);
    Command(ID_PARAM_CORRECTION);
    EXPECT_EQ(p.szdCorrectionX, 0.012);
    EXPECT_EQ(p.szdCorrectionY, -0.034);
    EXPECT_EQ(p.szdCorrectionH, 0.5);
    EXPECT_EQ(p.UseNum, 0);

    m_modals->ExpectDialog(IDD_HEIGHT_FIT)
        .Click(IDC_PARAM_ENABLE)
        .SetText(IDC_FIT_A0, L"1.5")
        .SetText(IDC_FIT_A5, L"-2e-7")
        .SetText(IDC_FIT_X0, L"5414000")
        .SetText(IDC_FIT_Y0, L"448000")
        .Click(IDOK);
    Command(ID_PARAM_HEIGHT_FIT);
    EXPECT_EQ(p.nNiheMode, 1);
    EXPECT_EQ(p.szdNiheA0, 1.5);
    EXPECT_EQ(p.szdNiheA5, -2e-7);
    EXPECT_EQ(p.szdNiheX0, 5414000.0);
    EXPECT_EQ(p.szdNiheY0, 448000.0);
    EXPECT_EQ(m_modals->Pending(), 0);

    // Everything went to the file.
    const CoordSysParams saved = ReadParams(kRuvo, L"ruvo.par");
    EXPECT_EQ(saved.szdCenter, 2.5);  // ten decimals
    EXPECT_EQ(saved.szddx, -12.5);
    EXPECT_EQ(saved.szdCx1, 100.25);
    EXPECT_EQ(saved.szdCorrectionY, -0.034);
    EXPECT_EQ(saved.szdNiheA0, 1.5);
}

// The projection and the ellipsoid move the base point with them; the
// ellipsoid is taken by the shared engine as well, so that what is
// converted next uses it.
TEST_F(ParamCommandsTest, TheEllipsoidAndTheProjectionMoveTheBasePointAndTheEngine) {
    StartOnJob(NoChange);
    UseZoneOfTheSite();
    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_NEAR(p.szdBaseX, kBaseNorth, 1e-4);
    EXPECT_NEAR(p.szdBaseY, kBaseEast, 1e-4);
    EXPECT_EQ(Doc().m_calibMeasured[0].x, p.szdBaseX);
    EXPECT_EQ(p.szdSy0, p.szdBaseY);

    m_modals->ExpectDialog(IDD_ELLIPSOID).Select(IDC_ELLIPSOID_NAME, 2).Click(IDOK);
    Command(ID_PARAM_ELLIPSOID);
    EXPECT_EQ(p.nCoord, 2);
    EXPECT_EQ(p.szdDa, 6378137.0);
    EXPECT_NEAR(p.szdDf, 298.257223563, 1e-9);
    EXPECT_NEAR(p.szdBaseX, kWgs84BaseNorth, 1e-4);
    EXPECT_NEAR(p.szdBaseY, kWgs84BaseEast, 1e-4);
    EXPECT_NEAR(p.szdBaseH, kLoggedHeight, 1e-6);
    EXPECT_EQ(Doc().m_calibMeasured[0].y, p.szdBaseY);
    EXPECT_EQ(p.szdSx0, p.szdBaseX);
    const CoordSysParams saved = ReadParams(kRuvo, L"ruvo.par");
    EXPECT_NEAR(saved.szdBaseX, kWgs84BaseNorth, 1e-4);
    EXPECT_EQ(saved.szdDa, 6378137.0);
    const SurveyRecord fix = NextFix();
    EXPECT_NEAR(fix.dProjX, kWgs84SiteNorth, 1e-3);
    EXPECT_NEAR(fix.dProjY, kWgs84SiteEast, 1e-3);
}

// ---- Control-point library ----

void FillResults(HWND hwnd) {
    CCtrlPointLibDlg* lib = DialogOf<CCtrlPointLibDlg>(hwnd);
    ASSERT_NE(lib, nullptr);
    lib->m_strFileName = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";
    lib->m_dShiftX = 1.5;
    lib->m_dShiftY = -2.5;
    lib->m_dFourDx = 10.0;
    lib->m_dFourDy = 20.0;
    lib->m_dFourRotation = 0.001;
    lib->m_dFourScale = 1.0002;
    lib->m_dHeightShift = 0.3;
    for (int i = 0; i < 6; ++i) lib->m_dFitA[i] = i + 1.0;
    lib->m_dFitX0 = 5414000.0;
    lib->m_dFitY0 = 448000.0;
}

// A record whose plane and height fields all differ from the library's.
void SetBefore(CoordSysParams& p) {
    p.szdCorrectionX = p.szdCorrectionY = p.szdCorrectionH = 9.0;
    p.szdCx1 = p.szdCy1 = 9.0;
    p.szdCa1 = 0.9;
    p.szdCk1 = 0.99;
    p.nDifang = 1;
    p.nNiheMode = 1;
    p.szdNiheA0 = p.szdNiheA1 = p.szdNiheA2 = p.szdNiheA3 = p.szdNiheA4 = p.szdNiheA5 = 9.0;
    p.szdNiheX0 = p.szdNiheY0 = 9.0;
}

TEST_F(ParamCommandsTest, TheControlPointLibrarysResultsAreTakenByTheirKinds) {
    StartOnJob(NoChange);
    CoordSysParams& p = Doc().m_coordParams;
    // One control point: the library opens on it and OK closes without a
    // question; the kinds under test are set once it is open.
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot",
                "K,100,200,10,30.0000000000,114.0000000000,10,0.000,0.000,Y,Y,\r\n");
    p.szConF = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";
    for (int kind : {0, 1, 2, 5}) {
        SetBefore(p);
        m_modals->ExpectDialog(IDD_CTRL_POINT_LIB)
            .Do([](HWND) { EXPECT_EQ(Doc().m_bStatusInChinese, 0); })
            .Do(FillResults)
            .Do([kind](HWND) {
                Doc().m_nFitKind = kind;
                Doc().m_nFitState = 5;
            })
            .Click(IDOK);
        Command(ID_CTRL_POINT_LIB);
        EXPECT_EQ(Doc().m_bStatusInChinese, 1);
        EXPECT_EQ(p.szConF, CString(L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot"));
        const double expectX[] = {0.0, 1.5, 1.5, 9.0};
        const double expectCx[] = {0.0, 0.0, 10.0, 9.0};
        const double expectK[] = {1.0, 1.0, 1.0002, 0.99};
        const int expectDifang[] = {0, 0, 1, 1};
        const int i = kind == 5 ? 3 : kind;
        EXPECT_EQ(p.szdCorrectionX, expectX[i]) << kind;
        EXPECT_EQ(p.szdCorrectionY, i == 0 ? 0.0 : i == 3 ? 9.0 : -2.5) << kind;
        EXPECT_EQ(p.szdCx1, expectCx[i]) << kind;
        EXPECT_EQ(p.szdCa1, i == 2 ? 0.001 : i == 3 ? 0.9 : 0.0) << kind;
        EXPECT_EQ(p.szdCk1, expectK[i]) << kind;
        EXPECT_EQ(p.nDifang, expectDifang[i]) << kind;
        // State 5 leaves the height as it was.
        EXPECT_EQ(p.szdCorrectionH, 9.0) << kind;
        EXPECT_EQ(p.nNiheMode, 1) << kind;
    }
    for (int state : {0, 1, 2, 5}) {
        SetBefore(p);
        m_modals->ExpectDialog(IDD_CTRL_POINT_LIB)
            .Do(FillResults)
            .Do([state](HWND) {
                Doc().m_nFitKind = 5;
                Doc().m_nFitState = state;
            })
            .Click(IDOK);
        Command(ID_CTRL_POINT_LIB);
        const int i = state == 5 ? 3 : state;
        const double expectH[] = {0.0, 0.3, 0.3, 9.0};
        const double expectA0[] = {0.0, 0.0, 1.0, 9.0};
        const double expectX0[] = {0.0, 0.0, 5414000.0, 9.0};
        const int expectMode[] = {0, 0, 1, 1};
        EXPECT_EQ(p.szdCorrectionH, expectH[i]) << state;
        EXPECT_EQ(p.szdNiheA0, expectA0[i]) << state;
        EXPECT_EQ(p.szdNiheA5, i == 2 ? 6.0 : i == 3 ? 9.0 : 0.0) << state;
        EXPECT_EQ(p.szdNiheX0, expectX0[i]) << state;
        EXPECT_EQ(p.szdNiheY0, i == 2 ? 448000.0 : i == 3 ? 9.0 : 0.0) << state;
        EXPECT_EQ(p.nNiheMode, expectMode[i]) << state;
        EXPECT_EQ(p.szdCorrectionX, 9.0) << state;  // kind 5: the plane stays
    }
    const CoordSysParams saved = ReadParams(kRuvo, L"ruvo.par");
    EXPECT_EQ(saved.szdNiheA0, 9.0);
    EXPECT_EQ(saved.szConF, CString(L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot"));

    // Cancel takes nothing, and the status words are translated again.
    SetBefore(p);
    const std::string par = ReadDevice(kPar);
    Doc().m_nFitKind = 2;
    m_modals->ExpectDialog(IDD_CTRL_POINT_LIB).Do(FillResults).Click(IDCANCEL);
    Command(ID_CTRL_POINT_LIB);
    EXPECT_EQ(Doc().m_bStatusInChinese, 1);
    EXPECT_EQ(p.szdCorrectionX, 9.0);
    EXPECT_EQ(ReadDevice(kPar), par);
    EXPECT_EQ(Doc().m_nFitKind, 0);
    EXPECT_EQ(m_modals->Pending(), 0);
}

// ---- Antenna height and time zone ----

TEST_F(ParamCommandsTest, TheAntennaHeightAndTheTimeZoneGoToTheSettings) {
    StartOnJob(NoChange);
    ASSERT_EQ(Doc().m_dAntennaConst, 0.014);
    m_modals->ExpectDialog(IDD_ROVER_ANT_HEIGHT)
        .SetText(IDC_ANT_HEIGHT, L"1.5")
        .Click(IDC_ANT_SLANT)
        .Click(IDC_ANT_SHOW_REAL)
        .Click(IDOK);
    Command(ID_ROVER_ANT_HEIGHT);
    // sqrt(2.25 - 0.00950625) + 0.014 = 1.51083..., kept to four decimals.
    EXPECT_EQ(Doc().m_dPointAntHeight, 1.5108);
    const SystemParams saved = ReadSettings(kRuvo, L"ruvo.ini");
    EXPECT_EQ(saved.szdRoverAntH, 1.5108);
    EXPECT_EQ(saved.szdSourceAntHgt, 1.5);
    EXPECT_EQ(saved.nAntHgtType, 1);
    EXPECT_EQ(saved.nUseAntHgt, 1);

    m_modals->ExpectDialog(IDD_ROVER_ANT_HEIGHT)
        .SetText(IDC_ANT_HEIGHT, L"1.234")
        .Click(IDC_ANT_VERTICAL)
        .Click(IDOK);
    Command(ID_ROVER_ANT_HEIGHT);
    EXPECT_EQ(Doc().m_dPointAntHeight, 1.234);
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").szdRoverAntH, 1.234);

    // A slant height inside the antenna's radius has no vertical height.
    m_modals->ExpectDialog(IDD_ROVER_ANT_HEIGHT)
        .SetText(IDC_ANT_HEIGHT, L"0.05")
        .Click(IDC_ANT_SLANT)
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"斜高不能小于0.0975米,请重新输入!").Answer(IDOK);
    Command(ID_ROVER_ANT_HEIGHT);
    EXPECT_EQ(Doc().m_dPointAntHeight, 1.234);
    EXPECT_EQ(Doc().m_sysParams.nAntHgtType, 0);

    m_modals->ExpectDialog(IDD_TIME_ZONE).SetText(IDC_TIME_ZONE, L"-5").Click(IDOK);
    Command(ID_TIME_ZONE);
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").nTimeZone, -5);
    m_modals->ExpectDialog(IDD_TIME_ZONE).SetText(IDC_TIME_ZONE, L"2").Click(IDCANCEL);
    Command(ID_TIME_ZONE);
    EXPECT_EQ(Doc().m_sysParams.nTimeZone, -5);
    EXPECT_EQ(m_modals->Pending(), 0);
}

}  // namespace
}  // namespace commandstest
