// The plan picker on a document of the default job: the job's library
// opened by default, a tap that takes the first point within 5 pixels, the
// zooms, a measured-point file opened instead, and OK without a pick.
#include <filesystem>

#include "app/plan/DrawTextDlg.h"
#include "app/plan/LayoutDlgs.h"
#include "app/plan/PickPointDlg.h"
#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/ShellTest.h"
#include "tests/app/coordsys/CoordsysTest.h"
#include "tests/app/plan/PickPointSupport.h"

namespace coordsystest {
namespace {

class PickPointDlgTest : public CoordsysTest {
  protected:
    static CPickPointDlg* Picker(HWND dialog) {
        return static_cast<CPickPointDlg*>(CWnd::FromHandle(dialog));
    }
};

TEST_F(PickPointDlgTest, TheFirstPointWithinFivePixelsInFileOrderIsPicked) {
    // Two points 1 cm apart share a pixel: the first in the file wins. A
    // raw-grid row (number "1") is not a library point.
    const std::string lib = quorvel::ToGbk(
        L"1,R1,9.0,9.0,0,raw\r\n0,A,100.0,200.0,5.5,c1\r\n0,B,100.01,200.0,6,c2\r\n0,远点,300.0,"
        L"400.0,7,c3\r\n");
    ASSERT_TRUE(quorvel::WriteFileAtomic(plantest::PickLibraryPath(Doc()), lib.data(), lib.size()));
    CString info;
    m_modals.ExpectDialog(IDD_PICK_POINT)
        .Do([](HWND dialog) { EXPECT_EQ(Picker(dialog)->PointCount(), 3); })
        .Do(plantest::TapPickPoint(1))
        .Do([&info](HWND dialog) {
            WCHAR text[256] = {};
            ::GetDlgItemText(dialog, IDC_PICK_INFO, text, 256);
            info = text;
        })
        .Click(IDOK);
    CPickPointDlg picker;
    ASSERT_EQ(picker.DoModal(), IDOK);
    PointRecord point;
    ASSERT_TRUE(picker.GetPickedPoint(point));
    EXPECT_EQ(point.strName, CString(L"A"));
    EXPECT_EQ(point.dX, 100.0);
    EXPECT_EQ(point.dY, 200.0);
    EXPECT_EQ(point.dH, 5.5);
    EXPECT_EQ(point.strCode, CString(L"c1"));
    EXPECT_EQ(info, CString(L"A:北:    100.0000,东:    200.0000\r\n高程:5.5000,编码:c1"));
}

TEST_F(PickPointDlgTest, ZoomsAndATapOnNothing) {
    plantest::WritePickLibrary(Doc(), {{L"A", 0, 0, 0, L""}, {L"B", 100, 100, 0, L""}});
    double all = 0;
    m_modals.ExpectDialog(IDD_PICK_POINT)
        .Do([&all](HWND dialog) { all = Picker(dialog)->Scale(); })
        .Click(IDC_PICK_ZOOM_IN)
        .Do([&all](HWND dialog) { EXPECT_DOUBLE_EQ(Picker(dialog)->Scale(), all * 0.75); })
        .Click(IDC_PICK_ZOOM_OUT)
        .Do([&all](HWND dialog) { EXPECT_DOUBLE_EQ(Picker(dialog)->Scale(), all * 0.75 * 1.25); })
        .Click(IDC_PICK_ZOOM_ALL)
        .Do([&all](HWND dialog) { EXPECT_DOUBLE_EQ(Picker(dialog)->Scale(), all); })
        // A window-zoom tap without movement: the floor, not 0.
        .Click(IDC_PICK_ZOOM_WINDOW)
        .Do([](HWND dialog) {
            // The button's own drawing does not end the armed mode.
            quorvel::testing::PumpDialogMessages(dialog);
            quorvel::win::PumpUntilIdle();
            ::SendMessage(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 90));
            ::SendMessage(dialog, WM_LBUTTONUP, 0, MAKELPARAM(60, 90));
            EXPECT_EQ(Picker(dialog)->Scale(), 0.01);
            // Painting the plan ends: the zoom button's drawing does not
            // start another paint.
            quorvel::testing::PumpDialogMessages(dialog);
            quorvel::win::PumpUntilIdle();
        })
        .Click(IDC_PICK_ZOOM_ALL)
        // A window dragged out: the plan zooms in on it and the points follow.
        .Click(IDC_PICK_ZOOM_WINDOW)
        .Do([&all](HWND dialog) {
            ::SendMessage(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 60));
            ::SendMessage(dialog, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 90));
            ::SendMessage(dialog, WM_LBUTTONUP, 0, MAKELPARAM(80, 90));
            EXPECT_LT(Picker(dialog)->Scale(), all / 2);
            EXPECT_GT(Picker(dialog)->Scale(), 0.01);
        })
        .Click(IDC_PICK_ZOOM_ALL)
        .Do(plantest::TapPickPoint(1))
        .Do([](HWND dialog) {
            // Far from every point: the pick is gone.
            ::SendMessage(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 300));
            WCHAR text[64] = {};
            ::GetDlgItemText(dialog, IDC_PICK_INFO, text, 64);
            EXPECT_EQ(CString(text), CString(L""));
        })
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"没有选中任何点,是否结束选择!").Answer(IDNO);
    CPickPointDlg picker;
    EXPECT_EQ(picker.DoModal(), IDCANCEL);
    PointRecord point;
    EXPECT_FALSE(picker.GetPickedPoint(point));
}

TEST_F(PickPointDlgTest, AMeasuredPointFileOpenedInsteadOfTheLibrary) {
    std::filesystem::create_directories(Host("Flash Disk/Jobs/ruvo/data"));
    const std::string dat = "M1,10.5,20.25,3,code,more,fields\r\nM2,11,21,4,x\r\n";
    ASSERT_TRUE(quorvel::WriteFileAtomic(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat", dat.data(),
                                         dat.size()));
    m_modals.ExpectDialog(IDD_PICK_POINT)
        .Do([](HWND dialog) { EXPECT_EQ(Picker(dialog)->PointCount(), 0); })
        .Click(IDC_PICK_OPEN)
        .Do([](HWND dialog) { EXPECT_EQ(Picker(dialog)->PointCount(), 2); })
        .Do(plantest::TapPickPoint(1))
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_FILE_OPEN)
        .Do(shelltest::ChooseInTree({L"Jobs", L"ruvo", L"data", L"ruvo.dat"}))
        .Click(IDOK);
    CPickPointDlg picker;
    ASSERT_EQ(picker.DoModal(), IDOK);
    PointRecord point;
    ASSERT_TRUE(picker.GetPickedPoint(point));
    EXPECT_EQ(point.strName, CString(L"M2"));
    EXPECT_EQ(point.dY, 21.0);
    EXPECT_EQ(point.strCode, CString(L"x"));
}

TEST_F(PickPointDlgTest, TheLooksOfTheDrawTextAndLayoutDialogs) {
    // The references lie beside the other dialog galleries'.
    Gallery gallery;
    m_modals.ExpectDialog(IDD_DRAW_TEXT).Do(gallery.Take("draw text")).Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_AREA_LAYOUT)
        .SetText(IDC_LAYOUT_NAME, L"A1")
        .SetText(IDC_LAYOUT_X, L"3521000.5")
        .Click(IDC_LAYOUT_ADD)
        .Do(gallery.Take("area layout"))
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_CHANNEL_LAYOUT).Do(gallery.Take("channel layout")).Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_PARALLEL_LAYOUT).Do(gallery.Take("parallel layout")).Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_PERP_LAYOUT).Do(gallery.Take("perpendicular layout")).Click(IDCANCEL);
    CDrawTextDlg text;
    text.m_nSize = 12;
    text.m_crColor = 0xFF0063;
    text.DoModal();
    CAreaLayoutDlg().DoModal();
    CChannelLayoutDlg().DoModal();
    CParallelLayoutDlg().DoModal();
    CPerpLayoutDlg().DoModal();
    gallery.Check("plan_dialogs");
}

}  // namespace
}  // namespace coordsystest
