// The pickers' stand-ins as their callers use them: rows filled by the
// test, one chosen in the list, OK; the texts come back unchanged.
#include "app/coordsys/CoordLibDlg.h"
#include "app/coordsys/LatLonCoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"
#include "tests/app/coordsys/CoordsysTest.h"
#include "tests/app/plan/PickPointSupport.h"

namespace coordsystest {
namespace {

class PickerTest : public CoordsysTest {
  protected:
    void SetUp() override {
        CoordsysTest::SetUp();
        CCoordLibDlg::Rows() = {{L"K1", L"1000.000", L"2000.000", L"10.000", L"c1", 0},
                                {L"R1", L"1.000", L"2.000", L"3.000", L"00000000", 1},
                                {L"K2", L"3000.125", L"4000.5", L"12.5", L"c2", 0}};
        CLatLonCoordLibDlg::Rows() = {{L"G1", L"30.1234567", L"114.3000", L"20.000", L"a"}};
        plantest::WritePickLibrary(Doc(),
                                   {{L"P1", 10.0, 20.0, 30.0, L"x"}, {L"P2", 1.5, 2.5, 3.5, L"y"}});
    }
    void TearDown() override {
        CCoordLibDlg::Rows().clear();
        CLatLonCoordLibDlg::Rows().clear();
        CoordsysTest::TearDown();
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
    EXPECT_EQ(dlg.m_strPickEast, L"4000.5");
    EXPECT_EQ(dlg.m_strPickHeight, L"12.5");
    EXPECT_EQ(dlg.m_strPickCode, L"c2");
    EXPECT_EQ(dlg.m_nPickKind, 0);
    EXPECT_EQ(Doc().m_nDlgContext, 11);

    // Full mode: raw-grid rows first.
    m_modals.ExpectDialog(IDD_COORD_LIB)
        .Do([this](HWND) { EXPECT_EQ(Doc().m_nDlgContext, 29); })
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
    EXPECT_EQ(Doc().m_nDlgContext, 11);
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

    m_modals.ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(1)).Click(IDOK);
    CPickPointDlg pick;
    ASSERT_EQ(pick.DoModal(), IDOK);
    PointRecord point;
    ASSERT_TRUE(pick.GetPickedPoint(point));
    EXPECT_EQ(point.strName, L"P2");
    EXPECT_EQ(point.dX, 1.5);
    EXPECT_EQ(point.dH, 3.5);
    EXPECT_EQ(point.strCode, L"y");

    // OK without a pick asks; Yes ends with IDOK and nothing picked.
    m_modals.ExpectDialog(IDD_PICK_POINT).Click(IDOK);
    m_modals.ExpectMessageBox(L"没有选中任何点,是否结束选择").Answer(IDYES);
    CPickPointDlg none;
    ASSERT_EQ(none.DoModal(), IDOK);
    EXPECT_FALSE(none.GetPickedPoint(point));
}

}  // namespace
}  // namespace coordsystest
