// The finishes' arithmetic under their exact conditions: four parameters
// in use (nDifang 1, or another non-zero value) or solved, the height fit
// in use, the counts that solve and the unknown-point mode's minimum; the
// document's engine reloaded from the record afterwards; and the record
// file on a store that fills up.
#include <cmath>

#include "app/calibration/CalibMessages.h"
#include "app/calibration/Calibration.h"
#include "platform/files/StoreSpace.h"
#include "res/resource.h"
#include "tests/app/calibration/CalibTest.h"

namespace calibtest {
namespace {

class CalibFinishTest : public CalibTest {
  protected:
    void SetUp() override {
        CalibTest::SetUp();
        StartJob();
        CVendropDoc& doc = Doc();
        doc.m_calibMeasured[0] = CVendropDoc::GridPoint{5668817.1, 497852.3, 1081.9};
        doc.m_calibKnown[0] = CVendropDoc::KnownPoint{5668830.0, 497840.0, 1060.0, 1.5};
        doc.m_calibKnown[1] = CVendropDoc::KnownPoint{5668790.0, 497650.0, 1061.0, 2.0};
        doc.m_calibKnown[2] = CVendropDoc::KnownPoint{5670640.0, 496490.0, 1059.0, 1.8};
        doc.m_curFix.nSolution = 10;
        doc.m_curFix.dProjX = 5668773.7;
        doc.m_curFix.dProjY = 497667.6;
        doc.m_curFix.dProjH = 1081.5;
        // Something else in the engine: the finish must leave the record's.
        doc.m_coordTransform.SetFourParams(1.0, 2.0, 3.0, 4.0);
    }

    void Finish(void (*finish)(CVendropDoc&)) {
        m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDOK);
        finish(Doc());
        EXPECT_EQ(m_modals->Pending(), 0);
        double dx, dy, theta, k;
        Doc().m_coordTransform.GetFourParams(dx, dy, theta, k);
        const CoordSysParams& p = Doc().m_coordParams;
        EXPECT_EQ(dx, p.szdCx1);
        EXPECT_EQ(theta, p.szdCa1);
        EXPECT_EQ(k, p.szdCk1);
    }

    static void Four(const CoordSysParams& p, double& x, double& y) {
        const double c = std::cos(p.szdCa1), s = std::sin(p.szdCa1);
        const double x0 = x;
        x = p.szdCx1 + p.szdCk1 * (x0 * c - y * s);
        y = p.szdCy1 + p.szdCk1 * (y * c + x0 * s);
    }
};

TEST_F(CalibFinishTest, KnownBaseWithFourParametersInUseAdjustsTheBase) {
    CoordSysParams& p = Doc().m_coordParams;
    p.nDifang = 1;
    p.szdCx1 = 10.0, p.szdCy1 = -5.0, p.szdCa1 = 1e-6, p.szdCk1 = 1.00001;
    Doc().m_nCalibPointCount = 2;
    Finish(CalibrateOnKnownPoint);
    // The rover's fix became point 1; nothing was solved.
    EXPECT_EQ(Doc().m_calibMeasured[1].x, 5668773.7);
    EXPECT_EQ(p.szdSx1, 5668773.7);
    EXPECT_EQ(p.szdSh1, 1081.5);
    EXPECT_EQ(p.szdCx1, 10.0);
    double x0 = 5668817.1, y0 = 497852.3;
    Four(p, x0, y0);
    EXPECT_NEAR(p.szdCorrectionX, 5668830.0 - x0, 1e-6);
    EXPECT_NEAR(p.szdCorrectionY, 497840.0 - y0, 1e-6);
    EXPECT_NEAR(p.szdCorrectionH, ((1060.0 + 1.5 - 1081.9) + (1061.0 + 2.0 - 1081.5)) / 2, 1e-9);
    EXPECT_EQ(Doc().m_calibMeasured[0].x, 5668817.1);  // left as it was
}

// Without parameters in use two points solve them (base included); the
// base then maps onto its known point, and the height fit in use lowers
// the base's measured height.
TEST_F(CalibFinishTest, KnownBaseAndOneRoverSolveFourParametersAndUseTheHeightFit) {
    CoordSysParams& p = Doc().m_coordParams;
    p.nNiheMode = 1;
    p.szdNiheA0 = 0.5;
    Doc().m_nCalibPointCount = 2;
    Finish(CalibrateOnKnownPoint);
    ASSERT_EQ(p.nDifang, 1);
    double x = 5668773.7, y = 497667.6;
    Four(p, x, y);
    EXPECT_NEAR(x, 5668790.0, 1e-6);
    EXPECT_NEAR(y, 497650.0, 1e-6);
    EXPECT_NEAR(p.szdCorrectionX, 0.0, 1e-6);
    EXPECT_NEAR(p.szdCorrectionY, 0.0, 1e-6);
    EXPECT_NEAR(p.szdCorrectionH, ((1060.0 + 1.5 - (1081.9 - 0.5)) + (1061.0 + 2.0 - 1081.5)) / 2,
                1e-9);
}

// nDifang 2: not 1, so rover point 1 is taken as measured; not 0, so the
// base is adjusted, and nothing is solved.
TEST_F(CalibFinishTest, UnknownBaseTellsFourParametersInUseFromNonZero) {
    CoordSysParams& p = Doc().m_coordParams;
    p.nDifang = 2;
    p.szdCx1 = 10.0, p.szdCy1 = -5.0, p.szdCa1 = 0.0, p.szdCk1 = 1.0;
    Doc().m_nCalibPointCount = 3;
    Doc().m_calibMeasured[1] = CVendropDoc::GridPoint{5668770.0, 497660.0, 1080.0};
    Finish(CalibrateOnUnknownPoint);
    EXPECT_EQ(p.nDifang, 2);
    EXPECT_EQ(Doc().m_calibMeasured[2].x, 5668773.7);
    EXPECT_EQ(p.szdCorrectionX, 5668790.0 - 5668770.0);
    EXPECT_EQ(p.szdCorrectionY, 497650.0 - 497660.0);
    EXPECT_NEAR(p.szdCorrectionH, ((1061.0 + 2.0 - 1080.0) + (1059.0 + 1.8 - 1081.5)) / 2, 1e-9);
    const CVendropDoc::KnownPoint& base = Doc().m_calibKnown[0];
    EXPECT_NEAR(base.X, 20.0 + 5668817.1 + 10.0, 1e-6);
    EXPECT_NEAR(base.Y, -10.0 + 497852.3 - 5.0, 1e-6);
    EXPECT_NEAR(base.H, p.szdCorrectionH + 1081.9, 1e-9);
    EXPECT_EQ(JobFile("knowdata.dat"), "");  // no entry 0 to replace
}

TEST_F(CalibFinishTest, TheUnknownBaseNeedsARoverPoint) {
    Doc().m_nCalibPointCount = 1;
    m_modals->ExpectMessageBox(L"请确定已知点坐标的正确输入").Answer(IDOK);
    CalibrateOnUnknownPoint(Doc());  // no sound to play: it goes on all the same
    EXPECT_TRUE(SoundsPlayed().empty());
    WriteSound(m_root + "/Windows/exclam.wav");
    m_modals->ExpectMessageBox(L"请确定已知点坐标的正确输入").Answer(IDOK);
    CalibrateOnUnknownPoint(Doc());
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_coordParams.szdCorrectionX, 0.0);
    EXPECT_EQ(SoundsPlayed(), std::vector<std::wstring>{L"\\Windows\\exclam.wav"});
}

// The store fills up inside the record line: what went out of it is taken
// back, so the file keeps whole lines and the next calibration's line does
// not end a torn one.
TEST_F(CalibFinishTest, AFullStoreLeavesTheRecordFileWhole) {
    struct Unlimit {
        ~Unlimit() { quorvel::files::UnlimitStoreSpaceForTest(); }
    } unlimit;
    const CString record = Doc().m_strResultDir + L"adjustcoord.RTK";
    const std::string earlier = "adjust,51.0900000000,-114.0200000000,1081.500,00000000\r\n";
    WriteDevice(record, earlier);
    Doc().m_nCalibPointCount = 1;
    Doc().m_curFix.dLat = 51.0 + 10.0 / 60.0;
    Doc().m_curFix.dLon = -(114.0 + 3.0 / 60.0);
    Doc().m_curFix.dHeight = 1080.25;
    quorvel::files::LimitStoreSpaceForTest(20);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDOK);
    m_modals->ExpectMessageBox(calib_text::kRecordNotCreated).Answer(IDOK);
    m_modals->ExpectMessageBox(L"创建par文件错误").Answer(IDOK);
    CalibrateOnKnownPoint(Doc());
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(ReadDevice(record), earlier);

    quorvel::files::UnlimitStoreSpaceForTest();
    Finish(CalibrateOnKnownPoint);
    EXPECT_EQ(Lines(record),
              (std::vector<std::string>{"adjust,51.0900000000,-114.0200000000,1081.500,00000000",
                                        "adjust,51.1000000000,-114.0300000000,1080.250,00000000"}));
}

}  // namespace
}  // namespace calibtest
