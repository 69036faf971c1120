// Each page of the tools as the surveyor sees it, against reference images
// and control dumps (tests/app/tools/ref), and the graph page's plotting:
// two given points make one line, a start, an end and a result one line
// and three dots, two lines and their intersection two lines and five
// dots; a tap names the point under the stylus.
#include <functional>
#include <string>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/tools/ToolsTest.h"

namespace toolstest {
namespace {

using quorvel::testing::PumpDialogMessages;

// The graph tab, then the redraw timer's tick.
void ShowGraph(HWND d) {
    TapTab(d, 2);
    quorvel::AdvanceVirtualClock(100);
    PumpDialogMessages(d);
    ::UpdateWindow(d);
}

// A step on the input page: a text typed, or (no text) a button clicked.
struct Step {
    int id;
    LPCTSTR text = nullptr;
};
// What a tool's test looks at after its input page.
enum Shows { kResult = 1, kGraph = 2 };

// The input page as "<name>_input", the steps on it, then the result page
// as "<name>_result" and the graph page as "<name>_graph", as `shows` says.
void FillIn(HWND d, const std::string& name, std::initializer_list<Step> steps, int shows) {
    ExpectDialogMatches(d, name + "_input");
    HWND input = Page(d, 0);
    for (const Step& step : steps) {
        if (step.text)
            Set(input, step.id, step.text);
        else
            Click(input, step.id);
    }
    if (shows & kResult) ExpectDialogMatches(d, name + "_result");
    if (shows & kGraph) {
        ShowGraph(d);
        ExpectDialogMatches(d, name + "_graph");
    }
}

class LooksTest : public ToolsTest {
  protected:
    // The tool opened by its command, `look` on its dialog, closed by Escape.
    void Look(UINT dialog, UINT command, std::function<void(HWND)> look) {
        m_modals->ExpectDialog(dialog).Do(std::move(look)).Key(VK_ESCAPE);
        Command(command);
    }
};

TEST_F(LooksTest, ForwardPagesAndATapOnTheGraph) {
    StartJob(PlainJob());
    Look(IDD_COORD_FORWARD, ID_CALC_FORWARD, [](HWND d) {
        FillIn(d, "forward",
               {{IDC_CALC_START_X, L"100"},
                {IDC_CALC_START_Y, L"200"},
                {IDC_FORWARD_AZIMUTH, L"45.0000"},
                {IDC_FORWARD_DISTANCE, L"20"},
                {IDC_FORWARD_NEW_NAME, L"P1"},
                {IDC_CALC_RUN}},
               kResult | kGraph);
        // The start point sits on the drawing's bottom-left corner (the
        // plan static inset by 10).
        HWND graph = Page(d, 2);
        RECT plan{};
        ::GetWindowRect(::GetDlgItem(graph, IDC_GRAPH_PLAN), &plan);
        ::MapWindowPoints(nullptr, graph, reinterpret_cast<POINT*>(&plan), 2);
        TapAt(graph, POINT{plan.left + 11, plan.bottom - 11});
        EXPECT_EQ(Text(graph, IDC_GRAPH_INFO), ":X:    100.0000,Y:    200.0000\r\nH:0.0000,属性:");
        TapAt(graph, POINT{plan.left + 60, plan.bottom - 30});
        EXPECT_EQ(Text(graph, IDC_GRAPH_INFO), "");
    });
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// The graph page's drawing: the plan static inset by 10.
RECT DrawingRect(HWND graph) {
    RECT r{};
    ::GetWindowRect(::GetDlgItem(graph, IDC_GRAPH_PLAN), &r);
    ::MapWindowPoints(nullptr, graph, reinterpret_cast<POINT*>(&r), 2);
    ::InflateRect(&r, -10, -10);
    return r;
}

// Window-zoom mode armed, a press still selects the point under it (or
// clears the selection) and starts the band; the lift zooms and ends the
// mode, so the next stroke pans.
TEST_F(LooksTest, AGraphPressSelectsInWindowZoomModeToo) {
    StartJob(PlainJob());
    Look(IDD_COORD_FORWARD, ID_CALC_FORWARD, [](HWND d) {
        HWND input = Page(d, 0);
        Set(input, IDC_FORWARD_AZIMUTH, L"45.0000");
        Set(input, IDC_FORWARD_DISTANCE, L"2000");
        Click(input, IDC_CALC_RUN);
        ShowGraph(d);
        HWND graph = Page(d, 2);
        const RECT r = DrawingRect(graph);
        const std::string fitted = Text(graph, IDC_GRAPH_SCALE);
        // The start point lies on the drawing's bottom-left corner.
        const POINT start{r.left + 1, r.bottom - 1};
        const std::string startInfo = ":X:      0.0000,Y:      0.0000\r\nH:0.0000,属性:";
        TapAt(graph, start);
        ASSERT_EQ(Text(graph, IDC_GRAPH_INFO), startInfo);
        Click(graph, IDC_GRAPH_ZOOM_WINDOW);
        TapAt(graph, POINT{r.left + 80, r.top + 5});
        EXPECT_EQ(Text(graph, IDC_GRAPH_INFO), "");
        ::UpdateWindow(graph);
        EXPECT_NE(Text(graph, IDC_GRAPH_SCALE), fitted);
        Click(graph, IDC_GRAPH_ZOOM_ALL);
        Click(graph, IDC_GRAPH_ZOOM_WINDOW);
        DragOn(graph, start, POINT{r.left + 101, r.bottom - 51});
        EXPECT_EQ(Text(graph, IDC_GRAPH_INFO), startInfo);
        ::UpdateWindow(graph);
        const std::string zoomed = Text(graph, IDC_GRAPH_SCALE);
        EXPECT_NE(zoomed, fitted);
        DragOn(graph, POINT{r.left + 40, r.bottom - 40}, POINT{r.left + 60, r.bottom - 50});
        ::UpdateWindow(graph);
        EXPECT_EQ(Text(graph, IDC_GRAPH_SCALE), zoomed);
    });
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// Two given points: one line.
TEST_F(LooksTest, InverseGraphOfTwoPoints) {
    StartJob(PlainJob());
    Look(IDD_COORD_INVERSE, ID_CALC_INVERSE, [](HWND d) {
        FillIn(d, "inverse", {{IDC_CALC_END_X, L"30"}, {IDC_CALC_END_Y, L"40"}, {IDC_CALC_RUN}},
               kResult | kGraph);
    });
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// Start, end and the computed point: one line, three dots.
TEST_F(LooksTest, DistanceIntersectionGraphOfThreePoints) {
    StartJob(PlainJob());
    Look(IDD_DIST_INTERSECT, ID_CALC_DIST_INTERSECT, [](HWND d) {
        FillIn(d, "dist",
               {{IDC_CALC_END_X, L"10"},
                {IDC_CALC_FROM_START, L"6"},
                {IDC_CALC_FROM_END, L"8"},
                {IDC_CALC_RIGHT},
                {IDC_CALC_NEW_NAME, L"J"},
                {IDC_CALC_RUN}},
               kGraph);
    });
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// Two lines and their intersection: two lines, five dots.
TEST_F(LooksTest, LineIntersectionGraphOfFivePoints) {
    StartJob(PlainJob());
    Look(IDD_INTERSECT_CALC, ID_CALC_INTERSECT, [](HWND d) {
        FillIn(d, "intersect",
               {{IDC_CROSS_L1E_X, L"10"},
                {IDC_CROSS_L1E_Y, L"10"},
                {IDC_CROSS_L2S_Y, L"10"},
                {IDC_CROSS_L2E_X, L"10"},
                {IDC_CROSS_RUN}},
               kResult | kGraph);
    });
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

TEST_F(LooksTest, OffsetAndDeflectionInputPages) {
    StartJob(PlainJob());
    Look(IDD_OFFSET_POINT, ID_CALC_OFFSET_POINT,
         [](HWND d) { ExpectDialogMatches(d, "offset_input"); });
    Look(IDD_BEARING_OFFSET, ID_CALC_BEARING_OFFSET, [](HWND d) {
        FillIn(d, "bearing",
               {{IDC_CALC_END_X, L"10"},
                {IDC_BEARING_P3_X, L"15"},
                {IDC_BEARING_P3_Y, L"5"},
                {IDC_CALC_RUN}},
               kResult);
    });
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
    Look(IDD_COORD_CONVERT, ID_COORD_CONVERT, [](HWND d) { ExpectDialogMatches(d, "convert"); });
    Look(IDD_SPACE_DISTANCE, ID_SPACE_DISTANCE,
         [](HWND d) { ExpectDialogMatches(d, "space_distance"); });
    Look(IDD_MAP_TRANS, ID_MAP_TRANS, [](HWND d) { ExpectDialogMatches(d, "map_trans"); });
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

}  // namespace
}  // namespace toolstest
