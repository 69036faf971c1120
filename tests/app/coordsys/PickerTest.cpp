// The pickers as their callers use them: the job's library files written
// by the test, one row chosen in the list (or one point tapped on the
// plan), OK; the texts come back as shown.
#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/coordsys/CoordsysTest.h"
#include "tests/app/plan/PickPointSupport.h"

namespace coordsystest {
namespace {

class PickerTest : public CoordsysTest {
  protected:
    void SetUp() override {
        CoordsysTest::SetUp();
        ASSERT_TRUE(apptest::WriteJobLibrary(L"lib",
                                             L"0,K1,1000,2000,10,c1\r\n"
                                             L"1,R1,1,2,3,00000000\r\n"
                                             L"0,K2,3000.125,4000.5,12.5,c2\r\n"));
        ASSERT_TRUE(apptest::WriteJobLibrary(L"WGS", L"G1,30.1234567,114.3000,20.000,a,\r\n"));
    }
};

TEST_F(PickerTest, CoordinateLibraryHandsBackTheChosenRowsTexts) {
    // Default mode: raw-grid rows hidden, so row 1 is K2.
    m_modals.ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 1).Click(IDOK);
    CCoordLibDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bPicked);
    EXPECT_EQ(dlg.m_strPickName, L"K2");
    EXPECT_EQ(dlg.m_strPickNorth, L"3000.125");
    EXPECT_EQ(dlg.m_strPickEast, L"4000.500");
    EXPECT_EQ(dlg.m_strPickHeight, L"12.500");
    EXPECT_EQ(dlg.m_strPickCode, L"c2");
    EXPECT_EQ(dlg.m_nPickKind, 0);
    EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);

    // Full mode: raw-grid rows first.
    m_modals.ExpectDialog(IDD_COORD_LIB)
        .Do([this](HWND) { EXPECT_EQ(Doc().m_nDlgContext, kContextLibrary); })
        .Select(IDC_LIB_LIST, 0)
        .Click(IDOK);
    CCoordLibDlg full;
    full.SetMode(2);
    ASSERT_EQ(full.DoModal(), IDOK);
    EXPECT_EQ(full.m_strPickName, L"R1");
    EXPECT_EQ(full.m_nPickKind, 1);
}

TEST_F(PickerTest, CoordinateLibraryWithoutAChoice) {
    // OK with nothing chosen is refused in the default mode; Cancel picks
    // nothing.
    m_modals.ExpectDialog(IDD_COORD_LIB).Click(IDOK).Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"没有选中任何点").Answer(IDOK);
    CCoordLibDlg dlg;
    dlg.SetMode(1);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(dlg.m_bPicked);
    EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);
    // The full mode lets OK end without a pick.
    m_modals.ExpectDialog(IDD_COORD_LIB).Click(IDOK);
    CCoordLibDlg full;
    full.SetMode(2);
    EXPECT_EQ(full.DoModal(), IDOK);
    EXPECT_FALSE(full.m_bPicked);
}

TEST_F(PickerTest, LatLonLibraryAndPlanPicker) {
    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    CLatLonCoordLibDlg geo;
    ASSERT_EQ(geo.DoModal(), IDOK);
    EXPECT_TRUE(geo.m_bPicked);
    EXPECT_EQ(geo.m_strPickLat, L"30.1234567");
    EXPECT_EQ(geo.m_strPickLon, L"114.3000");
    EXPECT_EQ(geo.m_strPickHeight, L"20.000");

    // The plan shows the library's records (not the raw-grid R1): the
    // second is K2.
    m_modals.ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(1)).Click(IDOK);
    CPickPointDlg pick;
    ASSERT_EQ(pick.DoModal(), IDOK);
    PointRecord point;
    ASSERT_TRUE(pick.GetPickedPoint(point));
    EXPECT_EQ(point.strName, L"K2");
    EXPECT_EQ(point.dX, 3000.125);
    EXPECT_EQ(point.dY, 4000.5);
    EXPECT_EQ(point.dH, 12.5);
    EXPECT_EQ(point.strCode, L"c2");

    // OK without a pick asks; Yes ends with IDOK and nothing picked.
    m_modals.ExpectDialog(IDD_PICK_POINT).Click(IDOK);
    m_modals.ExpectMessageBox(L"没有选中任何点,是否结束选择").Answer(IDYES);
    CPickPointDlg none;
    ASSERT_EQ(none.DoModal(), IDOK);
    EXPECT_FALSE(none.GetPickedPoint(point));
}

}  // namespace
}  // namespace coordsystest
