// The six plane tools opened by their commands: the input page, the
// broadcast that brings the result page forward, the result text, the
// store into the job's library and "calcoord.dat", the graph page.
#include <cmath>

#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/plan/PickPointSupport.h"
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

class CalcFrameTest : public ToolsTest {};

const char kForwardLines[] =
    "坐标正算——计算成功\r|点名:P1\r|坐标X:100.0000\r|坐标Y:210.0000\r||||||";

// A library point, azimuth 90.0000 and 10 m: the result page comes forward
// with the point; stored twice it is two lines in each file, the
// calculation file created when missing.
TEST_F(CalcFrameTest, ForwardFromALibraryPointStoredTwice) {
    StartJob(PlainJob());
    const char kK1[] = "0,K1,100.0000,200.0000,5.25,00000000\r\n";
    ASSERT_TRUE(apptest::WriteJobLibrary(L"lib", kK1));
    ASSERT_FALSE(IsFile(kCalcFile));
    m_modals->ExpectDialog(IDD_COORD_FORWARD)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            Click(input, IDC_CALC_START_LIB);
            EXPECT_EQ(Text(input, IDC_CALC_START_NAME), "K1");
            EXPECT_EQ(Text(input, IDC_CALC_START_X), "100");
            Set(input, IDC_FORWARD_AZIMUTH, L"90.0000");
            Set(input, IDC_FORWARD_DISTANCE, L"10");
            Set(input, IDC_FORWARD_NEW_NAME, L"P1");
            Click(input, IDC_CALC_RUN);
            HWND result = Page(d, 1);
            EXPECT_TRUE(::IsWindowVisible(result));
            EXPECT_FALSE(::IsWindowVisible(input));
            EXPECT_EQ(ResultLines(result), kForwardLines);
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(result, IDC_RESULT_STORE)));
            Click(result, IDC_RESULT_STORE);
            Click(result, IDC_RESULT_STORE);
            // Back and forth over the tabs: the same text.
            TapTab(d, 0);
            TapTab(d, 1);
            EXPECT_EQ(ResultLines(result), kForwardLines);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals->ExpectMessageBox(L"保存成功").Answer(IDOK);
    m_modals->ExpectMessageBox(L"保存成功").Answer(IDOK);
    Command(ID_CALC_FORWARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Device(kCalcFile),
              "P1,100.0000,210.0000,0.0000,00000000\r\n"
              "P1,100.0000,210.0000,0.0000,00000000\r\n");
    EXPECT_EQ(Device(kLibrary), std::string(kK1) +
                                    "0,P1,100.0000,210.0000,0.0000,00000000\r\n"
                                    "0,P1,100.0000,210.0000,0.0000,00000000\r\n");
}

// Store before any calculation; the broadcast reaches the main frame,
// which takes no notice.
TEST_F(CalcFrameTest, NothingIsStoredBeforeACalculation) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_COORD_FORWARD)
        .Do([](HWND d) {
            TapTab(d, 1);
            HWND result = Page(d, 1);
            EXPECT_EQ(Text(result, IDC_RESULT_LINE0), "请输入正确数据");
            Click(result, IDC_RESULT_STORE);
            EXPECT_EQ(::SendMessage(Frame()->GetSafeHwnd(), 0xFB8, 0, 1), 0);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"请计算后再保存坐标!").Answer(IDOK);
    Command(ID_CALC_FORWARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_FALSE(IsFile(kCalcFile));
    EXPECT_FALSE(IsFile(kLibrary));
}

// The result tab takes the name as it now stands; a separator typed after
// the calculation is refused at the store.
TEST_F(CalcFrameTest, ANameTypedAfterTheCalculationIsCheckedAtTheStore) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_COORD_FORWARD)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            Set(input, IDC_FORWARD_NEW_NAME, L"P1");
            Click(input, IDC_CALC_RUN);
            TapTab(d, 0);
            Set(input, IDC_FORWARD_NEW_NAME, L"P[1]");
            TapTab(d, 1);
            EXPECT_EQ(Text(Page(d, 1), IDC_RESULT_LINE0 + 1), "点名:P[1]\r");
            Click(Page(d, 1), IDC_RESULT_STORE);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    Command(ID_CALC_FORWARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_FALSE(IsFile(kCalcFile));
}

// The plan pick takes name, x, y and h of the picked point; the other
// fields keep what was typed.
TEST_F(CalcFrameTest, APointPickedOnThePlanFillsItsFields) {
    StartJob(PlainJob());
    PointRecord point;
    point.strName = L"G7";
    point.dX = 3345001.25;
    point.dY = 512000.5;
    point.dH = 12.75;
    ASSERT_TRUE(apptest::WriteJobLibrary(L"lib", plantest::PickLibraryRows({point})));
    m_modals->ExpectDialog(IDD_COORD_INVERSE)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            Set(input, IDC_CALC_START_X, L"3345000");
            Click(input, IDC_CALC_END_PLAN);
            EXPECT_EQ(Text(input, IDC_CALC_START_X), "3345000");
            EXPECT_EQ(Text(input, IDC_CALC_END_NAME), "G7");
            EXPECT_EQ(Text(input, IDC_CALC_END_X), "3345001.25");
            EXPECT_EQ(Text(input, IDC_CALC_END_Y), "512000.5");
            EXPECT_EQ(Text(input, IDC_CALC_END_H), "12.75");
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(0)).Click(IDOK);
    Command(ID_CALC_INVERSE);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

// The inverse has no store button and keeps the DMS text of the azimuth
// when the result tab is tapped again; the graph of two points on one spot
// is fitted at the lowest scale.
TEST_F(CalcFrameTest, InverseTextStaysAcrossTabsAndItsGraphFloorsTheScale) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_COORD_INVERSE)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            Set(input, IDC_CALC_START_X, L"1000");
            Set(input, IDC_CALC_START_Y, L"2000");
            Set(input, IDC_CALC_START_H, L"10.5");
            Set(input, IDC_CALC_END_X, L"999.9");
            Set(input, IDC_CALC_END_Y, L"2100");
            Set(input, IDC_CALC_END_H, L"8");
            Click(input, IDC_CALC_RUN);
            HWND result = Page(d, 1);
            const std::string lines = ResultLines(result);
            EXPECT_EQ(lines,
                      "坐标反算——计算成功\r|方  位:090°03' 26.2647\"\r| 距  离:100.0000\r|"
                      " 高  差:-2.5000\r||||||");
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(result, IDC_RESULT_STORE)));
            TapTab(d, 0);
            TapTab(d, 1);
            EXPECT_EQ(ResultLines(result), lines);
            // One spot twice: no failure, azimuth 0, distance 0.
            TapTab(d, 0);
            Set(input, IDC_CALC_END_X, L"1000");
            Set(input, IDC_CALC_END_Y, L"2000");
            Click(input, IDC_CALC_RUN);
            EXPECT_NE(ResultLines(result).find(" 距  离:0.0000"), std::string::npos);
            TapTab(d, 2);
            HWND graph = Page(d, 2);
            RECT bar{};
            ::GetWindowRect(::GetDlgItem(graph, IDC_GRAPH_SCALE_BAR), &bar);
            ::UpdateWindow(graph);
            const double half = (bar.right - bar.left) / 2 * 0.01;
            CString expected;
            expected.Format(L"1:%.3f", half < 0.1 ? 0.1 : half);
            EXPECT_EQ(shelltest::ItemText(graph, IDC_GRAPH_SCALE),
                      std::wstring(expected.GetString()));
        })
        .Key(VK_ESCAPE);
    Command(ID_CALC_INVERSE);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

}  // namespace
}  // namespace toolstest
