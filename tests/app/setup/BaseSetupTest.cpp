// Setting up the base station in the running program: on coordinates typed
// in, in each differential format, with and without the repeat at the next
// power-on, and through the base set-up command; the base dialogs' geodetic
// and plane texts, and positions that are not numbers.
#include <cstdlib>

#include "app/shell/AppGlobals.h"
#include "res/resource.h"
#include "tests/app/setup/SetupTest.h"

namespace setuptest {
namespace {

// 31°30'00", 121°15'30", 12.3456 m; with an antenna height of 1.5 m and a
// geoid separation of 10 m the base stands at 23.8456 m.
constexpr LPCTSTR kB = L"31.3000000000";
constexpr LPCTSTR kL = L"121.1530000000";
constexpr LPCTSTR kH = L"12.3456";

class BaseSetupTest : public SetupTest {
  protected:
    // The base model, its identification ending in "2468".
    void StartBaseModel() {
        StartProgram();
        Identify("VX41T52468");
        Doc().m_curFix.dGeoidSep = 10.0;
    }
    // The manual set-up up to its dialog, which `fill` fills.
    quorvel::testing::ModalStep& OpenManual() {
        m_modals->ExpectDialog(IDD_INSTRUMENT_SET).Click(IDOK);
        m_modals->ExpectDialog(IDD_BASE_SET_MODE).Click(IDC_BASE_MODE_MANUAL);
        return m_modals->ExpectDialog(IDD_BASE_MANUAL_SET)
            .SetText(IDC_BASE_B, kB)
            .SetText(IDC_BASE_L, kL)
            .SetText(IDC_BASE_H, kH)
            .SetText(IDC_BASE_ANT_HEIGHT, L"1.5")
            .SetText(IDC_BASE_INTERVAL, L"2");
    }
};

TEST_F(BaseSetupTest, EachFormatSendsItsLinesAndTheSingleZeroOfNoRepeat) {
    StartBaseModel();
    for (int format = 0; format < 4; ++format) {
        OpenManual().Select(IDC_BASE_FORMAT, format).Click(IDOK);
        m_modals->ExpectMessageBox(L"确定基站已经自动发射了吗?").Answer(IDYES);
        m_modals->ExpectMessageBox(L"基准站设置成功!").Answer(IDOK);
        Command(ID_INSTRUMENT_SETTINGS);
        ExpectLog("manual_" + std::to_string(format) + ".log");
        EXPECT_EQ(SavedSettings().nRadioFormat, format);
        ClearLog();
    }
}

TEST_F(BaseSetupTest, TheRepeatSendsTheFixLineItselfOnceItsQuestionIsAnsweredAndNoKeepsTheDialog) {
    StartBaseModel();
    // The question of the check: Cancel clears it again, OK keeps it.
    OpenManual()
        .Click(IDC_BASE_REPEAT)
        .Do([](HWND dialog) {
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BASE_REPEAT),
                      static_cast<UINT>(BST_UNCHECKED));
        })
        .Click(IDC_BASE_REPEAT)
        .Do([](HWND dialog) {
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_BASE_REPEAT), static_cast<UINT>(BST_CHECKED));
        })
        .Click(IDOK)
        .Do([](HWND dialog) { EXPECT_TRUE(IsWindow(dialog)); })
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"该功能选中后，下次重新开机后").Answer(IDCANCEL);
    m_modals->ExpectMessageBox(L"该功能选中后，下次重新开机后").Answer(IDOK);
    m_modals->ExpectMessageBox(L"确定基站已经自动发射了吗?").Answer(IDNO);
    m_modals->ExpectMessageBox(L"确定基站已经自动发射了吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"基准站设置成功!").Answer(IDOK);
    Command(ID_INSTRUMENT_SETTINGS);
    ExpectLog("manual_0_repeat.log");
    EXPECT_NE(shelltest::Boxes(*m_modals).find("\"信息提示\" \"该功能选中后"), std::string::npos);
    EXPECT_NE(shelltest::Boxes(*m_modals).find("\"提示\" \"请确定在基准站自动发射后"),
              std::string::npos);

    // RTCM3 repeats its fix line as well.
    ClearLog();
    OpenManual().Select(IDC_BASE_FORMAT, 3).Click(IDC_BASE_REPEAT).Click(IDOK);
    m_modals->ExpectMessageBox(L"该功能选中后").Answer(IDOK);
    m_modals->ExpectMessageBox(L"确定基站已经自动发射了吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"基准站设置成功!").Answer(IDOK);
    Command(ID_INSTRUMENT_SETTINGS);
    ExpectLog("manual_3_repeat.log");

    // Before the link has started no line goes out, so none is repeated.
    ClearLog();
    Doc().m_nReceiverType = -1;
    OpenManual().Select(IDC_BASE_FORMAT, 0).Click(IDC_BASE_REPEAT).Click(IDOK);
    m_modals->ExpectMessageBox(L"该功能选中后").Answer(IDOK);
    m_modals->ExpectMessageBox(L"确定基站已经自动发射了吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"基准站设置成功!").Answer(IDOK);
    Command(ID_INSTRUMENT_SETTINGS);
    ExpectLog("manual_repeat_no_link.log");
}

TEST_F(BaseSetupTest, APositionThatIsNoNumberGivesThePromptAndNothingGoesOut) {
    StartBaseModel();
    OpenManual()
        .SetText(IDC_BASE_L, L"121.15.30")
        .Click(IDOK)
        .SetText(IDC_BASE_L, L"")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    Command(ID_INSTRUMENT_SETTINGS);
    ExpectLog("dynamic_mode.log");
    ClearLog();
    m_modals->ExpectDialog(IDD_BASE_SETTING)
        .SetText(IDC_BASE_H, L"abc")
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    Command(ID_SETUP_BASE_STATION);
    EXPECT_TRUE(Log().empty());
}

TEST_F(BaseSetupTest, TheBaseSetUpSendsTheRtcaLinesOnlyOnceTheLinkHasStarted) {
    StartBaseModel();
    auto fill = [this]() -> quorvel::testing::ModalStep& {
        return m_modals->ExpectDialog(IDD_BASE_SETTING)
            .SetText(IDC_BASE_B, kB)
            .SetText(IDC_BASE_L, kL)
            .SetText(IDC_BASE_H, kH)
            .SetText(IDC_BASE_SET_ANT_HEIGHT, L"1.5")
            .SetText(IDC_BASE_INTERVAL, L"3");
    };
    fill().Click(IDOK);
    m_modals->ExpectMessageBox(L"基准站设置成功!").Answer(IDOK);
    Command(ID_SETUP_BASE_STATION);
    ExpectLog("base_setup.log");
    ClearLog();
    Doc().m_nReceiverType = -1;
    fill().Click(IDOK);
    m_modals->ExpectMessageBox(L"基准站设置成功!").Answer(IDOK);
    Command(ID_SETUP_BASE_STATION);
    EXPECT_TRUE(Log().empty());
    // Cancel: neither a line nor the message.
    Doc().m_nReceiverType = 3;
    fill().Click(IDCANCEL);
    Command(ID_SETUP_BASE_STATION);
    EXPECT_TRUE(Log().empty());
}

// The default job projects on Krassovsky's ellipsoid, central meridian 0,
// false easting 500 km. The plane values of the Paris site come from PROJ:
//   echo "2.2945 48.8583 35" | cs2cs -f "%.4f" +proj=longlat +ellps=krass
//       +to +proj=tmerc +lon_0=0 +k=1 +x_0=500000 +ellps=krass
//   668365.2442  5416504.1211 35.0000
TEST_F(BaseSetupTest, TheKindSwitchConvertsTheTextsBothWaysAndSinglePointRefills) {
    StartBaseModel();
    Doc().m_curFix.dLat = 48.8583;
    Doc().m_curFix.dLon = 2.2945;
    Doc().m_curFix.dHeight = 35.0;
    auto number = [](HWND dialog, int id) { return std::atof(Text(dialog, id).c_str()); };
    m_modals->ExpectDialog(IDD_BASE_SETTING)
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_BASE_B), "48.5129880000");
            EXPECT_EQ(Text(dialog, IDC_BASE_L), "2.1740200000");
            EXPECT_EQ(Text(dialog, IDC_BASE_H), "35.0000");
            EXPECT_EQ(Text(dialog, IDC_BASE_INTERVAL), "1");
            EXPECT_EQ(Text(dialog, IDC_BASE_B_LABEL), "B:");
        })
        .Click(IDC_BASE_PLANE)
        .Do([number](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_BASE_B_LABEL) + Text(dialog, IDC_BASE_L_LABEL) +
                          Text(dialog, IDC_BASE_H_LABEL),
                      "X:Y:h:");
            EXPECT_NEAR(number(dialog, IDC_BASE_B), 5416504.1211, 0.002);
            EXPECT_NEAR(number(dialog, IDC_BASE_L), 668365.2442, 0.002);
            EXPECT_EQ(Text(dialog, IDC_BASE_H), "35.0000");
            EXPECT_EQ(Text(dialog, IDC_BASE_B).size(), Text(dialog, IDC_BASE_B).find('.') + 5);
        })
        // With plane coordinates the single point changes nothing.
        .SetText(IDC_BASE_H, L"36.5")
        .Click(IDC_BASE_SINGLE)
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_BASE_H), "36.5"); })
        .Click(IDC_BASE_GEODETIC)
        .Do([number](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_BASE_B_LABEL), "B:");
            EXPECT_NEAR(number(dialog, IDC_BASE_B), 48.512988, 1e-8);
            EXPECT_NEAR(number(dialog, IDC_BASE_L), 2.174020, 1e-8);
            EXPECT_EQ(Text(dialog, IDC_BASE_H), "36.5000");
            EXPECT_EQ(Text(dialog, IDC_BASE_B).size(), Text(dialog, IDC_BASE_B).find('.') + 11);
        })
        // A second click on the chosen kind converts nothing again.
        .Click(IDC_BASE_GEODETIC)
        .Do([](HWND dialog) { EXPECT_EQ(Text(dialog, IDC_BASE_H), "36.5000"); })
        .SetText(IDC_BASE_B, L"1")
        .Click(IDC_BASE_SINGLE)
        .Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_BASE_B), "48.5129880000");
            EXPECT_EQ(Text(dialog, IDC_BASE_H), "35.0000");
        })
        // Plane coordinates on OK go back to the site as the fix line.
        .Click(IDC_BASE_PLANE)
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"基准站设置成功!").Answer(IDOK);
    Command(ID_SETUP_BASE_STATION);
    ASSERT_TRUE(WaitForLog(6));
    const std::string fixLine = Log()[4];
    EXPECT_EQ(fixLine.substr(0, 31), "TEXT \"fix,position,48.85830000,");
    EXPECT_EQ(fixLine.substr(31), "2.29450000,45.0000\\r\\n\"");
}

}  // namespace
}  // namespace setuptest
