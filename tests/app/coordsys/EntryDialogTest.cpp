// The small entry dialogs around control points and offsets: where their
// values come from (typed, the libraries, the current fix, the base
// station, a projected geodetic position), what they refuse, and their
// looks.
#include <cmath>

#include "app/coordsys/AddCtrlPointDlg.h"
#include "app/coordsys/AddCtrlPointSrcDlg.h"
#include "app/coordsys/CtrlLibSetDlg.h"
#include "app/coordsys/EditCtrlPointDlg.h"
#include "app/coordsys/InputGeodeticDlg.h"
#include "app/coordsys/InputRawCoordDlg.h"
#include "app/coordsys/OffsetSetDlg.h"
#include "app/coordsys/ParamSelectDlg.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/coordsys/CoordsysTest.h"
#include "tests/app/plan/PickPointSupport.h"

namespace coordsystest {
namespace {

class EntryDialogTest : public CoordsysTest {
  protected:
    void SetUp() override {
        CoordsysTest::SetUp();
        // The plan picker reads the same library: K1 and P9 (R1 is a raw-grid row).
        ASSERT_TRUE(apptest::WriteJobLibrary(
            L"lib",
            L"0,K1,3381234.567,512345.678,12.345,c\r\n"
            L"1,R1,3381000,512000,10,r\r\n" +
                plantest::PickLibraryRows({{L"P9", 3381111.12345, 512222.98765, 8.5, L"p"}})));
        ASSERT_TRUE(apptest::WriteJobLibrary(L"WGS", L"G1,30.3,114.15,25.5,a,\r\n"));
    }
};

TEST_F(EntryDialogTest, GeodeticInputAsksAboutAZeroAndTakesLibraryPoints) {
    m_modals.ExpectDialog(IDD_INPUT_GEODETIC)
        .SetText(IDC_GEO_LON, L"114.3")
        .Click(IDOK)  // latitude 0: asked, No stays
        .Click(IDC_GEO_LIBRARY)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_GEO_LAT), L"30.3");
            EXPECT_EQ(ItemText(dialog, IDC_GEO_LON), L"114.15");
            EXPECT_EQ(ItemText(dialog, IDC_GEO_HEIGHT), L"25.5");
        })
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"纬度或经度为零,确定吗?").Answer(IDNO);
    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    CInputGeodeticDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_dLat, 30.3);
    EXPECT_EQ(dlg.m_dHeight, 25.5);

    m_modals.ExpectDialog(IDD_INPUT_GEODETIC).Click(IDOK);
    m_modals.ExpectMessageBox(L"纬度或经度为零,确定吗?").Answer(IDYES);
    CInputGeodeticDlg zero;
    EXPECT_EQ(zero.DoModal(), IDOK);
}

TEST_F(EntryDialogTest, ControlPointSourcesOfEachKind) {
    // The library, picked in picking mode: raw-grid rows stay hidden.
    m_modals.ExpectDialog(IDD_ADD_CTRL_POINT_SRC).Click(IDC_SRC_FROM_LIBRARY);
    m_modals.ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    CAddCtrlPointSrcDlg library;
    ASSERT_EQ(library.DoModal(), IDOK);
    EXPECT_EQ(library.m_nSrcKind, 0);
    EXPECT_EQ(library.m_dSrcX, 3381234.567);
    EXPECT_EQ(library.m_dSrcH, 12.345);

    // The current fix's plain projection, not its corrected position.
    Doc().m_curFix.dProjX = 100.5;
    Doc().m_curFix.dProjY = 200.25;
    Doc().m_curFix.dProjH = 3.0;
    Doc().m_curFix.dX = 999.0;
    m_modals.ExpectDialog(IDD_ADD_CTRL_POINT_SRC).Click(IDC_SRC_CURRENT_POINT);
    CAddCtrlPointSrcDlg current;
    ASSERT_EQ(current.DoModal(), IDOK);
    EXPECT_EQ(current.m_nSrcKind, 1);
    EXPECT_EQ(current.m_dSrcX, 100.5);
    EXPECT_EQ(current.m_dSrcY, 200.25);

    Doc().m_coordParams.szdBaseX = 5416504.0;
    Doc().m_coordParams.szdBaseY = 668365.0;
    Doc().m_coordParams.szdBaseH = 44.0;
    m_modals.ExpectDialog(IDD_ADD_CTRL_POINT_SRC).Click(IDC_SRC_BASE_STATION);
    CAddCtrlPointSrcDlg base;
    ASSERT_EQ(base.DoModal(), IDOK);
    EXPECT_EQ(base.m_nSrcKind, 2);
    EXPECT_EQ(base.m_dSrcY, 668365.0);

    // A typed position projected on the job's grid, to the millimetre.
    CoordSysParams& p = Doc().m_coordParams;
    p.szdCenter = 114.0;
    p.szdTk = 1.0;
    p.szlTy = 500000;
    p.szdTHigh = 0.0;
    m_modals.ExpectDialog(IDD_ADD_CTRL_POINT_SRC).Click(IDC_SRC_GEOCENTRIC).Click(IDC_SRC_GEODETIC);
    m_modals.ExpectDialog(IDD_INPUT_GEODETIC)
        .SetText(IDC_GEO_LAT, L"30.3")
        .SetText(IDC_GEO_LON, L"114.15")
        .SetText(IDC_GEO_HEIGHT, L"21.5")
        .Click(IDOK);
    CAddCtrlPointSrcDlg geodetic;
    ASSERT_EQ(geodetic.DoModal(), IDOK);
    EXPECT_EQ(geodetic.m_nSrcKind, 3);
    CCoordTransform engine;
    engine.SetEllipsoid(p.szdDa, p.szdDf, 0.0);
    engine.SetProjection(0, 500000, 114.0, 1.0, p.szdTlon, 0.0);
    double x = 0.0;
    double y = 0.0;
    engine.TransverseMercatorForward(30.5, 114.25, x, y);
    EXPECT_EQ(geodetic.m_dSrcX, std::round(x * 1000.0) / 1000.0);
    EXPECT_EQ(geodetic.m_dSrcY, std::round(y * 1000.0) / 1000.0);
    EXPECT_EQ(geodetic.m_dSrcH, 21.5);
}

TEST_F(EntryDialogTest, RawCoordinatesReduceASlantHeightAndRefuseOneTooShort) {
    Doc().m_dAntennaConst = 0.014;
    m_modals.ExpectDialog(IDD_INPUT_RAW_COORD)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_RAW_X), L"3381000.123");
            EXPECT_TRUE(ItemEnabled(dialog, IDC_RAW_ANT_HEIGHT));
        })
        .Click(IDC_RAW_SLANT)
        .SetText(IDC_RAW_ANT_HEIGHT, L"0.05")
        .Click(IDOK)
        .SetText(IDC_RAW_ANT_HEIGHT, L"1.5")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"斜高不能小于0.0975米,请重新输入!").Answer(IDOK);
    CInputRawCoordDlg current;
    current.m_nSrcKind = 1;
    current.m_strX = L"3381000.123";
    ASSERT_EQ(current.DoModal(), IDOK);
    EXPECT_NEAR(current.m_dAntHeight, std::sqrt(2.25 - 0.00950625) + 0.014, 1e-12);
    EXPECT_NEAR(current.m_dAntHeight, 1.5108, 5e-5);

    // A library point carries no antenna.
    m_modals.ExpectDialog(IDD_INPUT_RAW_COORD)
        .Do([](HWND dialog) {
            EXPECT_FALSE(ItemEnabled(dialog, IDC_RAW_ANT_HEIGHT));
            EXPECT_FALSE(ItemEnabled(dialog, IDC_RAW_VERTICAL));
            EXPECT_FALSE(ItemEnabled(dialog, IDC_RAW_SLANT));
        })
        .Click(IDOK);
    CInputRawCoordDlg library;
    library.m_nSrcKind = 0;
    library.m_dAntHeight = 1.5;
    ASSERT_EQ(library.DoModal(), IDOK);
    EXPECT_EQ(library.m_dAntHeight, 1.5);
}

TEST_F(EntryDialogTest, ControlPointTextsFromThePickersAndTheirSeparators) {
    m_modals.ExpectDialog(IDD_ADD_CTRL_POINT)
        .Click(IDC_CTRL_PLAN)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_CTRL_NAME), L"P9");
            EXPECT_EQ(ItemText(dialog, IDC_CTRL_X), L"3381111.1234");
            EXPECT_EQ(ItemText(dialog, IDC_CTRL_H), L"8.5000");
        })
        .Click(IDC_CTRL_LIBRARY)
        .SetText(IDC_CTRL_NAME, L"K1,2")
        .Click(IDOK)
        .SetText(IDC_CTRL_NAME, L"K1[2]")
        .Click(IDOK)
        .SetText(IDC_CTRL_NAME, L"控制点1")
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(1)).Click(IDOK);
    m_modals.ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号、方括号、等号或换行,请重新输入!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号、方括号、等号或换行,请重新输入!").Answer(IDOK);
    CAddCtrlPointDlg add;
    ASSERT_EQ(add.DoModal(), IDOK);
    EXPECT_EQ(add.m_strName, L"控制点1");
    EXPECT_EQ(add.m_strX, L"3381234.567");
    EXPECT_EQ(add.m_strH, L"12.345");

    // The source part comes from the library in picking mode; a cancelled
    // pick changes nothing.
    m_modals.ExpectDialog(IDD_EDIT_CTRL_POINT)
        .Click(IDC_CTRL_LIBRARY)
        .Click(IDC_CTRL_KNOWN_LIBRARY)
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals.ExpectDialog(IDD_COORD_LIB).Click(IDCANCEL);
    CEditCtrlPointDlg edit;
    edit.m_strName = L"E1";
    edit.m_strKnownX = L"1.0";
    ASSERT_EQ(edit.DoModal(), IDOK);
    EXPECT_EQ(edit.m_strName, L"E1");
    EXPECT_EQ(edit.m_strKnownX, L"1.0");
    EXPECT_EQ(edit.m_strSrcX, L"3381234.567");
    EXPECT_EQ(edit.m_strSrcH, L"12.345");
}

TEST_F(EntryDialogTest, SettingsChoicesAreIndexes) {
    Doc().m_sysParams.nPlaneNihe = 1;
    Doc().m_sysParams.nCurveNihe = 0;
    m_modals.ExpectDialog(IDD_CTRL_LIB_SET)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_PLANE_FIT_MINIMUM), L"4");
            EXPECT_EQ(ItemText(dialog, IDC_CURVE_FIT_MINIMUM), L"6");
        })
        .Select(IDC_CURVE_FIT_MINIMUM, 1)
        .Click(IDOK);
    CCtrlLibSetDlg set;
    ASSERT_EQ(set.DoModal(), IDOK);
    EXPECT_EQ(set.m_nPlaneNihe, 1);
    EXPECT_EQ(set.m_nCurveNihe, 1);

    m_modals.ExpectDialog(IDD_PARAM_SELECT).Click(IDC_PARAM_FROM_JOB).Click(IDOK);
    CParamSelectDlg select;
    EXPECT_EQ(select.m_nParamSource, 0);
    ASSERT_EQ(select.DoModal(), IDOK);
    EXPECT_EQ(select.m_nParamSource, 1);

    m_modals.ExpectDialog(IDD_OFFSET_SET).SetText(IDC_OFFSET_Y, L"-0.250").Click(IDOK);
    COffsetSetDlg offset;
    offset.m_strOffsetX = L"1.500";
    offset.m_strOffsetY = L"0.000";
    ASSERT_EQ(offset.DoModal(), IDOK);
    EXPECT_EQ(offset.m_strOffsetX, L"1.500");
    EXPECT_EQ(offset.m_strOffsetY, L"-0.250");
}

TEST_F(EntryDialogTest, TheLooksOfTheEntryDialogs) {
    Gallery gallery;
    const std::pair<UINT, const char*> shown[] = {{IDD_INPUT_GEODETIC, "geodetic input"},
                                                  {IDD_ADD_CTRL_POINT_SRC, "control point source"},
                                                  {IDD_INPUT_RAW_COORD, "raw coordinates"},
                                                  {IDD_PARAM_SELECT, "parameter source"},
                                                  {IDD_CTRL_LIB_SET, "control library settings"},
                                                  {IDD_ADD_CTRL_POINT, "add control point"},
                                                  {IDD_EDIT_CTRL_POINT, "edit control point"},
                                                  {IDD_OFFSET_SET, "offsets"},
                                                  {IDD_COORD_LIB, "coordinate library"},
                                                  {IDD_LAT_LON_COORD_LIB, "lat/long library"},
                                                  {IDD_PICK_POINT, "plan picker"}};
    for (const auto& [id, title] : shown)
        m_modals.ExpectDialog(id).Do(gallery.Take(title)).Click(IDCANCEL);
    CInputGeodeticDlg().DoModal();
    CAddCtrlPointSrcDlg().DoModal();
    CInputRawCoordDlg().DoModal();
    CParamSelectDlg().DoModal();
    CCtrlLibSetDlg().DoModal();
    CAddCtrlPointDlg().DoModal();
    CEditCtrlPointDlg().DoModal();
    COffsetSetDlg().DoModal();
    CCoordLibDlg().DoModal();
    CLatLonCoordLibDlg().DoModal();
    CPickPointDlg().DoModal();
    gallery.Check("entry_dialogs");
}

}  // namespace
}  // namespace coordsystest
