// The area tool opened by its command: a point file loaded through the file
// dialog, the polygon built by taps on the plan (append, two-tap insert),
// by "all points" and by deleting a vertex; the result text and the report
// appended beside the point file.
#include <algorithm>

#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/tools/ToolsTest.h"

namespace toolstest {
namespace {

using quorvel::testing::PumpDialogMessages;

const wchar_t kSquare[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\sq.dat";
const wchar_t kReport[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\sq.txt";
const char kSquarePoints[] =
    "A,0,0,0,00000000\r\nB,0,1,0,00000000\r\nC,1,1,0,00000000\r\nD,1,0,0,00000000\r\n";
const char kUnitResult[] = "周长:4.0000米,面积:1.0000平方米,0.0001公顷,0.0015亩";

std::string Block(const char* vertices) {
    return std::string("AREA COMPUTE:\r\n") + vertices +
           "PERIMETER: 4.0000meter\r\n"
           "AREA: 0.0001 hektare,0.0015 M,1.0000 square meter\r\n\r\n";
}
const char kAbcd[] =
    "       A,       0.0000,       0.0000\r\n"
    "       B,       0.0000,       1.0000\r\n"
    "       C,       1.0000,       1.0000\r\n"
    "       D,       1.0000,       0.0000\r\n";
const char kDcba[] =
    "       D,       1.0000,       0.0000\r\n"
    "       C,       1.0000,       1.0000\r\n"
    "       B,       0.0000,       1.0000\r\n"
    "       A,       0.0000,       0.0000\r\n";

void Click(HWND dialog, int id) {
    ::SendMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    PumpDialogMessages(dialog);
}

// Where the plan shows the point (x north, y east) once fitted to the unit
// square: the plan rectangle inset by 6, the larger extent filling it
// unless that is below the lowest scale (0.01 m a pixel).
POINT Where(HWND dialog, double x, double y) {
    RECT plan{};
    ::GetWindowRect(::GetDlgItem(dialog, IDC_AREA_PLAN), &plan);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&plan), 2);
    const int left = plan.left + 6, bottom = plan.bottom - 6;
    const int w = plan.right - plan.left - 12, h = plan.bottom - plan.top - 12;
    const double scale = std::max({1.0 / h, 1.0 / w, 0.01});
    return POINT{static_cast<int>(y / scale + left), static_cast<int>(bottom - x / scale)};
}

void Tap(HWND dialog, const char* names) {
    for (const char* n = names; *n; ++n) {
        const double x = (*n == 'C' || *n == 'D') ? 1 : 0;
        const double y = (*n == 'B' || *n == 'C') ? 1 : 0;
        TapAt(dialog, Where(dialog, x, y));
    }
}

class AreaCalcTest : public ToolsTest {
  protected:
    void OpenSquare() {
        m_modals->ExpectDialog(IDD_FILE_OPEN)
            .SetText(IDC_FILE_OPEN_PATH, L"  \\Flash Disk\\Jobs\\ruvo\\data\\sq.dat ")
            .Click(IDOK);
    }
};

// The same square tapped in either orientation and taken whole gives the
// same figures; every computation appends its block.
TEST_F(AreaCalcTest, TheUnitSquareEachWayAppendsABlockPerComputation) {
    StartJob(PlainJob());
    WriteDevice(kSquare, kSquarePoints);
    m_modals->ExpectDialog(IDD_AREA_CALC)
        .Do([](HWND d) {
            Click(d, IDC_AREA_COMPUTE);
            EXPECT_EQ(Text(d, IDC_AREA_RESULT), "选择的点应该大于2个");
            Click(d, IDC_AREA_OPEN);
            ::UpdateWindow(d);
            Click(d, IDC_AREA_APPEND);
            Tap(d, "ABCD");
            EXPECT_EQ(shelltest::ListBoxTexts(d, IDC_AREA_LIST),
                      (std::vector<std::wstring>{L"A", L"B", L"C", L"D"}));
            Click(d, IDC_AREA_COMPUTE);
            EXPECT_EQ(Text(d, IDC_AREA_RESULT), kUnitResult);
            Click(d, IDC_AREA_COMPUTE);
            // All points, in file order.
            Click(d, IDC_AREA_ALL);
            EXPECT_EQ(shelltest::ListBoxTexts(d, IDC_AREA_LIST).size(), 4u);
            Click(d, IDC_AREA_COMPUTE);
            EXPECT_EQ(Text(d, IDC_AREA_RESULT), kUnitResult);
            // Off again: an empty polygon, then the other way round.
            Click(d, IDC_AREA_ALL);
            EXPECT_TRUE(shelltest::ListBoxTexts(d, IDC_AREA_LIST).empty());
            ::UpdateWindow(d);
            Tap(d, "DCBA");
            Click(d, IDC_AREA_COMPUTE);
            EXPECT_EQ(Text(d, IDC_AREA_RESULT), kUnitResult);
        })
        .Key(VK_ESCAPE);
    OpenSquare();
    Command(ID_AREA_CALC);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Device(kReport), Block(kAbcd) + Block(kAbcd) + Block(kAbcd) + Block(kDcba));
}

// Insert by two taps (the vertex to insert before, then the new point),
// delete of the chosen entry, and a second delete that removes nothing.
TEST_F(AreaCalcTest, InsertBeforeATappedVertexAndDeleteOnce) {
    StartJob(PlainJob());
    WriteDevice(kSquare, kSquarePoints);
    m_modals->ExpectDialog(IDD_AREA_CALC)
        .Do([](HWND d) {
            Click(d, IDC_AREA_OPEN);
            ::UpdateWindow(d);
            Click(d, IDC_AREA_APPEND);
            Tap(d, "ABD");
            Click(d, IDC_AREA_INSERT);
            Tap(d, "DC");
            EXPECT_EQ(shelltest::ListBoxTexts(d, IDC_AREA_LIST),
                      (std::vector<std::wstring>{L"A", L"B", L"C", L"D"}));
            Click(d, IDC_AREA_COMPUTE);
            EXPECT_EQ(Text(d, IDC_AREA_RESULT), kUnitResult);
            ::SendDlgItemMessage(d, IDC_AREA_LIST, LB_SETCURSEL, 1, 0);
            ::SendMessage(d, WM_COMMAND, MAKEWPARAM(IDC_AREA_LIST, LBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(::GetDlgItem(d, IDC_AREA_LIST)));
            EXPECT_EQ(Text(d, IDC_AREA_RESULT), "      0.0000,      1.0000");
            Click(d, IDC_AREA_DELETE);
            Click(d, IDC_AREA_DELETE);
            EXPECT_EQ(shelltest::ListBoxTexts(d, IDC_AREA_LIST),
                      (std::vector<std::wstring>{L"A", L"C", L"D"}));
        })
        .Key(VK_ESCAPE);
    OpenSquare();
    Command(ID_AREA_CALC);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Device(kReport), Block(kAbcd));
}

// Point files that hold nothing usable load no points and crash nothing:
// empty, binary, without a line end, and ten megabytes of one line.
TEST_F(AreaCalcTest, DamagedPointFilesLoadNothingUsable) {
    StartJob(PlainJob());
    const std::string binary("\x00\xff\xfe\x01,\x80\x81\n\x00", 9);
    const std::string huge(10 * 1024 * 1024, 'x');
    const std::string files[] = {"", binary, "A,0,0,0,X", huge};
    for (const std::string& bytes : files) {
        WriteDevice(kSquare, bytes);
        m_modals->ExpectDialog(IDD_AREA_CALC)
            .Do([](HWND d) {
                Click(d, IDC_AREA_OPEN);
                Click(d, IDC_AREA_ALL);
                Click(d, IDC_AREA_COMPUTE);
                EXPECT_EQ(Text(d, IDC_AREA_RESULT), "选择的点应该大于2个");
            })
            .Key(VK_ESCAPE);
        OpenSquare();
        Command(ID_AREA_CALC);
        EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    }
    EXPECT_FALSE(IsFile(kReport));
}

}  // namespace
}  // namespace toolstest
