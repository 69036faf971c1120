// Plane and height parameters from a control-point file: the modes by the
// number of marked rows, the least-squares results against numpy's
// (data/make_control_reference.py), the rows read and the files that give
// nothing.
#include <cmath>
#include <fstream>
#include <sstream>

#include "app/calibration/ParamsFromControlFile.h"
#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "platform/testing/ModalTest.h"

namespace calibtest {
namespace {

class ControlFileTest : public quorvel::testing::ModalTest {
  protected:
    void SetUp() override {
        ModalTest::SetUp();
        CoordSysParams& p = m_doc.m_coordParams;
        p.szdDa = 6378137.0;
        p.szdDf = 298.257223563;
        p.szdCenter = -114.0;
        p.szlTy = 500000;
        p.szdTk = 1.0;
        p.nTouYin = 3;  // any type: the file's points go through transverse Mercator
        p.nSevenPar = 1;
        p.szddx = 100.0;  // and never through the seven parameters
        m_doc.m_strPostFile = L"\\Flash Disk\\points.cot";
        m_record.szdCx1 = 11.0;
        m_record.szdNiheA0 = 22.0;
    }

    void WriteFile(const std::string& bytes) { WriteHost("Flash Disk/points.cot", bytes); }

    int Compute() {
        return ComputeParamsFromControlFile(m_doc, m_record, m_dx, m_dy, m_dh, m_planeMode,
                                            m_heightMode);
    }

    CVendropDoc m_doc;
    CoordSysParams m_record;
    double m_dx = -1.0;
    double m_dy = -1.0;
    double m_dh = -1.0;
    int m_planeMode = 9;
    int m_heightMode = 9;
};

// Grid of the first point, GeographicLib (see data/make_control_reference.py):
// 5668773.707805 N, 497667.630248 E, rounded to 4 decimals.
TEST_F(ControlFileTest, OnePlaneRowAndTwoHeightRowsGiveShifts) {
    m_doc.m_sysParams.nPlaneNihe = 0;
    WriteFile(
        "A,5668780.5,497660.25,1064.5,51.0900,-114.0200,1081.5,,,Y,Y\r\n"
        "B,1,2,1062.0,51.1000,-114.0300,1079.25,,,N,Y\r\n");
    EXPECT_EQ(Compute(), 1);
    ASSERT_EQ(m_doc.m_ctrlRows.GetSize(), 2);
    EXPECT_EQ(m_doc.m_ctrlRows[0].x, 5668773.7078);
    EXPECT_EQ(m_doc.m_ctrlRows[0].y, 497667.6302);
    EXPECT_EQ(m_doc.m_ctrlRows[1].bPlane, 0);
    EXPECT_EQ(m_planeMode, 1);
    EXPECT_DOUBLE_EQ(m_dx, 5668780.5 - 5668773.7078);
    EXPECT_DOUBLE_EQ(m_dy, 497660.25 - 497667.6302);
    EXPECT_EQ(m_heightMode, 1);
    EXPECT_DOUBLE_EQ(m_dh, ((1064.5 - 1081.5) + (1062.0 - 1079.25)) / 2.0);
    EXPECT_EQ(m_record.nDifang, 0);
    EXPECT_EQ(m_record.nNiheMode, 0);
    EXPECT_EQ(m_record.szdCx1, 11.0);
}

// With nPlaneNihe 0 three height points are more than the mean takes: the
// plane minimum is 3, so they give a plane (here an exact one).
TEST_F(ControlFileTest, ThreeHeightRowsGiveAFittedPlane) {
    m_doc.m_sysParams.nPlaneNihe = 0;
    m_doc.m_sysParams.nCurveNihe = 0;
    // h1 - h2 = 17.1 + 0.001 (N - 1100) - 0.002 (E - 2100) exactly.
    WriteFile(
        "a,1000,2000,10,0,0,27.2,,,N,Y\r\n"
        "b,1300,2000,20,0,0,37.5,,,N,Y\r\n"
        "c,1000,2300,30,0,0,46.6,,,N,Y\r\n");
    EXPECT_EQ(Compute(), 1);
    EXPECT_EQ(m_heightMode, 2);
    EXPECT_EQ(m_dh, 0.0);
    EXPECT_EQ(m_planeMode, 9);
    EXPECT_EQ(m_record.nNiheMode, 1);
    EXPECT_DOUBLE_EQ(m_record.szdNiheX0, 1100.0);
    EXPECT_DOUBLE_EQ(m_record.szdNiheY0, 2100.0);
    EXPECT_NEAR(m_record.szdNiheA0, 17.1, 1e-9);
    EXPECT_NEAR(m_record.szdNiheA1, 0.001, 1e-12);
    EXPECT_NEAR(m_record.szdNiheA2, -0.002, 1e-12);
    EXPECT_EQ(m_record.szdNiheA3, 0.0);
}

std::map<std::string, std::vector<double>> ReadExpected() {
    std::ifstream in(QUORVEL_SOURCE_DIR "/tests/app/calibration/data/control_points.expected");
    std::map<std::string, std::vector<double>> values;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        fields >> name;
        double value;
        while (fields >> value) values[name].push_back(value);
    }
    return values;
}

TEST_F(ControlFileTest, FourPlaneAndSevenHeightRowsMatchAnIndependentSolution) {
    m_doc.m_sysParams.nPlaneNihe = 1;
    m_doc.m_sysParams.nCurveNihe = 1;  // a quadratic surface from 7 points
    std::ifstream in(QUORVEL_SOURCE_DIR "/tests/app/calibration/data/control_points.cot",
                     std::ios::binary);
    WriteFile(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    auto expected = ReadExpected();
    ASSERT_EQ(expected["surface"].size(), 6u);
    EXPECT_EQ(Compute(), 1);
    EXPECT_EQ(m_planeMode, 2);
    EXPECT_EQ(m_heightMode, 2);
    EXPECT_EQ(m_dx, 0.0);
    EXPECT_EQ(m_dy, 0.0);
    EXPECT_EQ(m_dh, 0.0);
    ASSERT_EQ(m_record.nDifang, 1);
    EXPECT_NEAR(m_record.szdCa1, expected["rotation"][0], 1e-9);
    EXPECT_NEAR(m_record.szdCk1, expected["scale"][0], 1e-9);
    CCoordTransform check;
    check.SetFourParams(m_record.szdCx1, m_record.szdCy1, m_record.szdCa1, m_record.szdCk1);
    for (int i = 0; i < 4; ++i) {
        double x = m_doc.m_ctrlRows[i].x;
        double y = m_doc.m_ctrlRows[i].y;
        check.ApplyFourParams(x, y);
        const auto& mapped = expected["mapped" + std::to_string(i)];
        // Grid values rounded to 0.1 mm on both sides.
        EXPECT_NEAR(x, mapped[0], 2e-4) << i;
        EXPECT_NEAR(y, mapped[1], 2e-4) << i;
    }
    ASSERT_EQ(m_record.nNiheMode, 1);
    EXPECT_NEAR(m_record.szdNiheX0, expected["origin"][0], 1e-6);
    EXPECT_NEAR(m_record.szdNiheY0, expected["origin"][1], 1e-6);
    const double got[6] = {m_record.szdNiheA0, m_record.szdNiheA1, m_record.szdNiheA2,
                           m_record.szdNiheA3, m_record.szdNiheA4, m_record.szdNiheA5};
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(got[i], expected["surface"][i], 1e-6 * std::fabs(expected["surface"][i])) << i;
}

TEST_F(ControlFileTest, RowsNotMarkedExactlyYLeaveEveryOutput) {
    const CoordSysParams before = m_record;
    WriteFile(
        "a,1,2,3,51.09,-114.02,4,,,y,Yes\r\n"
        "b,1,2,3,51.09,-114.02,4,,, Y,N\r\n"
        "c,1,2,3,51.09,-114.02,4\r\n");
    EXPECT_EQ(Compute(), 1);
    EXPECT_EQ(m_doc.m_ctrlRows.GetSize(), 3);
    EXPECT_EQ(m_planeMode, 9);
    EXPECT_EQ(m_heightMode, 9);
    EXPECT_EQ(m_dx, -1.0);
    EXPECT_EQ(m_dh, -1.0);
    EXPECT_EQ(m_record.szdCx1, before.szdCx1);
    EXPECT_EQ(m_record.szdNiheA0, before.szdNiheA0);
}

// Rows 51 to 60 would make a four-parameter set; only 50 are read.
TEST_F(ControlFileTest, OnlyFiftyRowsAreRead) {
    std::string text = "p,5668780.5,497660.25,0,51.0900,-114.0200,0,,,Y,N\r\n";
    for (int i = 1; i < 50; ++i) text += "n,0,0,0,51.0900,-114.0200,0,,,N,N\r\n";
    for (int i = 0; i < 10; ++i) text += "q,1,1,0,51.1000,-114.0300,0,,,Y,Y\r\n";
    WriteFile(text);
    EXPECT_EQ(Compute(), 1);
    EXPECT_EQ(m_doc.m_ctrlRows.GetSize(), 50);
    EXPECT_EQ(m_planeMode, 1);
    EXPECT_EQ(m_heightMode, 9);
}

TEST_F(ControlFileTest, AFileThatCannotBeReadGivesNothing) {
    m_doc.m_ctrlRows.Add(ControlPointRow{});
    m_modals.ExpectMessageBox(L"参数文件不存在").Answer(IDOK);
    EXPECT_EQ(Compute(), 0);
    (void)CreateDirectory(L"\\Flash Disk", nullptr);  // it may be there already
    ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\points.cot", nullptr));
    m_modals.ExpectMessageBox(L"参数文件不存在").Answer(IDOK);
    EXPECT_EQ(Compute(), 0);
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_EQ(m_doc.m_ctrlRows.GetSize(), 1);
    EXPECT_EQ(m_planeMode, 9);
    EXPECT_EQ(m_heightMode, 9);
    EXPECT_EQ(m_dx, -1.0);
    EXPECT_EQ(m_record.szdCx1, 11.0);
}

// Points on one line have no plane: the inverse reports it and the height
// outputs stay as they were. A stored setting outside 0..1 counts as 1:
// four height points are then more than the mean's three.
TEST_F(ControlFileTest, ASurfaceThatCannotBeSolvedChangesNothing) {
    m_doc.m_sysParams.nPlaneNihe = 7;
    WriteFile(
        "a,0,0,1,0,0,2,,,N,Y\r\n"
        "b,1,1,1,0,0,2.5,,,N,Y\r\n"
        "c,2,2,1,0,0,2,,,N,Y\r\n"
        "d,3,3,1,0,0,2.5,,,N,Y\r\n");
    m_modals.ExpectMessageBox(L"发生错误，不能正确计算该矩阵的逆阵!").Answer(IDOK);
    EXPECT_EQ(Compute(), 1);
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_EQ(m_heightMode, 9);
    EXPECT_EQ(m_dh, -1.0);
    EXPECT_EQ(m_record.nNiheMode, 0);
    EXPECT_EQ(m_record.szdNiheA0, 22.0);
}

TEST_F(ControlFileTest, DamagedFilesGiveNoCrash) {
    std::string binary(4096, '\0');
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919) >> 3);
    std::string big;
    while (big.size() < 10u << 20) big += "K,1e400,nan,-,51.09,-114.02,abc,,,Y,Y,extra,,,\r\n";
    const std::string inputs[] = {
        "",
        binary,
        big,
        std::string(10u << 20, ','),
        "K,1,2,3,51.09,-114.02,4,,,Y,Y",  // no line end: nothing read
        "K\r\n,\r\n,,,,,,,,,Y,Y\r\n",
        "K,9999,9999,9999,999.99,-999.99,1e308,,,Y,Y\r\nL,1,1,1,0,0,0,,,Y,Y\r\n",
    };
    // Identical points have no surface: whatever the inverse says is
    // answered.
    int boxes = 0;
    const auto previous =
        quorvel::SetMessageBoxHandler([&boxes](const quorvel::MessageBoxRequest&) {
            ++boxes;
            return IDOK;
        });
    for (const std::string& input : inputs) {
        WriteFile(input);
        m_planeMode = m_heightMode = 9;
        EXPECT_EQ(Compute(), 1);
        EXPECT_LE(m_doc.m_ctrlRows.GetSize(), 50);
    }
    quorvel::SetMessageBoxHandler(previous);
    EXPECT_GE(boxes, 1);
    EXPECT_EQ(m_doc.m_ctrlRows[0].dKnownX, 9999.0);
}

}  // namespace
}  // namespace calibtest
