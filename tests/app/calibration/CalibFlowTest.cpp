// The calibration wizard in the running program, with the receiver's base
// logs and positions decoded into the document: the known-point mode
// waiting for a real base position, a one-point calibration on the base,
// a two-point calibration built up over two runs with a restart between,
// the finishes that stop before calibrating, and a calibration on a full
// store.
#include <cmath>

#include "app/calibration/CalibMessages.h"
#include "geodesy/CoordTransform.h"
#include "platform/base/TextConv.h"
#include "platform/files/StoreSpace.h"
#include "platform/testing/Printers.h"
#include "res/resource.h"
#include "tests/app/calibration/CalibTest.h"

namespace calibtest {
namespace {

using shelltest::ItemEnabled;

// GeographicLib 2.1.2 for the second REFSTATIONA of the capture:
//   echo "-1632851.222 -3662162.724 4944899.271" | CartConvert -r -p 12
//     51.150391056204427 -114.030694086480111 1081.9169319770
//   ... | TransverseMercatorProj -l -114 -k 1 -p 6
//     -2147.680620 5668817.132897  (easting before the 500000, northing)
constexpr double kBaseLat = 51.150391056204427;
constexpr double kBaseLon = -114.030694086480111;
constexpr double kBaseHeight = 1081.916932;
constexpr double kBaseNorth = 5668817.132897;
constexpr double kBaseEast = 497852.319380;

// printf "51.15 -114.03333333333333\n51.166666666666667 -114.05\n" |
//   TransverseMercatorProj -l -114 -k 1 -p 6
constexpr double kRoverANorth = 5668773.707805;
constexpr double kRoverAEast = 497667.630248;
constexpr double kRoverBNorth = 5670628.556578;
constexpr double kRoverBEast = 496502.705721;
constexpr double kRoverBLat = 51.0 + 10.0 / 60.0;
constexpr double kRoverBLon = -(114.0 + 3.0 / 60.0);

CString Text(HWND dialog, int id) {
    WCHAR text[128] = {};
    ::GetDlgItemText(dialog, id, text, 128);
    return CString(text);
}

using CalibFlowTest = CalibTest;

TEST_F(CalibFlowTest, TheKnownPointModeWaitsForARealBasePosition) {
    StartJob();
    Receive(RefStationLog(0));  // a base at the centre of the earth
    EXPECT_EQ(Doc().m_bBaseChanged, 0);
    m_modals->ExpectDialog(IDD_CALIB_MODE)
        .Do([](HWND dialog) {
            EXPECT_FALSE(ItemEnabled(dialog, IDC_CALIB_MODE_KNOWN));
            EXPECT_FALSE(ItemEnabled(dialog, IDOK));
            EXPECT_TRUE(ItemEnabled(dialog, IDC_CALIB_MODE_UNKNOWN));
        })
        .Click(IDC_CALIB_MODE_UNKNOWN)
        .Do([](HWND dialog) { EXPECT_TRUE(ItemEnabled(dialog, IDOK)); })
        .Click(IDCANCEL);
    Doc().m_bStatusInChinese = 0;
    RunWizard();
    EXPECT_EQ(Doc().m_bStatusInChinese, 1);

    Receive(RefStationLog(1));
    EXPECT_EQ(Doc().m_bBaseChanged, 1);
    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_NEAR(p.szdBaseX, kBaseNorth, 0.001);
    EXPECT_NEAR(p.szdBaseY, kBaseEast, 0.001);
    EXPECT_NEAR(p.szdBaseH, kBaseHeight, 0.001);
    EXPECT_EQ(Doc().m_calibMeasured[0].x, p.szdBaseX);
    EXPECT_EQ(Doc().m_calibMeasured[0].h, p.szdBaseH);
    m_modals->ExpectDialog(IDD_CALIB_MODE)
        .Do([](HWND dialog) {
            EXPECT_TRUE(ItemEnabled(dialog, IDC_CALIB_MODE_KNOWN));
            EXPECT_TRUE(ItemEnabled(dialog, IDOK));
        })
        .Click(IDCANCEL);
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_TRUE(SoundsPlayed().empty());
}

TEST_F(CalibFlowTest, OnePointOnTheKnownBaseGivesTheTranslation) {
    WriteSound(m_root + "/Flash Disk/Wav/Alarm5.wav");
    WriteSound(m_root + "/Windows/exclam.wav");
    StartJob();
    Receive(RefStationLog(1));
    ReceiveGga(kRoverLat, kRoverLon, kRoverHeight, 4);
    ASSERT_EQ(Doc().m_curFix.nSolution, 10);

    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1)
        .SetText(IDC_CALIB_X, L"5668820.500")
        .SetText(IDC_CALIB_Y, L"497850.250")
        .SetText(IDC_CALIB_H, L"1050.125")
        .SetText(IDC_CALIB_ANT_HEIGHT, L"1.5")
        .Click(IDC_KNOWN1_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT)
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_CALIB_PROMPT_MODE), CString(L"基准站架设在已知点上"));
        })
        .Click(IDOK);
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);

    const CVendropDoc& doc = Doc();
    const CoordSysParams& p = doc.m_coordParams;
    EXPECT_EQ(doc.m_nCalibPointCount, 1);
    EXPECT_EQ(p.nDifang, 0);
    EXPECT_EQ(p.szdCorrectionX, 5668820.5 - p.szdBaseX);
    EXPECT_EQ(p.szdCorrectionY, 497850.25 - p.szdBaseY);
    EXPECT_EQ(p.szdCorrectionH, 1050.125 + 1.5 - p.szdBaseH);
    EXPECT_NEAR(p.szdCorrectionX, 5668820.5 - kBaseNorth, 0.001);
    // The fix at finishing time, before any correction.
    EXPECT_NEAR(doc.m_calibPoint.dX, kRoverANorth, 0.001);
    EXPECT_NEAR(doc.m_calibPoint.dY, kRoverAEast, 0.001);
    EXPECT_EQ(doc.m_calibPoint.dH, kRoverHeight);

    EXPECT_EQ(JobFile("knowdata.dat"), Data("knowdata_known.dat"));
    EXPECT_EQ(JobFile("result/adjustcoord.RTK"), Data("adjustcoord_known.RTK"));
    CoordSysParams saved;
    ASSERT_TRUE(CIniFile().ReadCoordParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.par", &saved));
    EXPECT_NEAR(saved.szdCorrectionX, p.szdCorrectionX, 1e-9);
    EXPECT_NEAR(saved.szdCorrectionH, p.szdCorrectionH, 1e-9);
    EXPECT_EQ(saved.UseNum, 0);
    EXPECT_EQ(SoundsPlayed(), std::vector<std::wstring>{L"\\Flash Disk\\Wav\\Alarm5.wav"});

    // From now on the base itself reads as its known point.
    ReceiveGga(kBaseLat, kBaseLon, kBaseHeight, 4);
    EXPECT_NEAR(Doc().m_curFix.dX, 5668820.5, 0.001);
    EXPECT_NEAR(Doc().m_curFix.dY, 497850.25, 0.001);
    EXPECT_NEAR(Doc().m_curFix.dGridH, 1050.125 + 1.5, 0.001);
}

TEST_F(CalibFlowTest, TwoRoverPointsOverTwoRunsGiveFourParametersOnAnUnknownBase) {
    StartJob();
    Receive(RefStationLog(1));
    ReceiveGga(kRoverLat, kRoverLon, kRoverHeight, 4);
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDC_CALIB_MODE_UNKNOWN).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD1)
        .SetText(IDC_CALIB_X, L"5668793.7078")
        .SetText(IDC_CALIB_Y, L"497637.6302")
        .SetText(IDC_CALIB_H, L"1050.0")
        .SetText(IDC_CALIB_ANT_HEIGHT, L"2.0")
        .Click(IDC_UNKNOWN1_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT)
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_CALIB_PROMPT_MODE), CString(L"基准站架设在未知点上"));
        })
        .Click(IDOK);
    RunWizard();
    // One rover point: a translation only, its height difference over one.
    const CoordSysParams& first = Doc().m_coordParams;
    EXPECT_EQ(Doc().m_nCalibPointCount, 2);
    EXPECT_EQ(first.nDifang, 0);
    EXPECT_NEAR(first.szdCorrectionX, 5668793.7078 - kRoverANorth, 0.001);
    EXPECT_NEAR(first.szdCorrectionH, 1050.0 + 2.0 - kRoverHeight, 1e-9);
    const CVendropDoc::GridPoint roverA = Doc().m_calibMeasured[1];
    EXPECT_EQ(first.szdSx1, roverA.x);

    Restart();
    // The measured table comes back from the .par's source points (written
    // with ten decimals).
    EXPECT_NEAR(Doc().m_calibMeasured[1].x, roverA.x, 1e-9);
    EXPECT_NEAR(Doc().m_calibMeasured[1].y, roverA.y, 1e-9);
    EXPECT_EQ(Doc().m_calibMeasured[0].x, Doc().m_coordParams.szdBaseX);
    ReceiveGga(kRoverBLat, kRoverBLon, kRoverHeight - 0.75, 4);
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDC_CALIB_MODE_UNKNOWN).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD1)
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_CALIB_X), CString(L"5668793.7078"));
            EXPECT_EQ(Text(dialog, IDC_CALIB_ANT_HEIGHT), CString(L"2.0"));
        })
        .Click(IDC_UNKNOWN1_NEXT);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD2)
        .SetText(IDC_CALIB_X, L"5670649.1574")
        .SetText(IDC_CALIB_Y, L"496473.6217")
        .SetText(IDC_CALIB_H, L"1049.5")
        .SetText(IDC_CALIB_ANT_HEIGHT, L"2.0")
        .Click(IDC_UNKNOWN2_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDOK);
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);

    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_EQ(Doc().m_nCalibPointCount, 3);
    ASSERT_EQ(p.nDifang, 1);
    EXPECT_NEAR(Doc().m_calibMeasured[2].x, kRoverBNorth, 0.001);
    EXPECT_NEAR(Doc().m_calibMeasured[2].y, kRoverBEast, 0.001);
    CCoordTransform check;
    check.SetFourParams(p.szdCx1, p.szdCy1, p.szdCa1, p.szdCk1);
    const double known[2][2] = {{5668793.7078, 497637.6302}, {5670649.1574, 496473.6217}};
    for (int i = 1; i <= 2; ++i) {
        double x = Doc().m_calibMeasured[i].x;
        double y = Doc().m_calibMeasured[i].y;
        check.ApplyFourParams(x, y);
        EXPECT_NEAR(x, known[i - 1][0], 1e-6) << i;
        EXPECT_NEAR(y, known[i - 1][1], 1e-6) << i;
    }
    EXPECT_NEAR(p.szdCa1, 0.0005, 1e-7);
    EXPECT_NEAR(p.szdCk1, 1.00001, 1e-7);
    EXPECT_NEAR(p.szdCorrectionX, 0.0, 1e-6);
    EXPECT_NEAR(p.szdCorrectionY, 0.0, 1e-6);
    EXPECT_NEAR(p.szdCorrectionH,
                (1050.0 + 2.0 - kRoverHeight + 1049.5 + 2.0 - (kRoverHeight - 0.75)) / 2.0, 1e-9);
    // The base's known point follows from the correction, at 1.2 m.
    const CVendropDoc::KnownPoint& base = Doc().m_calibKnown[0];
    double bx = Doc().m_calibMeasured[0].x;
    double by = Doc().m_calibMeasured[0].y;
    check.ApplyFourParams(bx, by);
    EXPECT_NEAR(base.X, bx, 1e-6);
    EXPECT_NEAR(base.Y, by, 1e-6);
    EXPECT_EQ(base.dAntHeight, 1.2);
    CString line0;
    line0.Format(L"0,%.4f,%.4f,%.4f,1.2000\r\n", base.X, base.Y, base.H);
    EXPECT_EQ(JobFile("knowdata.dat"), quorvel::ToGbk(line0) +
                                           "1,5668793.7078,497637.6302,1050.0,2.0\r\n"
                                           "2,5670649.1574,496473.6217,1049.5,2.0\r\n");
    // Two calibrations, two record lines.
    const std::string record = JobFile("result/adjustcoord.RTK");
    EXPECT_EQ(record.substr(0, record.find('\n') + 1),
              "adjust,51.0900000000,-114.0200000000,1081.500,00000000\r\n");
    EXPECT_EQ(record.substr(record.find('\n') + 1),
              "adjust,51.1000000000,-114.0300000000,1080.750,00000000\r\n");
}

TEST_F(CalibFlowTest, AFloatFixAnsweredNoOrACancelledPromptCalibratesNothing) {
    WriteSound(m_root + "/Windows/exclam.wav");
    StartJob();
    Receive(RefStationLog(1));
    ReceiveGga(kRoverLat, kRoverLon, kRoverHeight, 5);
    ASSERT_EQ(Doc().m_curFix.nSolution, 9);
    const auto page = [this](const wchar_t* x) -> quorvel::testing::ModalStep& {
        return m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1)
            .SetText(IDC_CALIB_X, x)
            .SetText(IDC_CALIB_ANT_HEIGHT, L"1.8")
            .Check(IDC_CALIB_SLANT)
            .Click(IDC_KNOWN1_CORRECT);
    };
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    page(L"100.5");
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDOK);
    m_modals->ExpectMessageBox(L"非固定解状态,确定要校正吗?").Answer(IDNO);
    RunWizard();
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    page(L"200.5");
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDCANCEL);
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_NE(shelltest::Boxes(*m_modals).find("\"信息提示\" \"非固定解状态,确定要校正吗?\""),
              std::string::npos)
        << shelltest::Boxes(*m_modals);

    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_EQ(p.szdCorrectionX, 0.0);
    EXPECT_EQ(p.szdCorrectionY, 0.0);
    EXPECT_EQ(p.szdCorrectionH, 0.0);
    EXPECT_FALSE(IsFile(L"\\Flash Disk\\Jobs\\ruvo\\result\\adjustcoord.RTK"));
    // What the page saved stays saved.
    EXPECT_EQ(JobFile("knowdata.dat"), "0,200.5,0.0,0.0,1.8\r\n");
    SystemParams settings;
    ASSERT_TRUE(CIniFile().ReadSystemParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.ini", &settings));
    EXPECT_EQ(settings.nAdjustAntType, 1);
    EXPECT_EQ(Doc().m_calibKnown[0].X, 200.5);
    EXPECT_EQ(SoundsPlayed(),
              (std::vector<std::wstring>{L"\\Windows\\exclam.wav", L"\\Windows\\exclam.wav"}));
}

// Nothing can be written: the page's .par write and the finish's fail
// alike, and the calibration says so once; the values stay in memory, and
// the next calibration tells its own failure again.
TEST_F(CalibFlowTest, ACalibrationOnAFullStoreTellsTheParFailureOnce) {
    struct Unlimit {
        ~Unlimit() { quorvel::files::UnlimitStoreSpaceForTest(); }
    } unlimit;
    StartJob();
    Receive(RefStationLog(1));
    ReceiveGga(kRoverLat, kRoverLon, kRoverHeight, 4);
    const std::string par = JobFile("ruvo.par");
    quorvel::files::LimitStoreSpaceForTest(0);
    for (const wchar_t* north : {L"5668820.500", L"5668821.500"}) {
        m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
        m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1)
            .SetText(IDC_CALIB_X, north)
            .SetText(IDC_CALIB_ANT_HEIGHT, L"1.5")
            .Click(IDC_KNOWN1_CORRECT);
        m_modals->ExpectMessageBox(calib_text::kFileNotSaved).Answer(IDOK);
        m_modals->ExpectMessageBox(L"创建par文件错误,请检查错误!").Answer(IDOK);
        m_modals->ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
        m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDOK);
        m_modals->ExpectMessageBox(calib_text::kRecordNotCreated).Answer(IDOK);
        RunWizard();
        EXPECT_EQ(m_modals->Pending(), 0);
    }

    EXPECT_EQ(Doc().m_coordParams.szdCorrectionX, 5668821.5 - Doc().m_coordParams.szdBaseX);
    EXPECT_EQ(JobFile("ruvo.par"), par);
    EXPECT_FALSE(IsFile(L"\\Flash Disk\\Jobs\\ruvo\\result\\adjustcoord.RTK"));
}

}  // namespace
}  // namespace calibtest
