// The navigation view and the blank view in the running program: the bare
// plan after a far first fix and after a pan, its keys storing points
// (Delete among them), automatic collection that draws nothing and takes no
// status word for a position, and the blank view's one banner line.
#include <cmath>

#include "app/FrameMessages.h"
#include "app/screens/GGGView.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/screens/PlanLettering.h"
#include "tests/app/screens/ScreensTest.h"

namespace screenstest {
namespace {

using quorvel::gdi::CaptureWindow;
using quorvel::gdi::Image;
using quorvel::testing::ExpectMatchesReference;

class NavigationFlowTest : public ScreensTest {
  protected:
    CVendropView* Start() {
        StartWith([](SystemParams&) {});
        CVendropView* view = OpenNavigation();
        EXPECT_NE(view, nullptr);
        if (view) {
            view->SetFocus();
            Pump();
        }
        return view;
    }
};

// Every pixel of the image one colour.
bool Blank(const Image& image) {
    for (uint32_t pixel : image.pixels)
        if (pixel != image.pixels[0]) return false;
    return true;
}

TEST_F(NavigationFlowTest, TheLooksOfAFarFirstFixThenAPan) {
    CVendropView* view = Start();
    ASSERT_NE(view, nullptr);
    // 50 m over the smaller side of the inset client area.
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(view->m_rcClient, client);
    EXPECT_DOUBLE_EQ(view->m_dScale, 50.0 / std::min(client.Width() - 12, client.Height() - 12));
    EXPECT_TRUE(Blank(CaptureWindow(view->m_hWnd)));

    // Far from (0, 0): the reference moves onto the fix, the marker sits
    // at the bottom-left corner.
    const SurveyRecord fix = FixAt(5416504.0, 668415.0, 10, 0, 7.0);
    Feed(fix);
    EXPECT_EQ(view->m_dCentreN, fix.dX);
    EXPECT_EQ(view->m_dCentreE, fix.dY);
    ASSERT_EQ(view->m_marker.GetSize(), 1);
    EXPECT_EQ(view->m_marker[0], CPoint(client.left, client.bottom));
    ExpectMatchesReference(CaptureWindow(view->m_hWnd), "navigation_far_first_fix");

    // Walking north-east: the arrow.
    for (int i = 1; i <= 5; ++i) Feed(FixAt(fix.dX + 2.0 * i, fix.dY + 1.5 * i, 10, 0, 7.0 + i));
    EXPECT_EQ(view->m_marker.GetSize(), 4);
    ExpectMatchesReference(CaptureWindow(view->m_hWnd), "navigation_walking");
    // The view's only texts, its plan's letters, show whole.
    const screens::PlanFonts fonts;
    const PlanLetters letters{fonts.Bold(), fonts.Small(), fonts.Small(),
                              screens::ScaleLabel(24.0 * view->m_dScale), L"10:00:12"};
    EXPECT_TRUE(PlanLettersLieWhole(view->m_hWnd, view->m_rcDraw, letters));

    // A pan blanks the view until the next fix draws on it again.
    CRect onScreen;
    view->GetWindowRect(&onScreen);
    quorvel::win::InjectStylus(onScreen.left + 100, onScreen.top + 100, true);
    Pump();
    quorvel::win::InjectStylus(onScreen.left + 120, onScreen.top + 90, true);
    Pump();
    quorvel::win::InjectStylus(onScreen.left + 120, onScreen.top + 90, false);
    Pump();
    EXPECT_DOUBLE_EQ(view->m_dCentreN, fix.dX - 10 * view->m_dScale);
    EXPECT_DOUBLE_EQ(view->m_dCentreE, fix.dY - 20 * view->m_dScale);
    EXPECT_TRUE(Blank(CaptureWindow(view->m_hWnd)));
    EXPECT_EQ(view->m_marker.GetSize(), 0);
    Feed(FixAt(fix.dX + 10.0, fix.dY + 7.5, 10, 0, 13.0));
    EXPECT_FALSE(Blank(CaptureWindow(view->m_hWnd)));
}

TEST_F(NavigationFlowTest, DeleteAndLeftStoreThroughTheDialogAndStatusWordsAreNoPosition) {
    CVendropView* view = Start();
    ASSERT_NE(view, nullptr);
    m_modals->ExpectMessageBox(L"当前没有接收数据,不能采集数据").Answer(IDOK);
    Key(VK_DELETE);
    EXPECT_EQ(m_modals->Pending(), 0);

    Feed(FixAt(5416504.0, 668415.0));
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE)
        .SetText(IDC_STORE_NAME, L"N1")
        .SetText(IDC_STORE_ANT_HEIGHT, L"1.5")
        .Click(IDOK);
    Key(VK_DELETE);
    ASSERT_EQ(FileLines(kPoints).size(), 1u);
    EXPECT_EQ(FileLines(kPoints)[0].substr(0, 33), "N1,5416504.000,668415.000,465.000");
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"N2"));

    // No differential signal: the question, answered No, stores nothing.
    Doc().m_bDiffAlive = 0;
    m_modals->ExpectMessageBox(L"当前无差分信号,确定要存储吗?").Answer(IDNO);
    Key(VK_LEFT);
    m_modals->ExpectMessageBox(L"当前无差分信号,确定要存储吗?").Answer(IDYES);
    m_modals->ExpectDialog(IDD_MEASURE_POINT_STORE).Click(IDCANCEL);
    Key('A');
    EXPECT_EQ(FileLines(kPoints).size(), 1u);
    EXPECT_EQ(m_modals->Pending(), 0);

    // Status words keep the fix: silence and a radio search give no
    // point at (0, 0), whatever the collection by distance.
    Doc().m_nStoreType = 4;
    Doc().m_dAutoDistance = 10.0;
    Doc().m_nAutoInterval = 10;
    Doc().m_bAutoCollect = 1;
    Doc().m_bAutoRefSet = 0;
    Feed(FixAt(5416504.0, 668415.0, 10, 0, 1.0));
    SendStatus(L"FINDRADIO");
    SendStatus(L"FIND");
    EXPECT_TRUE(view->m_bHaveFix);
    SendStatus(L"NODATA");
    EXPECT_FALSE(view->m_bHaveFix);
    Feed(FixAt(5416505.0, 668415.0, 10, 0, 2.0));
    EXPECT_EQ(FileLines(kPoints).size(), 1u);
    // Walking 1 m a fix: points at 10 m, 21 m, 32 m, none drawn.
    for (int i = 2; i <= 33; ++i) Feed(FixAt(5416504.0 + i, 668415.0, 10, 0, 1.0 + i));
    const std::vector<std::string> lines = FileLines(kPoints);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].substr(0, 14), "N2,5416514.000");
    EXPECT_EQ(lines[2].substr(0, 14), "N3,5416525.000");
    EXPECT_EQ(lines[3].substr(0, 14), "N4,5416536.000");
}

// Automatic points the point file refuses: the first is told, collection
// goes on, and once the file takes lines again the next point goes in.
TEST_F(NavigationFlowTest, AutomaticPointsThatCannotBeWrittenAreToldOnce) {
    ASSERT_NE(Start(), nullptr);
    WriteDevice(kPoints, "");
    SetReadOnly(kPoints, true);
    Doc().m_nStoreType = 4;
    Doc().m_dAutoDistance = 10.0;
    Doc().m_nAutoInterval = 10;
    Doc().m_bAutoCollect = 1;
    Doc().m_bAutoRefSet = 0;
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    // Walking 1 m a fix: two points due, neither written, one box.
    for (int i = 0; i <= 22; ++i) Feed(FixAt(5416504.0 + i, 668415.0, 10, 0, 1.0 + i));
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_TRUE(FileLines(kPoints).empty());
    SetReadOnly(kPoints, false);
    for (int i = 23; i <= 33; ++i) Feed(FixAt(5416504.0 + i, 668415.0, 10, 0, 1.0 + i));
    EXPECT_EQ(FileLines(kPoints).size(), 1u);
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(NavigationFlowTest, TheLooksOfTheBlankView) {
    StartWith([](SystemParams&) {});
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_BLANK);
    Pump();
    CView* view = Frame()->GetActiveView();
    ASSERT_TRUE(view->IsKindOf(RUNTIME_CLASS(CGGGView)));
    ExpectMatchesReference(CaptureWindow(view->m_hWnd), "blank_view");
}

}  // namespace
}  // namespace screenstest
