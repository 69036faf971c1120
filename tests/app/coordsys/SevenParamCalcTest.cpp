// The seven-parameter calculation on points made with known parameters by
// established tools (see data/PROVENANCE.md): what is recovered and
// stored, the units typed in the confirmation, and a solve that fails.
#include <cmath>
#include <fstream>
#include <iterator>

#include "app/coordsys/CalcSevenParamDlg.h"
#include "tests/app/coordsys/CalcTestSupport.h"

namespace coordsystest {
namespace {

class SevenParamCalcTest : public CalcParamTest {
  protected:
    void SetUp() override {
        CalcParamTest::SetUp();
        CoordSysParams& p = Doc().m_coordParams;
        p.nCoord = 0;
        p.szdDa = 6378245.0;
        p.szdDf = 298.3;
        p.nTouYin = 4;  // the calculation projects by Gauss-Krueger whatever the type
        p.szdCenter = 114.0;
        p.szlTx = 0;
        p.szlTy = 500000;
        p.szdTk = 1.0;
        p.szdTlon = 0.0;
        p.szdTHigh = 0.0;
        p.nSevenPar = 0;
        std::ifstream in(QUORVEL_SOURCE_DIR "/tests/app/coordsys/data/seven_points.sev",
                         std::ios::binary);
        WriteHost(kSevenFile, std::string(std::istreambuf_iterator<char>(in), {}));
    }
};

TEST_F(SevenParamCalcTest, ParametersOfPointsMadeWithKnownOnesAreStored) {
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM)
        .Do([](HWND dialog) { EXPECT_EQ(ListRows(dialog, 2).front(), "5|P5"); })
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_SEVEN_PARAM)
        .Do([](HWND dialog) {
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_SEVEN_ENABLE), 1u);
            EXPECT_NEAR(std::wcstod(ItemText(dialog, IDC_PARAM_WZ).c_str(), nullptr), 3.0, 2e-3);
            EXPECT_NEAR(std::wcstod(ItemText(dialog, IDC_PARAM_K).c_str(), nullptr), 4.0, 5e-3);
        })
        .Click(IDOK);
    CCalcSevenParamDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_EQ(p.nSevenPar, 1);
    EXPECT_NEAR(p.szddx, -15.0, 0.05);
    EXPECT_NEAR(p.szddy, 120.0, 0.05);
    EXPECT_NEAR(p.szddz, 60.0, 0.05);
    EXPECT_NEAR(p.szdWx / kArcSec, 1.5, 2e-3);
    EXPECT_NEAR(p.szdWy / kArcSec, -2.0, 2e-3);
    EXPECT_NEAR(p.szdWz / kArcSec, 3.0, 2e-3);
    EXPECT_NEAR(p.szddK * 1e6, 4.0, 5e-3);
    const CoordSysParams stored = ReadPar();
    EXPECT_EQ(stored.nSevenPar, 1);
    EXPECT_NEAR(stored.szdWz, p.szdWz, 1e-10);
    EXPECT_NEAR(stored.szddK, p.szddK, 1e-6);

    // Every common point now goes from WGS84 to its grid point.
    CCoordTransform engine;
    double x = 0.0, y = 0.0, h = 0.0;
    engine.Wgs84ToGrid(30.0 + 35.0 / 60.0, 113.0 + 40.0 / 60.0 + 20.0 / 3600.0, 80.1, p, x, y, h);
    EXPECT_NEAR(x, 3384859.141340, 0.02);
    EXPECT_NEAR(y, 468407.407060, 0.02);
}

TEST_F(SevenParamCalcTest, TypedRotationsAndScaleAreStoredInRadiansAndAsARatio) {
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM).Click(IDOK);
    m_modals.ExpectDialog(IDD_SEVEN_PARAM)
        .SetText(IDC_PARAM_WX, L"1")
        .SetText(IDC_PARAM_WY, L"-1")
        .SetText(IDC_PARAM_WZ, L"0")
        .SetText(IDC_PARAM_K, L"2")
        .Click(IDOK);
    CCalcSevenParamDlg dlg;
    dlg.DoModal();
    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_EQ(p.szdWx, 4.848136811095216e-6);
    EXPECT_EQ(p.szdWy, -4.848136811095216e-6);
    EXPECT_EQ(p.szdWz, 0.0);
    EXPECT_EQ(p.szddK, 2e-6);
    EXPECT_NEAR(ReadPar().szdWx, 4.848136811095216e-6, 1e-10);
}

TEST_F(SevenParamCalcTest, AFailedSolveStoresNothingAndAsksNothing) {
    // One place three times: no rotation can be told.
    const std::string line =
        "1,P1,30.1000,113.5000,25.000,3338634.154377,483792.910321,72.053303,\r\n";
    WriteHost(kSevenFile, line + line + line);
    const std::string par = ReadHost("Flash Disk/Jobs/ruvo/ruvo.par");
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM).Click(IDOK);
    m_modals.ExpectMessageBox(L"不能正确计算该矩阵的逆阵").Answer(IDOK);
    CCalcSevenParamDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Doc().m_coordParams.nSevenPar, 0);
    EXPECT_EQ(Doc().m_coordParams.szddx, 0.0);
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.par"), par);

    // The confirmation cancelled: the record as it was.
    std::ifstream in(QUORVEL_SOURCE_DIR "/tests/app/coordsys/data/seven_points.sev",
                     std::ios::binary);
    WriteHost(kSevenFile, std::string(std::istreambuf_iterator<char>(in), {}));
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM).Click(IDOK);
    m_modals.ExpectDialog(IDD_SEVEN_PARAM).Click(IDCANCEL);
    CCalcSevenParamDlg cancelled;
    cancelled.DoModal();
    EXPECT_EQ(Doc().m_coordParams.nSevenPar, 0);
    EXPECT_EQ(Doc().m_coordParams.szdWz, 0.0);
    double a = 0.0, f = 0.0;
    Doc().m_coordTransform.GetEllipsoid(a, f);
    EXPECT_EQ(a, 6378245.0);  // the job's again, not WGS84's
}

}  // namespace
}  // namespace coordsystest
