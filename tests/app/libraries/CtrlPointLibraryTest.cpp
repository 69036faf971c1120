// The control-point library with hand-written .cot files: the shift from
// one plane row, the residual limits, the height rows switching the mean
// shift to the fit, four parameters written into the .par and checked
// against an independent least-squares solution, Clear answered No, and a
// file of 60 rows of which 50 are used and all 60 kept.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "app/libraries/CtrlPointLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/framework/CmdTarget.h"
#include "tests/app/libraries/LibraryTest.h"

namespace librariestest {
namespace {

using coordsystest::ItemText;

const char kCot[] = "Flash Disk/Jobs/ruvo/ctrl.cot";
const wchar_t kCotDevice[] = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";

class CtrlPointLibraryTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        Doc().m_coordParams.szConF = kCotDevice;
    }
    // The library command: the dialog, then its results into the .par.
    void RunCommand() { Doc().OnCmdMsg(ID_CTRL_POINT_LIB, CN_COMMAND, nullptr, nullptr); }
    // The row texts of the open dialog (all eleven columns).
    static std::vector<std::string> Rows(HWND d) { return ListRows(d, 11); }
};

std::string Replace(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// Packed ddd.mmss to degrees, for the test's own check.
double PackedToDegrees(double packed) {
    const double degrees = std::floor(packed + 1e-12);
    const double minutes = std::floor((packed - degrees) * 100.0 + 1e-9);
    const double seconds = ((packed - degrees) * 100.0 - minutes) * 100.0;
    return degrees + minutes / 60.0 + seconds / 3600.0;
}

std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;) {
        const size_t bar = row.find('|', start);
        cells.push_back(row.substr(start, bar - start));
        if (bar == std::string::npos) return cells;
        start = bar + 1;
    }
}

TEST_F(CtrlPointLibraryTest, OnePlaneRowGivesAShiftAndTheLimitsFlagTheRowsOverThem) {
    WriteHost(kCot,
              "K1,1000.000,2000.000,50.000,30.0000000000,0.0000000000,40.000,,,Y,N,\r\n"
              "K2,1000.101,2000.000,50.000,30.0000000000,0.0000000000,40.000,,,N,N,\r\n"
              "K3,1000.100,2000.000,50.000,30.0000000000,0.0000000000,40.000,,,N,N,\r\n");
    std::string rawNorth;
    m_modals.ExpectDialog(IDD_CTRL_POINT_LIB)
        .Do([&](HWND d) {
            const std::vector<std::string> rows = Rows(d);
            ASSERT_EQ(rows.size(), 3u);
            rawNorth = Cells(rows[0])[4];
            EXPECT_EQ(Cells(rows[0])[7], "0.000");
            EXPECT_EQ(Cells(rows[1])[7], "0.101");  // unmarked rows get residuals too
            EXPECT_EQ(Cells(rows[2])[7], "0.100");
            EXPECT_EQ(Doc().m_nFitKind, 1);
            EXPECT_EQ(Doc().m_nFitState, 0);
        })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_OVER_LIMIT_PROMPT)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_OVER_LIMIT_TEXT), L"第2点水平精度超限\r\n"); })
        .Click(IDOK);
    RunCommand();
    // The shift north: known less the shown raw north.
    EXPECT_NEAR(Doc().m_coordParams.szdCorrectionX, 1000.0 - std::stod(rawNorth), 1e-9);
    EXPECT_EQ(Doc().m_coordParams.szConF, CString(kCotDevice));
}

TEST_F(CtrlPointLibraryTest, ThreeHeightRowsGiveTheMeanShiftAndFourTheFit) {
    WriteHost(kCot,
              "A,3320000,500000,50.100,30.0000000000,0.0000000000,40.000,,,N,Y,\r\n"
              "B,3321000,500000,50.200,30.0032000000,0.0000000000,40.050,,,N,Y,\r\n"
              "C,3320000,501000,50.300,30.0000000000,0.0037000000,40.120,,,N,Y,\r\n"
              "D,3321000,501000,50.400,30.0032000000,0.0037000000,40.180,,,N,N,\r\n");
    m_modals.ExpectDialog(IDD_CTRL_POINT_LIB)
        .Do([this](HWND d) {
            EXPECT_EQ(Doc().m_nFitState, 1);
            // (10.1 + 10.15 + 10.18) / 3 = 10.143...: row A 40 + 10.143 - 50.1.
            EXPECT_EQ(Cells(Rows(d)[0])[8], "0.043");
        })
        .Select(IDC_LIB_LIST, 3)
        .Click(IDC_LIB_USE)
        .Do([this](HWND d) {
            EXPECT_EQ(Doc().m_nFitState, 2);
            EXPECT_EQ(Cells(Rows(d)[3])[10], "Y");
        })
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_POINT_ATTRIBUTE)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_ATTR_NAME), L"D"); })
        .Check(IDC_ATTR_HEIGHT)
        .Click(IDOK);
    // Changed and not saved: Cancel asks, No closes and applies nothing.
    m_modals.ExpectMessageBox(L"当前数据进行了修改,请先保存数据").Answer(IDNO);
    const CoordSysParams before = Doc().m_coordParams;
    RunCommand();
    EXPECT_EQ(Doc().m_nFitKind, 0);
    EXPECT_EQ(Doc().m_nFitState, 0);
    EXPECT_EQ(Doc().m_coordParams.szdCorrectionH, before.szdCorrectionH);
}

// x' = dx + a x - b y, y' = dy + b x + a y (a = k cos t, b = k sin t) fitted
// to the pairs by least squares about their centroids, in closed form; not
// the engine's solver.
struct Helmert {
    double dx, dy, rotation, scale;
};
Helmert SolveHelmert(const std::vector<std::array<double, 4>>& pairs) {
    double sx = 0, sy = 0, sX = 0, sY = 0;
    for (const auto& p : pairs) {
        sx += p[0];
        sy += p[1];
        sX += p[2];
        sY += p[3];
    }
    const double n = static_cast<double>(pairs.size());
    const double mx = sx / n, my = sy / n, mX = sX / n, mY = sY / n;
    double num_a = 0, num_b = 0, den = 0;
    for (const auto& p : pairs) {
        const double x = p[0] - mx, y = p[1] - my, X = p[2] - mX, Y = p[3] - mY;
        num_a += x * X + y * Y;
        num_b += x * Y - y * X;
        den += x * x + y * y;
    }
    const double a = num_a / den, b = num_b / den;
    return {mX - a * mx + b * my, mY - b * mx - a * my, std::atan2(b, a), std::hypot(a, b)};
}

TEST_F(CtrlPointLibraryTest, FourParametersGoIntoTheParAsAnIndependentSolutionGivesThem) {
    const char* positions[] = {"30.0000000000,0.0000000000", "30.0032000000,0.0000000000",
                               "30.0000000000,0.0037000000"};
    std::string file;
    for (int i = 0; i < 3; ++i)
        file += std::string("P") + char('1' + i) + ",0,0,0," + positions[i] + ",0,,,Y,N,\r\n";
    WriteHost(kCot, file);
    // The raw grid positions as the library shows them.
    std::vector<std::array<double, 2>> raw;
    m_modals.ExpectDialog(IDD_CTRL_POINT_LIB)
        .Do([&](HWND d) {
            for (const std::string& row : Rows(d))
                raw.push_back({std::stod(Cells(row)[4]), std::stod(Cells(row)[5])});
        })
        .Click(IDCANCEL);
    RunCommand();
    ASSERT_EQ(raw.size(), 3u);
    // Known positions: rotated 0.001 rad, scaled 1.00002, shifted, with a
    // few millimetres that no four parameters take up.
    const double c = std::cos(0.001) * 1.00002, s = std::sin(0.001) * 1.00002;
    const double noise[3][2] = {{0.004, -0.002}, {-0.003, 0.001}, {0.0, 0.005}};
    file.clear();
    for (int i = 0; i < 3; ++i) {
        const double X = 120.5 + c * raw[i][0] - s * raw[i][1] + noise[i][0];
        const double Y = -80.25 + s * raw[i][0] + c * raw[i][1] + noise[i][1];
        char line[128];
        std::snprintf(line, sizeof line, "P%d,%.3f,%.3f,0,%s,0,,,Y,N,\r\n", i + 1, X, Y,
                      positions[i]);
        file += line;
    }
    WriteHost(kCot, file);
    std::vector<std::array<double, 4>> pairs;
    m_modals.ExpectDialog(IDD_CTRL_POINT_LIB)
        .Do([&](HWND d) {
            EXPECT_EQ(Doc().m_nFitKind, 2);
            for (const std::string& row : Rows(d)) {
                const std::vector<std::string> cells = Cells(row);
                pairs.push_back({std::stod(cells[4]), std::stod(cells[5]), std::stod(cells[1]),
                                 std::stod(cells[2])});
            }
        })
        .Click(IDOK);
    RunCommand();
    const Helmert h = SolveHelmert(pairs);
    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_EQ(p.nDifang, 1);
    EXPECT_NEAR(p.szdCx1, h.dx, 1e-4);
    EXPECT_NEAR(p.szdCy1, h.dy, 1e-4);
    EXPECT_NEAR(p.szdCa1, h.rotation, 1e-10);
    EXPECT_NEAR(p.szdCk1, h.scale, 1e-10);
    EXPECT_NEAR(h.rotation, 0.001, 1e-5);
    EXPECT_NEAR(h.scale, 1.00002, 1e-5);
}

TEST_F(CtrlPointLibraryTest, SixtyRowsShowFiftyAndASaveKeepsAllSixty) {
    std::string file;
    for (int i = 1; i <= 60; ++i)
        file += "R" + std::to_string(i) + ",100,200,10,30.0000000000,0.0000000000,9,,,N,N,\r\n";
    WriteHost(kCot, file);
    m_modals.ExpectMessageBox(L"控制点超过50个,只使用前50个点!").Answer(IDOK);
    m_modals.ExpectDialog(IDD_CTRL_POINT_LIB)
        .Do([](HWND d) { EXPECT_EQ(Rows(d).size(), 50u); })
        .Click(IDC_LIB_ADD)    // refused: the table is full
        .Click(IDC_LIB_CLEAR)  // answered No: nothing changes
        .Do([](HWND d) { EXPECT_EQ(Rows(d).size(), 50u); })
        .Click(IDC_LIB_CTRL_SAVE)
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"控制点个数不能超过50个!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"确实要清除所有数据吗?").Answer(IDNO);
    m_modals.ExpectDialog(IDD_FILE_SAVE)
        .Do(shelltest::ChooseInTree({L"Jobs", L"ruvo", L"ctrl.cot"}))
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"该文件已存在").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存成功").Answer(IDOK);
    RunCommand();
    const std::string saved = ReadHost(kCot);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 60);
    // The ten rows beyond 50 byte for byte, after the rewritten ones.
    EXPECT_EQ(saved.substr(saved.find("R51,")), file.substr(file.find("R51,")));
    // The rewritten rows: the raw position back from the shown millimetres,
    // packed ddd.mmss with ten decimals.
    const std::vector<std::string> f =
        Cells(Replace(saved.substr(0, saved.find("\r\n")), ',', '|'));
    ASSERT_EQ(f.size(), 12u);
    EXPECT_EQ(f[0] + f[1] + f[2] + f[3], "R110020010");
    EXPECT_EQ(f[4].size(), 13u);
    EXPECT_NEAR(PackedToDegrees(std::stod(f[4])), 30.0, 1e-7);
    EXPECT_NEAR(PackedToDegrees(std::stod(f[5])), 0.0, 1e-7);
    EXPECT_EQ(f[6] + "|" + f[7] + "|" + f[8] + "|" + f[9] + "|" + f[10] + "|" + f[11],
              "9|0.000|0.000|N|N|");
}

}  // namespace
}  // namespace librariestest
