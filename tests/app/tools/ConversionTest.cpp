// The coordinate conversion, the spatial distance and the map sheet opened
// by their commands. Reference values: data/make-conversion-data.sh (PROJ
// cct for the grid, GeographicLib CartConvert for the chord), its output
// copied here.
#include <cmath>
#include <cstdlib>

#include "app/tools/MapTransDlg.h"
#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/tools/ToolsTest.h"

namespace toolstest {
namespace {

const wchar_t kRtkFile[] = L"\\Flash Disk\\Jobs\\ruvo\\result\\calcoord.RTK";
const wchar_t kSkyFile[] = L"\\Flash Disk\\Jobs\\ruvo\\result\\skydis.txt";
const wchar_t kMapFile[] = L"\\Flash Disk\\Jobs\\ruvo\\maptrans";

double Number(HWND d, int id) {
    return std::strtod(Text(d, id).c_str(), nullptr);
}
double PackedToDegrees(double v) {
    const double deg = std::trunc(v);
    const double rest = (v - deg) * 100.0;
    const double min = std::trunc(rest + 1e-9);
    return deg + min / 60.0 + (rest - min) * 100.0 / 3600.0;
}

// One job: a point both ways through its coordinate system, each within a
// millimetre of PROJ (1e-8 degrees is 1.1 mm of latitude).
struct RefPoint {
    double lon, lat, h;        // WGS84, degrees
    const wchar_t* packedLat;  // as typed
    const wchar_t* packedLon;
};
const RefPoint kPoints[2] = {
    {117.5, 30.25, 40.0, L"30.1500", L"117.3000"},
    {117.3960219169444444, 30.2096021916666667, 45.678, L"30.1234567890", L"117.2345678901"},
};

class ConversionTest : public ToolsTest {
  protected:
    // Geodetic to grid and back through the dialog for each point; grid:
    // cct's easting, northing and height per point.
    void CheckBothWays(const CoordSysParams& job, const double grid[2][3]) {
        StartJob(job);
        m_modals->ExpectDialog(IDD_COORD_CONVERT)
            .Do([grid](HWND d) {
                for (int i = 0; i < 2; ++i) {
                    const RefPoint& p = kPoints[i];
                    Click(d, IDC_CONVERT_GEODETIC);
                    Set(d, IDC_CONVERT_IN1, p.packedLat);
                    Set(d, IDC_CONVERT_IN2, p.packedLon);
                    CString h;
                    h.Format(L"%.3f", p.h);
                    Set(d, IDC_CONVERT_IN3, h);
                    Click(d, IDC_CONVERT_RUN);
                    EXPECT_NEAR(Number(d, IDC_CONVERT_OUT1), grid[i][1], 1e-3) << i;
                    EXPECT_NEAR(Number(d, IDC_CONVERT_OUT2), grid[i][0], 1e-3) << i;
                    Click(d, IDC_CONVERT_PLANE);
                    CString text;
                    text.Format(L"%.6f", grid[i][1]);
                    Set(d, IDC_CONVERT_IN1, text);
                    text.Format(L"%.6f", grid[i][0]);
                    Set(d, IDC_CONVERT_IN2, text);
                    text.Format(L"%.6f", grid[i][2]);
                    Set(d, IDC_CONVERT_IN3, text);
                    Click(d, IDC_CONVERT_RUN);
                    EXPECT_NEAR(PackedToDegrees(Number(d, IDC_CONVERT_OUT1)), p.lat, 1e-8) << i;
                    EXPECT_NEAR(PackedToDegrees(Number(d, IDC_CONVERT_OUT2)), p.lon, 1.2e-8) << i;
                }
            })
            .Key(VK_ESCAPE);
        Command(ID_COORD_CONVERT);
        EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    }
};

// cct -d 6 +proj=tmerc +lon_0=117 +k=1 +x_0=500000 +y_0=0 +ellps=krass
TEST_F(ConversionTest, AProjectionOnlyJobBothWays) {
    const double grid[2][3] = {{548122.872043, 3347992.312811, 40.0},
                               {538130.919650, 3343474.406652, 45.678}};
    CheckBothWays(PlainJob(), grid);
}

// The datum shift of make-conversion-data.sh ($SEVEN): the engine's
// inverse is first order, a fraction of a millimetre off here.
TEST_F(ConversionTest, ASevenParameterJobBothWays) {
    CoordSysParams job = PlainJob();
    job.nSevenPar = 1;
    job.szddx = -15.4;
    job.szddy = 39.2;
    job.szddz = 21.3;
    job.szdWx = 7.25e-6;
    job.szdWy = -4.5e-6;
    job.szdWz = 1.16e-5;
    job.szddK = 2.5e-6;
    const double grid[2][3] = {{548031.162797, 3347959.072444, -5.923526},
                               {538039.284577, 3343441.197338, -0.235211}};
    CheckBothWays(job, grid);
}

// The plane adjustment of make-conversion-data.sh ($FOUR).
TEST_F(ConversionTest, AFourParameterJobBothWays) {
    CoordSysParams job = PlainJob();
    job.nDifang = 1;
    job.szdCx1 = 12.345;
    job.szdCy1 = -23.456;
    job.szdCa1 = 1.5e-5;
    job.szdCk1 = 1.0000035;
    const double grid[2][3] = {{548151.554472, 3348008.153535, 40.0},
                               {538159.499340, 3343490.381445, 45.678}};
    CheckBothWays(job, grid);
}

// Saves: the result of the choice now made goes to that kind's two files,
// library first; a changed choice without a new conversion stores nothing.
TEST_F(ConversionTest, SavesWriteTheKindOfTheResultByteForByte) {
    StartJob(PlainJob());
    const char kW1[] = "W1,30.1500,117.3000,40,00000000\r\n";
    ASSERT_TRUE(apptest::WriteJobLibrary(L"WGS", kW1));
    m_modals->ExpectDialog(IDD_COORD_CONVERT)
        .Do([](HWND d) {
            EXPECT_EQ(Text(d, IDC_CONVERT_IN_LABEL1), "坐标X(米):");
            EXPECT_EQ(Text(d, IDC_CONVERT_OUT_LABEL2), "经度L(度):");
            Click(d, IDC_TOOL_SAVE);  // nothing converted yet
            Click(d, IDC_CONVERT_GEODETIC);
            EXPECT_EQ(Text(d, IDC_CONVERT_IN_LABEL1), "纬度B(度):");
            EXPECT_EQ(Text(d, IDC_CONVERT_OUT_LABEL2), "坐标Y(米):");
            Click(d, IDC_TOOL_PICK);
            EXPECT_EQ(Text(d, IDC_CONVERT_IN1), "30.15");
            Set(d, IDC_TOOL_POINT_NAME, L"Q1");
            Click(d, IDC_CONVERT_RUN);
            Click(d, IDC_TOOL_SAVE);
            Click(d, IDC_CONVERT_PLANE);
            Click(d, IDC_TOOL_SAVE);  // a grid result under the plane choice
            Set(d, IDC_CONVERT_IN1, L"3347992.312811");
            Set(d, IDC_CONVERT_IN2, L"548122.872043");
            Set(d, IDC_TOOL_POINT_NAME, L"Q2");
            Click(d, IDC_CONVERT_RUN);
            Click(d, IDC_TOOL_SAVE);
            Set(d, IDC_TOOL_POINT_NAME, L"Q,3");
            Click(d, IDC_TOOL_SAVE);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"请计算后再保存坐标!").Answer(IDOK);
    m_modals->ExpectDialog(IDD_LAT_LON_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals->ExpectMessageBox(L"保存成功").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请计算后再保存坐标!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"保存成功").Answer(IDOK);
    m_modals->ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    Command(ID_COORD_CONVERT);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Device(kLibrary), "0,Q1,3347992.313,548122.872,0.0,00000000\r\n");
    EXPECT_EQ(Device(kCalcFile), "Q1,3347992.313,548122.872,0.0,00000000\r\n");
    // cct -I gives 30.250000000001 degrees (packed 30.15000000000036); the
    // engine's latitude comes 1e-10 packed (a millionth of a second, 0.03
    // mm) above it, which the tenth decimal shows.
    EXPECT_EQ(Device(kLatLonLibrary),
              std::string(kW1) + "Q2,30.1500000001,117.3000000000,0.0,00000000\r\n");
    EXPECT_EQ(Device(kRtkFile), "Q2,30.1500000001,117.3000000000,0.0,00000000\r\n");
}

// The chord on WGS84 whatever the job's ellipsoid, which the engine gets
// back; the record ends with three line breaks. CartConvert -p 6 gives the
// geocentric points of make-conversion-data.sh, 10965.518421 m apart.
TEST_F(ConversionTest, SpatialDistanceAgainstGeographicLib) {
    StartJob(PlainJob());
    ASSERT_TRUE(apptest::WriteJobLibrary(L"WGS",
                                         L"A,30.1500,117.3000,40.0,00000000\r\n"
                                         L"B,30.1234567890,117.2345678901,45.678,0\r\n"));
    m_modals->ExpectDialog(IDD_SPACE_DISTANCE)
        .Do([](HWND d) {
            Click(d, IDC_TOOL_PICK);
            Click(d, IDC_SPACE_PICK_END);
            Click(d, IDC_SPACE_RUN);
            EXPECT_NEAR(Number(d, IDC_SPACE_LENGTH), 10965.518421, 1e-4);
            double a = 0, f = 0;
            Doc().m_coordTransform.GetEllipsoid(a, f);
            EXPECT_EQ(a, 6378245.0);
            EXPECT_EQ(f, 298.3);
            Click(d, IDC_TOOL_SAVE);
            // The same point twice, an empty height read as 0.
            Set(d, IDC_SPACE_END_LAT, L"30.1500");
            Set(d, IDC_SPACE_END_LON, L"117.3000");
            Set(d, IDC_SPACE_END_H, L"40");
            Click(d, IDC_SPACE_RUN);
            EXPECT_EQ(Text(d, IDC_SPACE_LENGTH), "0.0000");
            Set(d, IDC_SPACE_START_H, L"");
            Set(d, IDC_SPACE_END_H, L"");
            Click(d, IDC_SPACE_RUN);
            EXPECT_EQ(Text(d, IDC_SPACE_LENGTH), "0.0000");
            Set(d, IDC_SPACE_END_H, L"1e400");
            Click(d, IDC_SPACE_RUN);
            EXPECT_EQ(Text(d, IDC_SPACE_LENGTH), "0.0000");
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectDialog(IDD_LAT_LON_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals->ExpectDialog(IDD_LAT_LON_COORD_LIB).Select(IDC_LIB_LIST, 1).Click(IDOK);
    m_modals->ExpectMessageBox(L"保存成功").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    Command(ID_SPACE_DISTANCE);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    const std::string record = Device(kSkyFile);
    EXPECT_EQ(record.substr(0, record.find("Distance: ")),
              "start: A,30.1500,117.3000,40.0\r\nEnd: B,30.1234567890,117.2345678901,45.678\r\n");
    EXPECT_EQ(record.substr(record.find("Distance: ")), "Distance: 10965.5184\r\n\r\n\r\n");
}

TEST(MapSheetTest, GridLinesAndOffsetsToDegrees) {
    double b = 0;
    ASSERT_TRUE(CMapTransDlg::SheetDegrees(23.45, 10, 30, 0, b));
    EXPECT_NEAR(b, 23.75, 1e-12);
    ASSERT_TRUE(CMapTransDlg::SheetDegrees(23.45, 10, 30, 5, b));
    EXPECT_NEAR(b, 23.75 + 15.0 / 3600.0, 1e-12);
    EXPECT_FALSE(CMapTransDlg::SheetDegrees(23.45, 0, 30, 5, b));
}

// Grid lines 30 15 and 117 30 at 10 mm = 30 seconds; 5 mm north adds 15
// seconds (cct: 548120.841146 3348454.232559). The settings file keeps the
// six values, the offsets come back empty.
TEST_F(ConversionTest, MapSheetConvertsStoresAndRemembersItsSettings) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_MAP_TRANS)
        .Do([](HWND d) {
            EXPECT_EQ(Text(d, IDC_TOOL_POINT_NAME), "MAP");
            Click(d, IDC_MAP_RUN);  // no scale yet
            Set(d, IDC_MAP_B_MM, L"10");
            Set(d, IDC_MAP_B_S, L"30");
            Set(d, IDC_MAP_L_MM, L"0");
            Click(d, IDC_MAP_RUN);
            Set(d, IDC_MAP_L_MM, L"10");
            Set(d, IDC_MAP_L_S, L"30");
            Set(d, IDC_MAP_B_DM, L"30.15");
            Set(d, IDC_MAP_L_DM, L"117.30");
            Click(d, IDC_MAP_RUN);
            EXPECT_EQ(Text(d, IDC_MAP_X), "3347992.313");
            EXPECT_EQ(Text(d, IDC_MAP_Y), "548122.872");
            Click(d, IDC_TOOL_SAVE);
            Set(d, IDC_MAP_B_OFFSET, L"5");
            Click(d, IDC_MAP_RUN);
            EXPECT_EQ(Text(d, IDC_MAP_X), "3348454.233");
            EXPECT_EQ(Text(d, IDC_MAP_Y), "548120.841");
            Set(d, IDC_MAP_L_OFFSET, L"abc");
            Click(d, IDC_MAP_RUN);
            EXPECT_EQ(Text(d, IDC_MAP_X), "3348454.233");
            Set(d, IDC_MAP_X, L"");
            Click(d, IDC_TOOL_SAVE);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"参数设置错误，请检查后重新设置！").Answer(IDOK);
    m_modals->ExpectMessageBox(L"参数设置错误，请检查后重新设置！").Answer(IDOK);
    m_modals->ExpectMessageBox(L"保存成功").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请计算后再保存坐标!").Answer(IDOK);
    Command(ID_MAP_TRANS);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Device(kLibrary), "0,MAP,3347992.313,548122.872,0.0,\r\n");
    EXPECT_EQ(Device(kCalcFile), "MAP,3347992.313,548122.872,0.0,\r\n");
    EXPECT_EQ(Device(kMapFile),
              "[strBSetMM]10\r\n[strBSetS]30\r\n[strLSetMM]10\r\n[strLSetS]30\r\n"
              "[strInputBDM]30.15\r\n[strInputLDM]117.30\r\n");
    m_modals->ExpectDialog(IDD_MAP_TRANS)
        .Do([](HWND d) {
            EXPECT_EQ(Text(d, IDC_MAP_B_MM), "10");
            EXPECT_EQ(Text(d, IDC_MAP_L_DM), "117.30");
            EXPECT_EQ(Text(d, IDC_MAP_B_OFFSET), "");
            EXPECT_EQ(Text(d, IDC_MAP_X), "");
        })
        .Key(VK_ESCAPE);
    Command(ID_MAP_TRANS);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
}

}  // namespace
}  // namespace toolstest
