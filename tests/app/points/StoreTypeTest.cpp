// The storage type settings answered by a script as the point-measuring
// screen will open them: clicks and point-count typing that reach the
// document at once (and stay after Cancel), OK onto every document and
// settings field, reopening, the smoothing count refused below 1, and a
// settings file that cannot be written.
#include <filesystem>

#include "app/points/StoreTypeDlg.h"
#include "res/resource.h"
#include "tests/app/points/PointsTest.h"

namespace pointstest {
namespace {

using coordsystest::ItemEnabled;
using coordsystest::ItemText;

class StoreTypeTest : public PointsTest {
  protected:
    int Run() {
        CStoreTypeDlg dialog(&m_main);
        return static_cast<int>(dialog.DoModal());
    }
};

constexpr int kAutoControls[] = {IDC_STORETYPE_BY_TIME, IDC_STORETYPE_BY_DISTANCE,
                                 IDC_STORETYPE_TIME, IDC_STORETYPE_DISTANCE,
                                 IDC_STORETYPE_CONDITION};

// "a" the automatic controls enabled, "s" the smoothing count, "-" neither.
std::string Enabled(HWND d) {
    int autoOn = 0;
    for (int id : kAutoControls) autoOn += ItemEnabled(d, id) ? 1 : 0;
    std::string state = autoOn == 5 ? "a" : autoOn == 0 ? "" : "?";
    if (ItemEnabled(d, IDC_STORETYPE_SMOOTH_COUNT)) state += "s";
    return state.empty() ? "-" : state;
}

TEST_F(StoreTypeTest, ClicksEnableTheirControlsAndReachTheDocumentAtOnceEvenOnCancel) {
    Doc().m_bAutoCollect = 1;
    Doc().m_nStoreKind = 1;
    Doc().m_sysParams.nShowSurveyPoint = -1;
    ASSERT_TRUE(Doc().SaveSystemParams());
    m_modals.ExpectDialog(IDD_STORE_TYPE)
        .Do([&](HWND d) {
            EXPECT_EQ(Doc().m_bAutoCollect, 0);  // opening stops automatic collection
            EXPECT_EQ(Enabled(d), "-");
            EXPECT_EQ(ItemText(d, IDC_STORETYPE_POINT_COUNT), L"全部");
            const std::pair<int, std::pair<int, const char*>> clicks[] = {
                {IDC_STORETYPE_OFFSET, {2, "-"}},
                {IDC_STORETYPE_SMOOTH, {3, "s"}},
                {IDC_STORETYPE_AUTO, {4, "a"}},
                {IDC_STORETYPE_GENERAL, {1, "-"}},
                {IDC_STORETYPE_OFFSET, {2, "-"}}};
            for (const auto& [id, expected] : clicks) {
                ::SendMessage(::GetDlgItem(d, id), BM_CLICK, 0, 0);
                EXPECT_EQ(Doc().m_nStoreKind, expected.first) << id;
                EXPECT_EQ(Enabled(d), expected.second) << id;
            }
            // The automatic kinds, clicked while their radios are open.
            ::SendMessage(::GetDlgItem(d, IDC_STORETYPE_AUTO), BM_CLICK, 0, 0);
            ::SendMessage(::GetDlgItem(d, IDC_STORETYPE_BY_DISTANCE), BM_CLICK, 0, 0);
            EXPECT_EQ(Doc().m_nAutoKind, 2);
            ::SendMessage(::GetDlgItem(d, IDC_STORETYPE_BY_TIME), BM_CLICK, 0, 0);
            EXPECT_EQ(Doc().m_nAutoKind, 1);
            ::SendMessage(::GetDlgItem(d, IDC_STORETYPE_OFFSET), BM_CLICK, 0, 0);
        })
        .Type(IDC_STORETYPE_POINT_COUNT, L"25")
        .Do([&](HWND) { EXPECT_EQ(Doc().m_sysParams.nShowSurveyPoint, 25); })
        .Click(IDCANCEL);
    EXPECT_EQ(Run(), IDCANCEL);
    EXPECT_EQ(Doc().m_nStoreType, 0);
    EXPECT_EQ(Doc().m_nStoreKind, 2);
    EXPECT_EQ(Doc().m_sysParams.nShowSurveyPoint, 25);
    EXPECT_EQ(SavedSettings().nShowSurveyPoint, -1);  // only OK writes the .ini
}

TEST_F(StoreTypeTest, OkMapsEveryChoiceOntoTheDocumentAndTheSettingsFile) {
    // Smoothing over 7 epochs, codes following names, the code shown.
    m_modals.ExpectDialog(IDD_STORE_TYPE)
        .Click(IDC_STORETYPE_SMOOTH)
        .SetText(IDC_STORETYPE_SMOOTH_COUNT, L"7")
        .Click(IDC_STORETYPE_SHOW_CODE)
        .Click(IDC_STORETYPE_CODE_IS_NAME)
        .SetText(IDC_STORETYPE_POINT_COUNT, L"全部")
        .Click(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Doc().m_nStoreType, 2);
    EXPECT_EQ(Doc().m_bSmoothStore, 1);
    EXPECT_EQ(Doc().m_nSmoothEpochs, 7);
    EXPECT_EQ(Doc().m_nSmoothCount, 7);
    EXPECT_EQ(Doc().m_nStoreKind, 3);
    SystemParams saved = SavedSettings();
    EXPECT_EQ(saved.nSaveType, 2);
    EXPECT_EQ(saved.nSmoothSecond, 7);
    EXPECT_EQ(saved.nDisplayType, 1);
    EXPECT_EQ(saved.CodeSaveType, 1);
    EXPECT_EQ(saved.nShowSurveyPoint, -1);

    // Automatic by time, FIXED only.
    m_modals.ExpectDialog(IDD_STORE_TYPE)
        .Do([](HWND d) {
            EXPECT_EQ(Enabled(d), "s");
            EXPECT_EQ(ItemText(d, IDC_STORETYPE_SMOOTH_COUNT), L"7");
        })
        .Click(IDC_STORETYPE_AUTO)
        .Click(IDC_STORETYPE_BY_TIME)
        .SetText(IDC_STORETYPE_TIME, L"15")
        .Select(IDC_STORETYPE_CONDITION, 3)
        .SetText(IDC_STORETYPE_POINT_COUNT, L"40")
        .Click(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Doc().m_nStoreType, 3);
    EXPECT_EQ(Doc().m_bSmoothStore, 0);
    EXPECT_EQ(Doc().m_nAutoKind, 1);
    EXPECT_EQ(Doc().m_nAutoTime, 15);
    EXPECT_EQ(Doc().m_nAutoCollectInterval, 15);
    EXPECT_EQ(Doc().m_nAutoInterval, 15);
    saved = SavedSettings();
    EXPECT_EQ(saved.nSaveType, 3);
    EXPECT_EQ(saved.nAutoSaveTime, 15);
    EXPECT_EQ(saved.nAsCondition, 3);
    EXPECT_EQ(saved.nShowSurveyPoint, 40);

    // Automatic by distance; reopening shows it with its controls.
    m_modals.ExpectDialog(IDD_STORE_TYPE)
        .Click(IDC_STORETYPE_BY_DISTANCE)
        .SetText(IDC_STORETYPE_DISTANCE, L"12.75")
        .Click(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Doc().m_nStoreType, 4);
    EXPECT_EQ(Doc().m_nAutoKind, 2);
    EXPECT_EQ(Doc().m_dAutoDistance, 12.75);
    EXPECT_EQ(Doc().m_nAutoInterval, 12);
    EXPECT_EQ(SavedSettings().szdAutoSaveDis, 12.75);
    m_modals.ExpectDialog(IDD_STORE_TYPE)
        .Do([](HWND d) {
            EXPECT_EQ(::IsDlgButtonChecked(d, IDC_STORETYPE_AUTO), BST_CHECKED);
            EXPECT_EQ(::IsDlgButtonChecked(d, IDC_STORETYPE_BY_DISTANCE), BST_CHECKED);
            EXPECT_EQ(ItemText(d, IDC_STORETYPE_DISTANCE), L"12.75");
            EXPECT_EQ(Enabled(d), "a");
        })
        // Offset: the kind with it.
        .Click(IDC_STORETYPE_OFFSET)
        .Click(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Doc().m_nStoreType, 1);
    EXPECT_EQ(Doc().m_nStoreKind, 2);
    m_modals.ExpectDialog(IDD_STORE_TYPE).Click(IDC_STORETYPE_GENERAL).Click(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Doc().m_nStoreType, 0);
    EXPECT_EQ(SavedSettings().nSaveType, 0);
    // A point count that is no number reads as 0.
    m_modals.ExpectDialog(IDD_STORE_TYPE).SetText(IDC_STORETYPE_POINT_COUNT, L"x").Click(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(SavedSettings().nShowSurveyPoint, 0);
}

TEST_F(StoreTypeTest, ASmoothingCountBelowOneIsRefusedAndAnUnwritableIniIsSaid) {
    m_modals.ExpectDialog(IDD_STORE_TYPE)
        .Click(IDC_STORETYPE_SMOOTH)
        .SetText(IDC_STORETYPE_SMOOTH_COUNT, L"0")
        .Click(IDOK)
        .SetText(IDC_STORETYPE_SMOOTH_COUNT, L"1")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"平滑次数必须大于0,请重新输入!").Answer(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Doc().m_nSmoothEpochs, 1);

    // A folder in the settings file's place: the box, the choice kept.
    std::filesystem::remove(HostOf(kIni));
    std::filesystem::create_directory(HostOf(kIni));
    m_modals.ExpectDialog(IDD_STORE_TYPE).Click(IDC_STORETYPE_OFFSET).Click(IDOK);
    m_modals.ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Doc().m_nStoreType, 1);
    EXPECT_EQ(Doc().m_sysParams.nSaveType, 1);
    EXPECT_TRUE(std::filesystem::is_directory(HostOf(kIni)));
}

}  // namespace
}  // namespace pointstest
