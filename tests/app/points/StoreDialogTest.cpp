// The two store dialogs run as a screen runs them, answered by a script on
// the virtual clock, and the store routine after them: smoothing epoch by
// epoch (captions, countdown, running mean, the epochs in the .RTK file),
// OK's checks in their order, slant heights, offsets from north and from a
// picked point, and the failures a surveyor meets.
#include <cmath>
#include <filesystem>

#include "app/convert/RtkConverter.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/points/DocStorePoint.h"
#include "app/points/MeasurePointStoreDlg.h"
#include "app/points/OffsetStoreDlg.h"
#include "platform/base/TextConv.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/points/PointsTest.h"

namespace pointstest {
namespace {

using coordsystest::ItemText;

std::wstring Caption(HWND d) {
    wchar_t text[64] = {};
    ::GetWindowText(d, text, 64);
    return text;
}

class StoreDialogTest : public PointsTest {
  protected:
    // The measured-point dialog for the held fix, then the store routine
    // on IDOK, as the data view runs them.
    int StoreMeasured(CMeasurePointStoreDlg& dialog) {
        const int result = static_cast<int>(dialog.DoModal());
        // The tests read what reached the files, or the box that says it did not.
        if (result == IDOK) (void)points::StoreConfirmedPoint(Doc(), &m_main, dialog);
        return result;
    }
    void UseSmoothing(int epochs) {
        Doc().m_sysParams.nSaveType = 2;
        Doc().m_nStoreType = 2;
        Doc().m_bSmoothStore = 1;
        Doc().m_nStoreKind = 3;
        Doc().m_nSmoothEpochs = epochs;
    }
    // One epoch from the receiver, then a second of the clock.
    void Epoch(HWND d, double x, double y, double h) {
        Doc().m_curFix = Fix(x, y, h);
        Doc().m_bGgaSeen = 1;
        Tick(d);
    }
};

TEST_F(StoreDialogTest, SmoothingAveragesFiveEpochsAndWritesEachToTheRtkFile) {
    UseSmoothing(5);
    Doc().m_storeFix = Fix(100.0, 200.0, 10.0);
    // Epochs of an earlier, cancelled run never reach this point.
    Doc().m_fileWriter.m_smoothEpochs.Add(Fix(1, 1, 1));
    std::vector<quorvel::gdi::Image> looks;
    CMeasurePointStoreDlg dialog(&m_main);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([&](HWND d) {
            EXPECT_EQ(Doc().m_fileWriter.m_smoothEpochs.GetSize(), 0);
            // No new fix: the tick takes nothing.
            Tick(d);
            EXPECT_EQ(Caption(d), L"测量点存储");
            EXPECT_EQ(ItemText(d, IDC_STORE_COUNTDOWN), L"");
            const double xs[5] = {100.0, 100.02, 99.99, 100.01, 100.03};
            for (int i = 0; i < 5; ++i) {
                Epoch(d, xs[i], 200.0 + i * 0.01, 10.0 - i * 0.002);
                const int r = 5 - i;
                if (r > 1) {
                    EXPECT_EQ(Caption(d), L"正在平滑处理(" + std::to_wstring(r) + L")...");
                    EXPECT_EQ(ItemText(d, IDC_STORE_COUNTDOWN), L"#" + std::to_wstring(r));
                }
                if (r == 5 || r == 3) looks.push_back(quorvel::gdi::CaptureWindow(d));
                if (r == 3) {
                    // OK while collecting does nothing.
                    ::SendMessage(d, WM_COMMAND, IDOK, 0);
                    EXPECT_TRUE(::IsWindow(d));
                }
            }
            EXPECT_EQ(Caption(d), L"数据采集");
            EXPECT_EQ(ItemText(d, IDC_STORE_COUNTDOWN), L"OK");
            EXPECT_EQ(ItemText(d, IDC_STORE_X), L"100.01");
            EXPECT_EQ(ItemText(d, IDC_STORE_DIFF_X).substr(0, 5), L"0.040");
            looks.push_back(quorvel::gdi::CaptureWindow(d));
            // The timer is gone: more fixes change nothing.
            Epoch(d, 500.0, 500.0, 500.0);
            EXPECT_EQ(ItemText(d, IDC_STORE_X), L"100.01");
        })
        .Click(IDOK);
    ASSERT_EQ(StoreMeasured(dialog), IDOK);
    quorvel::testing::ExpectMatchesReference(quorvel::testing::StackImages(looks),
                                             "smoothing_countdown");
    EXPECT_NEAR(Doc().m_storeFix.dX, 100.01, 1e-9);
    EXPECT_NEAR(Doc().m_storeFix.dY, 200.02, 1e-9);
    EXPECT_NEAR(Doc().m_storeFix.dGridH, 9.996, 1e-9);
    const std::vector<std::string> rtk = Lines(kRtk);
    ASSERT_EQ(rtk.size(), 8u + 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rtk[8 + i].substr(rtk[8 + i].size() - 6), ",3,5," + std::to_string(i + 1));
    const std::vector<std::string> points = Lines(kPoints);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].substr(0, 26), "PT1,100.010,200.020,9.996,");
    EXPECT_FALSE(std::filesystem::exists(HostOf(kBlh)));
    EXPECT_EQ(Doc().m_fileWriter.m_smoothEpochs.GetSize(), 0);
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"PT2"));
}

TEST_F(StoreDialogTest, ACancelledSmoothingLeavesNoEpochsAndACountOfOneTakesOne) {
    UseSmoothing(3);
    Doc().m_storeFix = Fix(100.0, 200.0, 10.0);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([&](HWND d) {
            Epoch(d, 1.0, 1.0, 1.0);
            Epoch(d, 2.0, 2.0, 2.0);
        })
        .Click(IDCANCEL);
    CMeasurePointStoreDlg cancelled(&m_main);
    EXPECT_EQ(StoreMeasured(cancelled), IDCANCEL);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([&](HWND d) {
            for (int i = 0; i < 3; ++i) Epoch(d, 50.0, 60.0, 7.0);
        })
        .Click(IDOK);
    CMeasurePointStoreDlg second(&m_main);
    ASSERT_EQ(StoreMeasured(second), IDOK);
    std::vector<std::string> rtk = Lines(kRtk);
    ASSERT_EQ(rtk.size(), 8u + 3u);
    // The second run's epochs only (ellipsoidal height 10.000).
    for (size_t i = 8; i < rtk.size(); ++i) EXPECT_EQ(FieldOf(rtk[i], 3), "10.000") << rtk[i];

    // One epoch: the first tick with a fix completes it. A hand-edited
    // count of 0 smooths over one as well.
    for (int count : {1, 0}) {
        UseSmoothing(count);
        m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
            .Do([&](HWND d) {
                Epoch(d, 70.0, 80.0, 9.0);
                EXPECT_EQ(ItemText(d, IDC_STORE_COUNTDOWN), L"OK");
            })
            .Click(IDOK);
        CMeasurePointStoreDlg one(&m_main);
        ASSERT_EQ(StoreMeasured(one), IDOK) << count;
        rtk = Lines(kRtk);
        EXPECT_EQ(rtk.back().substr(rtk.back().size() - 6), ",3,1,1") << count;
    }
    EXPECT_EQ(Lines(kPoints).size(), 3u);
}

TEST_F(StoreDialogTest, OkChecksInputThenPrecisionThenWritesTheIniAndConvertsASlantHeight) {
    Doc().m_sysParams.dRmshLimit = 0.05;
    Doc().m_sysParams.dRmsvLimit = 0.1;
    Doc().m_sysParams.szdSourceAntHgt = 1.5;
    Doc().m_sysParams.nAntHgtType = 1;
    Doc().m_storeFix = Fix(100.0, 200.0, 10.0, 0.05, 0.1);  // at the limits: not asked
    Doc().m_strPointCode = L"old";
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_STORE_NAME), L"PT1");
            EXPECT_EQ(ItemText(d, IDC_STORE_CODE), L"old");
            EXPECT_EQ(::IsDlgButtonChecked(d, IDC_STORE_SLANT), BST_CHECKED);
        })
        // Not a number: the framework's prompt, nothing stored.
        .SetText(IDC_STORE_ANT_HEIGHT, L"1,5")
        .Click(IDOK)
        // A slant shorter than the antenna's radius.
        .SetText(IDC_STORE_ANT_HEIGHT, L"0.05")
        .Click(IDOK)
        // A separator in the name.
        .SetText(IDC_STORE_ANT_HEIGHT, L"1.500")
        .SetText(IDC_STORE_NAME, L"A,B")
        .Click(IDOK)
        .SetText(IDC_STORE_NAME, L"S1")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"").Answer(IDOK);
    m_modals.ExpectMessageBox(L"斜高不能小于0.0975米,请重新输入!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    Doc().m_sysParams.szdSourceAntHgt = 9.0;
    ASSERT_TRUE(Doc().SaveSystemParams());
    Doc().m_sysParams.szdSourceAntHgt = 1.5;
    CMeasurePointStoreDlg dialog(&m_main);
    ASSERT_EQ(static_cast<int>(dialog.DoModal()), IDOK);
    EXPECT_NEAR(dialog.m_dAntHeight, std::sqrt(2.25 - 0.00950625) + 0.014, 1e-9);
    EXPECT_EQ(SavedSettings().szdSourceAntHgt, 1.5);
    EXPECT_EQ(SavedSettings().nAntHgtType, 1);
    EXPECT_EQ(dialog.m_bStored, 1);

    // 0.001 above the limit asks; No keeps the dialog, Yes stores.
    Doc().m_storeFix.dHrms = 0.051;
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE).Click(IDOK).Click(IDOK);
    m_modals.ExpectMessageBox(L"精度因子(RMSH和RMSV)过大").Answer(IDNO);
    m_modals.ExpectMessageBox(L"精度因子(RMSH和RMSV)过大").Answer(IDYES);
    CMeasurePointStoreDlg asked(&m_main);
    EXPECT_EQ(static_cast<int>(asked.DoModal()), IDOK);
}

TEST_F(StoreDialogTest, TheCodeFollowsTheNameAndStakeOutKeepsTheCallersName) {
    Doc().m_storeFix = Fix(100.0, 200.0, 10.0);
    Doc().m_sysParams.nAntHgtType = 0;
    Doc().m_sysParams.szdSourceAntHgt = 1.5;
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_STORE_CODE), L"PT1"); })
        .SetText(IDC_STORE_NAME, L"W9")
        .Click(IDOK);
    CMeasurePointStoreDlg dialog(&m_main);
    dialog.m_bCodeIsName = TRUE;
    ASSERT_EQ(StoreMeasured(dialog), IDOK);
    EXPECT_EQ(Doc().m_strPointCode, CString(L"W9"));
    EXPECT_EQ(Doc().m_dPointAntHeight, 1.5);  // vertical: as typed
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"W10"));

    Doc().m_nStakeMode = 1;
    m_modals.ExpectDialog(IDD_MEASURE_POINT_STORE)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_STORE_NAME), L"K3");
            EXPECT_EQ(ItemText(d, IDC_STORE_DIFF_X), L"0.25");
        })
        .Click(IDOK);
    CMeasurePointStoreDlg staked(&m_main);
    staked.m_strName = L"K3";
    staked.m_dDiffX = 0.25;
    ASSERT_EQ(StoreMeasured(staked), IDOK);
    EXPECT_EQ(Lines(kPoints).back().substr(0, 3), "K3,");
}

class OffsetStoreTest : public StoreDialogTest {
  protected:
    int RunOffset(COffsetStoreDlg& dialog) { return static_cast<int>(dialog.DoModal()); }
};

TEST_F(OffsetStoreTest, DistanceAndAngleFromNorthOrFromAPickedPoint) {
    Doc().m_storeFix = Fix(1000.0, 2000.0, 50.0);
    Doc().m_nStoreKind = 2;
    Doc().m_dPointAntHeight = 0.0;
    m_modals.ExpectDialog(IDD_OFFSET_STORE)
        .Do([](HWND d) { EXPECT_EQ(::IsDlgButtonChecked(d, IDC_OFFSET_REF_NORTH), BST_CHECKED); })
        .SetText(IDC_OFFSET_DISTANCE, L"10")
        .SetText(IDC_OFFSET_ANGLE, L"90.0000")
        .SetText(IDC_OFFSET_VERTICAL, L"-1.25")
        .Click(IDOK);
    COffsetStoreDlg east(&m_main);
    ASSERT_EQ(RunOffset(east), IDOK);
    EXPECT_EQ(east.m_bStored, 1);
    EXPECT_NEAR(Doc().m_storeFix.dX, 1000.0, 1e-9);
    EXPECT_NEAR(Doc().m_storeFix.dY, 2010.0, 1e-9);
    EXPECT_NEAR(Doc().m_storeFix.dGridH, 48.75, 1e-9);
    EXPECT_EQ(Lines(kPoints)[0].substr(0, 29), "PT1,1000.000,2010.000,48.750,");
    const std::string rtk = Lines(kRtk).back();
    EXPECT_NE(rtk.find(",2,0,10.0000,90.0000,-1.2500,"), std::string::npos) << rtk;
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"PT2"));

    // A point due east picked from the library; 90 degrees from the
    // direction towards it, 10 m: 10 m south.
    ASSERT_TRUE(apptest::WriteJobLibrary(L"lib", L"0,R1,1000.000,2500.000,0,\r\n"));
    Doc().m_storeFix = Fix(1000.0, 2000.0, 50.0);
    m_modals.ExpectDialog(IDD_OFFSET_STORE)
        .Click(IDC_OFFSET_PICK)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_OFFSET_REF_NAME), L"R1");
            EXPECT_EQ(::IsDlgButtonChecked(d, IDC_OFFSET_REF_POINT), BST_CHECKED);
        })
        .SetText(IDC_OFFSET_DISTANCE, L"10")
        .SetText(IDC_OFFSET_ANGLE, L"90.0000")
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    COffsetStoreDlg south(&m_main);
    ASSERT_EQ(RunOffset(south), IDOK);
    EXPECT_NEAR(Doc().m_storeFix.dX, 990.0, 1e-9);
    EXPECT_NEAR(Doc().m_storeFix.dY, 2000.0, 1e-9);
    EXPECT_EQ(Doc().m_dOffsetRefX, 1000.0);
    EXPECT_EQ(Doc().m_dOffsetRefY, 2500.0);
    const std::string rtk2 = Lines(kRtk).back();
    EXPECT_NE(rtk2.find(",2,1,10.0000,90.0000,0.0000,1000.0000,2500.0000"), std::string::npos)
        << rtk2;

    // Reference mode chosen by the radio keeps the point picked before;
    // angle 0 lies towards it.
    Doc().m_storeFix = Fix(1000.0, 2000.0, 50.0);
    m_modals.ExpectDialog(IDD_OFFSET_STORE)
        .Click(IDC_OFFSET_REF_POINT)
        .SetText(IDC_OFFSET_DISTANCE, L"2")
        .Click(IDOK);
    COffsetStoreDlg towards(&m_main);
    ASSERT_EQ(RunOffset(towards), IDOK);
    EXPECT_NEAR(Doc().m_storeFix.dY, 2002.0, 1e-9);
}

// The .RTK lines converted back as post-processing converts them: the
// offset each line carries lands where the dialog put the point, within
// 2 mm, for north and reference directions alike.
TEST_F(OffsetStoreTest, TheRtkLinesConvertBackToTheStoredPoints) {
    Doc().m_nStoreKind = 2;
    Doc().m_dPointAntHeight = 0.0;
    convert::CRtkToGridConverter converter(Doc().m_coordParams, convert::GridShift{}, TRUE, 4);
    const auto convertLast = [&] {
        const std::string line = Lines(kRtk).back();
        std::string out;
        converter.ConvertLine(quorvel::FromGbk(line.data(), line.size()).str(), out);
        return std::make_pair(std::stod(FieldOf(out, 1)), std::stod(FieldOf(out, 2)));
    };
    // Where the fix's latitude and longitude lie on the job's grid: the
    // position the dialog is given, so that both ends agree on it.
    Doc().m_storeFix = Fix(0.0, 0.0, 50.0);
    m_modals.ExpectDialog(IDD_OFFSET_STORE).Click(IDOK);
    COffsetStoreDlg standing(&m_main);
    ASSERT_EQ(RunOffset(standing), IDOK);
    const auto [n0, e0] = convertLast();
    // The library keeps millimetres: the reference is where it lies there.
    const double refN = std::round((n0 + 3.0) * 1000.0) / 1000.0;
    const double refE = std::round((e0 + 4.0) * 1000.0) / 1000.0;
    CString north, east;
    north.Format(L"%.3f", refN);
    east.Format(L"%.3f", refE);
    ASSERT_TRUE(apptest::WriteJobLibrary(L"lib", L"0,R1," + north + L"," + east + L",0,\r\n"));
    struct Case {
        const wchar_t* distance;
        const wchar_t* angle;
        bool pick;
    };
    const Case cases[] = {{L"10", L"90.0000", false},
                          {L"7.5", L"215.3030", false},
                          {L"3", L"301.1545", true},
                          {L"10", L"90.0000", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(quorvel::ToUtf8(c.angle));
        Doc().m_storeFix = Fix(n0, e0, 50.0);
        auto& step = m_modals.ExpectDialog(IDD_OFFSET_STORE);
        if (c.pick) step.Click(IDC_OFFSET_PICK);
        step.SetText(IDC_OFFSET_DISTANCE, c.distance)
            .SetText(IDC_OFFSET_ANGLE, c.angle)
            .Click(IDOK);
        if (c.pick) m_modals.ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
        COffsetStoreDlg dialog(&m_main);
        ASSERT_EQ(RunOffset(dialog), IDOK);
        const auto [x, y] = convertLast();
        EXPECT_NEAR(x, Doc().m_storeFix.dX, 0.002);
        EXPECT_NEAR(y, Doc().m_storeFix.dY, 0.002);
    }
    // 10 m at 90 degrees from the direction towards about (3, 4): about 8
    // south, 6 east.
    const double towards = std::atan2(refE - e0, refN - n0) + M_PI / 2.0;
    EXPECT_NEAR(Doc().m_storeFix.dX, n0 + 10.0 * std::cos(towards), 1e-6);
    EXPECT_NEAR(Doc().m_storeFix.dY, e0 + 10.0 * std::sin(towards), 1e-6);
    EXPECT_NEAR(Doc().m_storeFix.dX, n0 - 8.0, 0.002);
    EXPECT_NEAR(Doc().m_storeFix.dY, e0 + 6.0, 0.002);
}

TEST_F(OffsetStoreTest, BadInputStoresNothingAndAFailedWriteEndsTheDialogOnce) {
    Doc().m_storeFix = Fix(1000.0, 2000.0, 50.0);
    m_modals.ExpectDialog(IDD_OFFSET_STORE)
        .SetText(IDC_OFFSET_DISTANCE, L"ten")
        .Click(IDOK)
        .SetText(IDC_OFFSET_DISTANCE, L"5")
        .SetText(IDC_STORE_CODE, L"a=b")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"").Answer(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    COffsetStoreDlg refused(&m_main);
    EXPECT_EQ(RunOffset(refused), IDCANCEL);
    EXPECT_EQ(refused.m_bStored, 0);
    EXPECT_FALSE(std::filesystem::exists(HostOf(kPoints)));
    EXPECT_EQ(Doc().m_storeFix.dX, 1000.0);

    // No data folder: the box once, nothing moved twice, the name kept.
    std::filesystem::remove_all(Host("Flash Disk/Jobs/ruvo/data"));
    m_modals.ExpectDialog(IDD_OFFSET_STORE).SetText(IDC_OFFSET_DISTANCE, L"5").Click(IDOK);
    m_modals.ExpectMessageBox(L"打开文件错误,请检查").Answer(IDOK);
    COffsetStoreDlg failed(&m_main);
    EXPECT_EQ(RunOffset(failed), IDCANCEL);
    EXPECT_EQ(failed.m_bStored, 0);
    EXPECT_EQ(Doc().m_storeFix.dX, 1000.0);
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"PT1"));
}

}  // namespace
}  // namespace pointstest
