// Each page of the tools as the surveyor sees it, against reference images
// and control dumps (tests/app/tools/ref), and the graph page's plotting:
// two given points make one line, a start, an end and a result one line
// and three dots, two lines and their intersection two lines and five
// dots; a tap names the point under the stylus.
#include "platform/base/Clock.h"
#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/tools/ToolsTest.h"

namespace toolstest {
namespace {

using quorvel::testing::PumpDialogMessages;

void Set(HWND page, int id, LPCTSTR text) {
    ::SetDlgItemText(page, id, text);
}
void Click(HWND page, int id) {
    ::SendMessage(::GetDlgItem(page, id), BM_CLICK, 0, 0);
    PumpDialogMessages(Root(page));
}
// The graph tab, then the redraw timer's tick.
void ShowGraph(HWND d) {
    TapTab(d, 2);
    quorvel::AdvanceVirtualClock(100);
    PumpDialogMessages(d);
    ::UpdateWindow(d);
}

class LooksTest : public ToolsTest {};

TEST_F(LooksTest, ForwardPagesAndATapOnTheGraph) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_COORD_FORWARD)
        .Do([](HWND d) {
            ExpectDialogMatches(d, "forward_input");
            HWND input = Page(d, 0);
            Set(input, IDC_CALC_START_X, L"100");
            Set(input, IDC_CALC_START_Y, L"200");
            Set(input, IDC_FORWARD_AZIMUTH, L"45.0000");
            Set(input, IDC_FORWARD_DISTANCE, L"20");
            Set(input, IDC_FORWARD_NEW_NAME, L"P1");
            Click(input, IDC_CALC_RUN);
            ExpectDialogMatches(d, "forward_result");
            ShowGraph(d);
            ExpectDialogMatches(d, "forward_graph");
            // The start point sits on the drawing's bottom-left corner
            // (the plan static inset by 10).
            HWND graph = Page(d, 2);
            RECT plan{};
            ::GetWindowRect(::GetDlgItem(graph, IDC_GRAPH_PLAN), &plan);
            ::MapWindowPoints(nullptr, graph, reinterpret_cast<POINT*>(&plan), 2);
            TapAt(graph, POINT{plan.left + 11, plan.bottom - 11});
            EXPECT_EQ(Text(graph, IDC_GRAPH_INFO),
                      ":X:    100.0000,Y:    200.0000\r\nH:0.0000,属性:");
            TapAt(graph, POINT{plan.left + 60, plan.bottom - 30});
            EXPECT_EQ(Text(graph, IDC_GRAPH_INFO), "");
        })
        .Key(VK_ESCAPE);
    Command(ID_CALC_FORWARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// Two given points: one line.
TEST_F(LooksTest, InverseGraphOfTwoPoints) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_COORD_INVERSE)
        .Do([](HWND d) {
            ExpectDialogMatches(d, "inverse_input");
            HWND input = Page(d, 0);
            Set(input, IDC_CALC_END_X, L"30");
            Set(input, IDC_CALC_END_Y, L"40");
            Click(input, IDC_CALC_RUN);
            ExpectDialogMatches(d, "inverse_result");
            ShowGraph(d);
            ExpectDialogMatches(d, "inverse_graph");
        })
        .Key(VK_ESCAPE);
    Command(ID_CALC_INVERSE);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// Start, end and the computed point: one line, three dots.
TEST_F(LooksTest, DistanceIntersectionGraphOfThreePoints) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_DIST_INTERSECT)
        .Do([](HWND d) {
            ExpectDialogMatches(d, "dist_input");
            HWND input = Page(d, 0);
            Set(input, IDC_CALC_END_X, L"10");
            Set(input, IDC_CALC_FROM_START, L"6");
            Set(input, IDC_CALC_FROM_END, L"8");
            Click(input, IDC_CALC_RIGHT);
            Set(input, IDC_CALC_NEW_NAME, L"J");
            Click(input, IDC_CALC_RUN);
            ShowGraph(d);
            ExpectDialogMatches(d, "dist_graph");
        })
        .Key(VK_ESCAPE);
    Command(ID_CALC_DIST_INTERSECT);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// Two lines and their intersection: two lines, five dots.
TEST_F(LooksTest, LineIntersectionGraphOfFivePoints) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_INTERSECT_CALC)
        .Do([](HWND d) {
            ExpectDialogMatches(d, "intersect_input");
            HWND input = Page(d, 0);
            Set(input, IDC_CROSS_L1E_X, L"10");
            Set(input, IDC_CROSS_L1E_Y, L"10");
            Set(input, IDC_CROSS_L2S_Y, L"10");
            Set(input, IDC_CROSS_L2E_X, L"10");
            Click(input, IDC_CROSS_RUN);
            ExpectDialogMatches(d, "intersect_result");
            ShowGraph(d);
            ExpectDialogMatches(d, "intersect_graph");
        })
        .Key(VK_ESCAPE);
    Command(ID_CALC_INTERSECT);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

TEST_F(LooksTest, OffsetAndDeflectionInputPages) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_OFFSET_POINT)
        .Do([](HWND d) { ExpectDialogMatches(d, "offset_input"); })
        .Key(VK_ESCAPE);
    Command(ID_CALC_OFFSET_POINT);
    m_modals->ExpectDialog(IDD_BEARING_OFFSET)
        .Do([](HWND d) {
            ExpectDialogMatches(d, "bearing_input");
            HWND input = Page(d, 0);
            Set(input, IDC_CALC_END_X, L"10");
            Set(input, IDC_BEARING_P3_X, L"15");
            Set(input, IDC_BEARING_P3_Y, L"5");
            Click(input, IDC_CALC_RUN);
            ExpectDialogMatches(d, "bearing_result");
        })
        .Key(VK_ESCAPE);
    Command(ID_CALC_BEARING_OFFSET);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

TEST_F(LooksTest, AreaConversionDistanceAndMapSheetDialogs) {
    StartJob(PlainJob());
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\sq.dat",
                "A,0,0,0,00000000\r\nB,0,1,0,00000000\r\nC,1,1,0,00000000\r\nD,1,0,0,00000000\r\n");
    m_modals->ExpectDialog(IDD_AREA_CALC)
        .Do([](HWND d) {
            Click(d, IDC_AREA_OPEN);
            Click(d, IDC_AREA_ALL);
            Click(d, IDC_AREA_COMPUTE);
            ExpectDialogMatches(d, "area");
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectDialog(IDD_FILE_OPEN)
        .SetText(IDC_FILE_OPEN_PATH, L"\\Flash Disk\\Jobs\\ruvo\\data\\sq.dat")
        .Click(IDOK);
    Command(ID_AREA_CALC);
    m_modals->ExpectDialog(IDD_COORD_CONVERT)
        .Do([](HWND d) { ExpectDialogMatches(d, "convert"); })
        .Key(VK_ESCAPE);
    Command(ID_COORD_CONVERT);
    m_modals->ExpectDialog(IDD_SPACE_DISTANCE)
        .Do([](HWND d) { ExpectDialogMatches(d, "space_distance"); })
        .Key(VK_ESCAPE);
    Command(ID_SPACE_DISTANCE);
    m_modals->ExpectDialog(IDD_MAP_TRANS)
        .Do([](HWND d) { ExpectDialogMatches(d, "map_trans"); })
        .Key(VK_ESCAPE);
    Command(ID_MAP_TRANS);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

}  // namespace
}  // namespace toolstest
