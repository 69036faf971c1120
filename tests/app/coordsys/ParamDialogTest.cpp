// The six parameter dialogs run modally over a document whose record the
// test chose, answered through their controls: the display conversions,
// the ellipsoid choices, the enable rules, the refusals of impossible or
// unreadable values, and the looks of every template.
#include <cmath>

#include "app/coordsys/CorrectionParamDlg.h"
#include "app/coordsys/EllipsoidDlg.h"
#include "app/coordsys/FourParamDlg.h"
#include "app/coordsys/HeightFitDlg.h"
#include "app/coordsys/ProjectionDlg.h"
#include "app/coordsys/SevenParamDlg.h"
#include "res/resource.h"
#include "tests/app/coordsys/CoordsysTest.h"

namespace coordsystest {
namespace {

using Check = std::function<void(HWND)>;

Check ExpectText(int id, std::wstring text) {
    return [id, text](HWND dialog) { EXPECT_EQ(ItemText(dialog, id), text) << "control " << id; };
}

Check ExpectEnabled(std::vector<int> ids, bool enabled) {
    return [ids, enabled](HWND dialog) {
        for (int id : ids) EXPECT_EQ(ItemEnabled(dialog, id), enabled) << "control " << id;
    };
}

class ParamDialogTest : public CoordsysTest {};

TEST_F(ParamDialogTest, EllipsoidPresetsLockTheAxesAndTheUsersOwnProposesHayford) {
    Doc().m_coordParams.nCoord = 0;
    m_modals.ExpectDialog(IDD_ELLIPSOID)
        .Do(ExpectText(IDC_ELLIPSOID_A, L"6378245"))
        .Do(ExpectText(IDC_ELLIPSOID_INV_F, L"298.3"))
        .Do(ExpectEnabled({IDC_ELLIPSOID_A, IDC_ELLIPSOID_INV_F}, false))
        .Select(IDC_ELLIPSOID_NAME, 4)
        .Do(ExpectText(IDC_ELLIPSOID_A, L"6378388"))
        .Do(ExpectText(IDC_ELLIPSOID_INV_F, L"297"))
        .Do(ExpectEnabled({IDC_ELLIPSOID_A, IDC_ELLIPSOID_INV_F}, true))
        .SetText(IDC_ELLIPSOID_A, L"6378000")
        .Select(IDC_ELLIPSOID_NAME, 2)
        .Do(ExpectText(IDC_ELLIPSOID_INV_F, L"298.257223563"))
        .Do(ExpectEnabled({IDC_ELLIPSOID_A, IDC_ELLIPSOID_INV_F}, false))
        // The user's own pair is proposed afresh every time.
        .Select(IDC_ELLIPSOID_NAME, 4)
        .Do(ExpectText(IDC_ELLIPSOID_A, L"6378388"))
        .SetText(IDC_ELLIPSOID_INV_F, L"296.5")
        .Click(IDOK);
    CEllipsoidDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nCoord, 4);
    EXPECT_EQ(dlg.m_dA, 6378388.0);
    EXPECT_EQ(dlg.m_dInvF, 296.5);
    EXPECT_EQ(Doc().m_coordParams.nCoord, 0);  // the dialog writes nothing back
}

TEST_F(ParamDialogTest, EllipsoidRefusesUnreadableAndImpossibleAxes) {
    Doc().m_coordParams.nCoord = 4;
    Doc().m_coordParams.szdDa = 6378100.0;
    Doc().m_coordParams.szdDf = 299.0;
    m_modals.ExpectDialog(IDD_ELLIPSOID)
        .Do(ExpectEnabled({IDC_ELLIPSOID_A, IDC_ELLIPSOID_INV_F}, true))
        .SetText(IDC_ELLIPSOID_A, L"abc")
        .Click(IDOK)
        .SetText(IDC_ELLIPSOID_A, L"0")
        .Click(IDOK)
        .SetText(IDC_ELLIPSOID_A, L"6378100")
        .SetText(IDC_ELLIPSOID_INV_F, L"-298")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"请输入一个数字。").Answer(IDOK);
    m_modals.ExpectMessageBox(L"椭球长轴和扁率必须大于0,请重新输入!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"椭球长轴和扁率必须大于0,请重新输入!").Answer(IDOK);
    CEllipsoidDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(ParamDialogTest, ProjectionRemembersWhatTheUserTypedForTheOwnEllipsoid) {
    CoordSysParams& p = Doc().m_coordParams;
    p.nCoord = 1;
    p.szdDa = 6378140.0;
    p.szdDf = 298.257;
    p.szdCenter = 114.5;  // 114 degrees 30 minutes
    p.szdTlon = 23.25;
    p.szlTx = -100;
    p.szlTy = 500000;
    p.szdTk = 1.0;
    p.szdTHigh = 12.5;
    m_modals.ExpectDialog(IDD_PROJECTION)
        .Do(ExpectText(IDC_PROJ_CENTER, L"114.3"))
        .Do(ExpectText(IDC_PROJ_BASE_LAT, L"23.15"))
        .Do(ExpectText(IDC_PROJ_X_CONST, L"-100"))
        .Do(ExpectEnabled({IDC_ELLIPSOID_A, IDC_ELLIPSOID_INV_F}, false))
        // First the job's own pair.
        .Select(IDC_ELLIPSOID_NAME, 4)
        .Do(ExpectText(IDC_ELLIPSOID_A, L"6378140"))
        .Do(ExpectText(IDC_ELLIPSOID_INV_F, L"298.257"))
        .Do([](HWND dialog) {
            ::SetFocus(::GetDlgItem(dialog, IDC_ELLIPSOID_A));
            ::SendDlgItemMessage(dialog, IDC_ELLIPSOID_A, EM_SETSEL, 0, -1);
        })
        .Type(IDC_ELLIPSOID_A, L"6378001")
        .SetText(IDC_ELLIPSOID_INV_F, L"300")
        // A detour through a preset: its values are the dialog's, not the user's.
        .Select(IDC_ELLIPSOID_NAME, 0)
        .Do(ExpectText(IDC_ELLIPSOID_A, L"6378245"))
        .Select(IDC_ELLIPSOID_NAME, 4)
        .Do(ExpectText(IDC_ELLIPSOID_A, L"6378001"))
        .Do(ExpectText(IDC_ELLIPSOID_INV_F, L"300"))
        .SetText(IDC_PROJ_SCALE, L"0")
        .Click(IDOK)
        .SetText(IDC_PROJ_SCALE, L"0.9996")
        .SetText(IDC_PROJ_CENTER, L"120.3")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"投影比例尺必须大于0,请重新输入!").Answer(IDOK);
    CProjectionDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nCoord, 4);
    EXPECT_EQ(dlg.m_dA, 6378001.0);
    EXPECT_EQ(dlg.m_dInvF, 300.0);
    EXPECT_EQ(dlg.m_dCenter, 120.3);
    EXPECT_EQ(dlg.m_dTk, 0.9996);
    EXPECT_EQ(dlg.m_lTy, 500000);
    EXPECT_EQ(dlg.m_dTHigh, 12.5);
}

TEST_F(ParamDialogTest, SevenAndFourParametersShowInDisplayUnitsAndFollowTheirChecks) {
    CoordSysParams& p = Doc().m_coordParams;
    p.nSevenPar = 0;
    p.szddx = -12.5;
    p.szdWx = 1e-5;
    p.szdWy = 4.848136811095216e-6;
    p.szdWz = -2e-6;
    p.szddK = 2e-6;
    m_modals.ExpectDialog(IDD_SEVEN_PARAM)
        .Do(ExpectEnabled({IDC_PARAM_DX, IDC_PARAM_DY, IDC_PARAM_DZ, IDC_PARAM_WX, IDC_PARAM_WY,
                           IDC_PARAM_WZ, IDC_PARAM_K},
                          false))
        .Do(ExpectText(IDC_PARAM_WY, L"1"))
        .Click(IDC_SEVEN_ENABLE)
        .Do(ExpectEnabled({IDC_PARAM_DX, IDC_PARAM_WZ, IDC_PARAM_K}, true))
        .Click(IDOK);
    CSevenParamDlg seven;
    ASSERT_EQ(seven.DoModal(), IDOK);
    EXPECT_EQ(seven.m_nSevenPar, 1);
    EXPECT_NEAR(seven.m_dWx, 2.062648062471025, 1e-14);
    EXPECT_NEAR(seven.m_dWy, 1.0, 1e-15);
    EXPECT_NEAR(seven.m_dK, 2.0, 1e-12);
    EXPECT_EQ(seven.m_dDx, -12.5);

    // A flag other than 0 and 1 leaves the edits as the template made them.
    p.nSevenPar = 2;
    m_modals.ExpectDialog(IDD_SEVEN_PARAM)
        .Do(ExpectEnabled({IDC_PARAM_DX, IDC_PARAM_K}, true))
        .Click(IDCANCEL);
    CSevenParamDlg other;
    EXPECT_EQ(other.DoModal(), IDCANCEL);

    p.nDifang = 1;
    p.szdCa1 = 0.5 * 0.01745329251994278;  // half a degree
    p.szdCk1 = 1.0000123;
    m_modals.ExpectDialog(IDD_FOUR_PARAM)
        .Do(ExpectText(IDC_FOUR_ROTATION, L"0.3"))
        .Do(ExpectEnabled({IDC_PARAM_DX, IDC_PARAM_DY, IDC_FOUR_ROTATION, IDC_PARAM_K}, true))
        .Click(IDC_PARAM_ENABLE)
        .Do(ExpectEnabled({IDC_PARAM_DX, IDC_PARAM_DY, IDC_FOUR_ROTATION, IDC_PARAM_K}, false))
        .Click(IDOK);
    CFourParamDlg four;
    ASSERT_EQ(four.DoModal(), IDOK);
    EXPECT_EQ(four.m_nDifang, 0);
    EXPECT_NEAR(four.m_dCa, 0.3, 1e-12);
    EXPECT_EQ(four.m_dCk, 1.0000123);
}

TEST_F(ParamDialogTest, CorrectionsToTheMillimetreAndTheHeightFitCheck) {
    CoordSysParams& p = Doc().m_coordParams;
    p.szdCorrectionX = 1.23456;
    p.szdCorrectionY = -0.0004;
    p.szdCorrectionH = 2.0005;
    m_modals.ExpectDialog(IDD_CORRECTION_PARAM)
        .Do(ExpectText(IDC_CORRECTION_X, L"1.235"))
        .Do(ExpectText(IDC_CORRECTION_Y, L"-0"))
        .Do(ExpectText(IDC_CORRECTION_H, L"2.001"))
        .Click(IDOK);
    CCorrectionParamDlg correction;
    ASSERT_EQ(correction.DoModal(), IDOK);
    EXPECT_EQ(correction.m_dCorrectionX, 1.235);

    p.nNiheMode = 0;
    p.szdNiheA3 = 1e-9;
    p.szdNiheX0 = 2500000.5;
    m_modals.ExpectDialog(IDD_HEIGHT_FIT)
        .Do(ExpectEnabled({IDC_FIT_A0, IDC_FIT_A5, IDC_FIT_X0, IDC_FIT_Y0}, false))
        .Click(IDC_PARAM_ENABLE)
        .Do(ExpectEnabled({IDC_FIT_A0, IDC_FIT_A1, IDC_FIT_A2, IDC_FIT_A3, IDC_FIT_A4, IDC_FIT_A5,
                           IDC_FIT_X0, IDC_FIT_Y0},
                          true))
        .Do(ExpectText(IDC_FIT_A3, L"1e-09"))
        .SetText(IDC_FIT_A5, L"x")
        .Click(IDOK)
        .SetText(IDC_FIT_A5, L"0.25")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"请输入一个数字。").Answer(IDOK);
    CHeightFitDlg fit;
    ASSERT_EQ(fit.DoModal(), IDOK);
    EXPECT_EQ(fit.m_nNiheMode, 1);
    EXPECT_EQ(fit.m_dA[5], 0.25);
    EXPECT_EQ(fit.m_dX0, 2500000.5);
}

TEST_F(ParamDialogTest, TheLooksOfTheParameterDialogs) {
    CoordSysParams& p = Doc().m_coordParams;
    p.nSevenPar = 1;
    p.nDifang = 1;
    p.szdCk1 = 1.0;
    p.nNiheMode = 1;
    Gallery gallery;
    const std::pair<UINT, const char*> shown[] = {
        {IDD_ELLIPSOID, "ellipsoid"},         {IDD_PROJECTION, "projection"},
        {IDD_SEVEN_PARAM, "seven"},           {IDD_FOUR_PARAM, "four"},
        {IDD_CORRECTION_PARAM, "correction"}, {IDD_HEIGHT_FIT, "height fit"}};
    for (const auto& [id, title] : shown)
        m_modals.ExpectDialog(id).Do(gallery.Take(title)).Click(IDCANCEL);
    CEllipsoidDlg().DoModal();
    CProjectionDlg().DoModal();
    CSevenParamDlg().DoModal();
    CFourParamDlg().DoModal();
    CCorrectionParamDlg().DoModal();
    CHeightFitDlg().DoModal();
    gallery.Check("parameter_dialogs");
}

}  // namespace
}  // namespace coordsystest
