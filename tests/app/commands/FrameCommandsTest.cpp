// The main frame's own commands in the running program: the settings
// dialogs and the .ini, the sounder's rate list, the offsets and the relay
// mode kept in the frame, the receiver's reset and shut-down frames, the
// plan-view commands, the exit command, and the enabling of every command
// of the menu and the toolbar over the states of a run.
#include "app/FrameMessages.h"
#include "tests/app/commands/CommandsTest.h"

namespace commandstest {

// A view with handlers of its own for the layout commands, as the plan
// view's full version has: switched in, it is the active view.
class CLayoutTestView : public CView {
    DECLARE_DYNCREATE(CLayoutTestView)
  public:
    void OnDraw(CDC*) override {}
    static std::vector<UINT>& Commands() {
        static std::vector<UINT> commands;
        return commands;
    }

  protected:
    afx_msg void OnLayout(UINT nID) { Commands().push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CLayoutTestView, CView)

BEGIN_MESSAGE_MAP(CLayoutTestView, CView)
ON_COMMAND_RANGE(ID_LAYOUT_CHANNEL, ID_LAYOUT_AREA, OnLayout)
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kRuvo = L"\\Flash Disk\\Jobs\\ruvo\\";

class FrameCommandsTest : public CommandsTest {
  protected:
    int SelectedRate(HWND dialog) {
        return static_cast<int>(::SendDlgItemMessage(dialog, IDC_SOUNDER_BAUD, CB_GETCURSEL, 0, 0));
    }
};

TEST_F(FrameCommandsTest, TheSettingsDialogsWriteTheJobsSettings) {
    StartWithLink();
    m_modals->ExpectDialog(IDD_STORAGE_SET)
        .SetText(IDC_STORAGE_FILE_NAME, L"AB")
        .SetText(IDC_STORAGE_LINE_NUMBER, L"3")
        .Click(IDC_STORAGE_NAME_CONTINUE)
        .Click(IDOK);
    Command(ID_STORAGE_SETTINGS);
    m_modals->ExpectDialog(IDD_DATA_COLLECT_SET)
        .Click(IDC_COLLECT_RTK)
        .Click(IDC_COLLECT_BY_DISTANCE)
        .SetText(IDC_COLLECT_DISTANCE, L"7.5")
        .SetText(IDC_COLLECT_DEPTH_TIME, L"2")
        .Click(IDOK);
    Command(ID_DATA_COLLECT_SETTINGS);
    SystemParams saved = ReadSettings(kRuvo, L"ruvo.ini");
    EXPECT_EQ(saved.szSFName, CString(L"AB"));
    EXPECT_EQ(saved.nSFStartID, 3);
    EXPECT_EQ(saved.nSFNameMode, 1);
    EXPECT_EQ(saved.nCollectStatus, 2);
    EXPECT_EQ(saved.nCollectMode, 1);
    EXPECT_EQ(saved.dCollectDis, 7.5);
    EXPECT_EQ(saved.dDeepInterTime, 2.0);

    // Cancel takes nothing.
    const std::string ini = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    m_modals->ExpectDialog(IDD_STORAGE_SET).SetText(IDC_STORAGE_FILE_NAME, L"X").Click(IDCANCEL);
    Command(ID_STORAGE_SETTINGS);
    m_modals->ExpectDialog(IDD_DATA_COLLECT_SET).Click(IDC_COLLECT_MANUAL).Click(IDCANCEL);
    Command(ID_DATA_COLLECT_SETTINGS);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"), ini);
    EXPECT_EQ(Doc().m_sysParams.szSFName, CString(L"AB"));
    EXPECT_EQ(m_modals->Pending(), 0);
}

// A rate in the list opens the dialog on it; one outside it opens the
// dialog with none chosen and stays unless another is chosen.
TEST_F(FrameCommandsTest, TheSounderDialogShowsTheRateOfTheListAndKeepsAnyOther) {
    StartWithLink([](SystemParams& p) { p.SoundBandrate = 9600; });
    m_modals->ExpectDialog(IDD_SOUNDER_SET)
        .Do([this](HWND dialog) { EXPECT_EQ(SelectedRate(dialog), 1); })
        .SetText(IDC_SOUNDER_PORT, L"3")
        .Select(IDC_SOUNDER_TYPE, 2)
        .Click(IDOK);
    Command(ID_SOUNDER_SETTINGS);
    SystemParams saved = ReadSettings(kRuvo, L"ruvo.ini");
    EXPECT_EQ(saved.SoundPort, 3);
    EXPECT_EQ(saved.SoundType, 2);
    EXPECT_EQ(saved.SoundBandrate, 9600);

    Doc().m_sysParams.SoundBandrate = 38400;
    m_modals->ExpectDialog(IDD_SOUNDER_SET)
        .Do([this](HWND dialog) { EXPECT_EQ(SelectedRate(dialog), CB_ERR); })
        .Click(IDOK);
    Command(ID_SOUNDER_SETTINGS);
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").SoundBandrate, 38400);
    m_modals->ExpectDialog(IDD_SOUNDER_SET).Select(IDC_SOUNDER_BAUD, 3).Click(IDOK);
    Command(ID_SOUNDER_SETTINGS);
    EXPECT_EQ(ReadSettings(kRuvo, L"ruvo.ini").SoundBandrate, 57600);
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(FrameCommandsTest, TheOffsetsAndTheRelayModeStayInTheFrame) {
    StartWithLink();
    const std::string ini = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    Frame()->m_dOffsetX = 1.23456;
    Frame()->m_dOffsetY = -0.5;
    m_modals->ExpectDialog(IDD_OFFSET_SET)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_OFFSET_X), L"1.235");
            EXPECT_EQ(ItemText(dialog, IDC_OFFSET_Y), L"-0.500");
        })
        .SetText(IDC_OFFSET_X, L"2.5")
        .SetText(IDC_OFFSET_Y, L"-0.125abc")
        .Click(IDOK);
    Command(ID_OFFSET_SETTINGS);
    EXPECT_EQ(Frame()->m_dOffsetX, 2.5);
    EXPECT_EQ(Frame()->m_dOffsetY, -0.125);
    m_modals->ExpectDialog(IDD_OFFSET_SET).SetText(IDC_OFFSET_X, L"9").Click(IDCANCEL);
    Command(ID_OFFSET_SETTINGS);
    EXPECT_EQ(Frame()->m_dOffsetX, 2.5);

    m_modals->ExpectDialog(IDD_GGA_SEND).Click(IDC_GGA_BY_DIFFERENCE).Click(IDOK);
    Command(ID_GGA_SEND);
    EXPECT_EQ(Frame()->m_nRelayMode, 2);
    m_modals->ExpectDialog(IDD_GGA_SEND).Click(IDC_GGA_MANUAL).Key(VK_ESCAPE);
    Command(ID_GGA_SEND);
    EXPECT_EQ(Frame()->m_nRelayMode, 2);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"), ini);
    EXPECT_EQ(m_modals->Pending(), 0);
}

// Each frame goes out twice whatever the receiver answers: 24 28 D7 00 00
// DB for the reset, 24 51 AE 00 00 DB for the shut-down.
TEST_F(FrameCommandsTest, TheResetAndShutDownFramesGoOutTwiceEach) {
    // A receiver that answers would bring its boxes at a moment of its own
    // (the dispatcher's tests show them): this one only listens.
    quorvel::sim::GnssSimOptions options;
    options.answerFrames = false;
    StartReceiver(options);
    StartWithLink();
    Command(ID_HARDWARE_RESET);
    Command(ID_HARDWARE_SHUTDOWN);
    std::vector<std::string> frames;
    ASSERT_TRUE(Serve([&] {
        for (const std::string& frame : TakeFrames()) frames.push_back(frame);
        return frames.size() >= 4;
    }));
    EXPECT_EQ(frames,
              (std::vector<std::string>{
                  "FRAME id=40 len=0 payload= xor=ok", "FRAME id=40 len=0 payload= xor=ok",
                  "FRAME id=81 len=0 payload= xor=ok", "FRAME id=81 len=0 payload= xor=ok"}));
}

TEST_F(FrameCommandsTest, PlanViewCommandsReachThePlanViewOrTheActiveViewsOwnHandlers) {
    StartWithLink();
    const struct {
        UINT command;
        int code;
    } kCodes[] = {
        {ID_GRAPH_ZOOM_IN, 1},      {ID_GRAPH_ZOOM_OUT, 2},   {ID_GRAPH_ZOOM_WINDOW, 3},
        {ID_GRAPH_ZOOM_ALL, 4},     {ID_GRAPH_SAVE, 6},       {ID_LAYOUT_AREA, 7},
        {ID_LAYOUT_CHANNEL, 8},     {ID_LAYOUT_PARALLEL, 9},  {ID_LAYOUT_PERPENDICULAR, 10},
        {ID_GRAPH_AREA_DELETE, 11}, {ID_GRAPH_DRAW_TEXT, 14}, {ID_GRAPH_LOAD, 21},
        {ID_GRAPH_CLEAR_LAYOUT, 22}};
    // The plan view's own questions and dialogs, answered so that nothing
    // changes.
    m_modals->ExpectMessageBox(L"图形数据保存完毕！").Answer(IDOK);
    for (UINT dialog : {IDD_AREA_LAYOUT, IDD_CHANNEL_LAYOUT, IDD_PARALLEL_LAYOUT, IDD_PERP_LAYOUT})
        m_modals->ExpectDialog(dialog).Click(IDCANCEL);
    m_modals->ExpectMessageBox(L"确实清除所有布线吗?").Answer(IDNO);
    TakeGraphCodes();
    for (const auto& c : kCodes) {
        Command(c.command);
        // The plan view, the active view, takes the four layouts in its own
        // command map: they open their dialogs without a graph code.
        if (c.code >= 7 && c.code <= 10)
            EXPECT_TRUE(TakeGraphCodes().empty()) << c.command;
        else
            EXPECT_EQ(TakeGraphCodes(), std::vector<int>{c.code}) << c.command;
    }
    CLayoutTestView::Commands().clear();
    ASSERT_NE(Frame()->SwitchToView(RUNTIME_CLASS(CLayoutTestView)), nullptr);
    for (UINT id : {ID_LAYOUT_CHANNEL, ID_LAYOUT_PARALLEL, ID_LAYOUT_PERPENDICULAR, ID_LAYOUT_AREA})
        Command(id);
    EXPECT_EQ(CLayoutTestView::Commands(),
              (std::vector<UINT>{ID_LAYOUT_CHANNEL, ID_LAYOUT_PARALLEL, ID_LAYOUT_PERPENDICULAR,
                                 ID_LAYOUT_AREA}));
    EXPECT_TRUE(TakeGraphCodes().empty());
    Command(ID_GRAPH_ZOOM_IN);  // no handler of its own: the frame's
    EXPECT_EQ(TakeGraphCodes(), std::vector<int>{1});
}

TEST_F(FrameCommandsTest, TheExitCommandLeadsToTheCloseQuestions) {
    StartWithLink();
    Doc().m_bMeasuring = 1;
    m_modals->ExpectMessageBox(L"请首先停止测量").Answer(IDOK);
    Command(ID_FRAME_EXIT);
    Doc().m_bMeasuring = 0;
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDNO);
    Command(ID_FRAME_EXIT);
    EXPECT_NE(Frame(), nullptr);
    EXPECT_TRUE(CommandEnabled(ID_FRAME_NO_ACTION));
    Command(ID_FRAME_NO_ACTION);  // does nothing at all
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    Command(ID_FRAME_EXIT);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Frame(), nullptr);
}

// ---- Enabling ----

struct RunState {
    bool measuring, paused, depthOnly, sounderActive;
};

// Whether a command is offered in a state, as the program's tables say.
bool Offered(UINT id, const RunState& s) {
    const bool m = s.measuring, p = s.paused, d = s.depthOnly, a = s.sounderActive;
    switch (id) {
        case ID_STORAGE_SETTINGS:
        case ID_DATA_COLLECT_SETTINGS:
            return !m && !d;
        case ID_CONNECT_INSTRUMENT:
        case ID_PORT_TEST:
        case ID_SOUNDER_SETTINGS:
            return !m && !a && !d;
        case ID_MEASURE_START:
            return !((m || d) && !p);
        case ID_MEASURE_STOP:
            return m || a || d;
        case ID_CONNECT_SOUNDER:
            return !m && !a && !p && !d;
        case ID_MEASURE_PAUSE:
            return (m || d) && !p;
        case ID_MEASURE_QUICK_LINE:
            return m && !p;
        case ID_FILE_SAVE:
        case ID_TOOLBAR_SPARE1:
        case ID_TOOLBAR_SPARE2:
            return false;
        case ID_JOB_NEW:
        case ID_JOB_OPEN:
        case ID_JOB_DELETE:
        case ID_PARAM_PROJECTION:
        case ID_PARAM_FOUR:
        case ID_PARAM_SEVEN:
        case ID_PARAM_HEIGHT_FIT:
        case ID_PARAM_CORRECTION:
        case ID_ROVER_SETTINGS:
        case ID_ELEVATION_MASK:
        case ID_ROVER_ANT_HEIGHT:
        case ID_TIME_ZONE:
        case ID_CALIBRATION_WIZARD:
        case ID_POST_PROC_WIZARD:
        case ID_CALC_FOUR_PARAMS:
        case ID_CALC_SEVEN_PARAMS:
        case ID_INSTRUMENT_SETTINGS:
            return !m && !a;
        default:
            return true;
    }
}

TEST_F(FrameCommandsTest, MenuAndToolbarOfferTheCommandsAsTheRunStateAllows) {
    StartWithLink();
    const UINT kMenu[] = {ID_STORAGE_SETTINGS,
                          ID_DATA_COLLECT_SETTINGS,
                          ID_CONNECT_INSTRUMENT,
                          ID_PORT_TEST,
                          ID_SOUNDER_SETTINGS,
                          ID_MEASURE_START,
                          ID_MEASURE_STOP,
                          ID_CONNECT_SOUNDER,
                          ID_MEASURE_PAUSE,
                          ID_MEASURE_QUICK_LINE,
                          ID_GRAPH_SAVE,
                          ID_GRAPH_LOAD,
                          ID_JOB_NEW,
                          ID_JOB_OPEN,
                          ID_JOB_DELETE,
                          ID_PARAM_PROJECTION,
                          ID_PARAM_FOUR,
                          ID_PARAM_SEVEN,
                          ID_PARAM_HEIGHT_FIT,
                          ID_PARAM_CORRECTION,
                          ID_ROVER_SETTINGS,
                          ID_ELEVATION_MASK,
                          ID_ROVER_ANT_HEIGHT,
                          ID_TIME_ZONE,
                          ID_CALIBRATION_WIZARD,
                          ID_POST_PROC_WIZARD,
                          ID_CALC_FOUR_PARAMS,
                          ID_CALC_SEVEN_PARAMS,
                          ID_INSTRUMENT_SETTINGS,
                          ID_COORD_LIB,
                          ID_CTRL_POINT_LIB,
                          ID_CALC_FORWARD,
                          ID_HARDWARE_RESET,
                          ID_SYSTEM_INFO,
                          ID_PARAM_VIEW,
                          ID_GRAPH_ZOOM_IN};
    const UINT kToolbar[] = {ID_FILE_SAVE,       ID_JOB_NEW,          ID_JOB_OPEN,
                             ID_PARAM_ELLIPSOID, ID_PARAM_PROJECTION, ID_PARAM_FOUR,
                             ID_PARAM_SEVEN,     ID_PARAM_WIZARD,     ID_CTRL_POINT_LIB,
                             ID_VIEW_TOGGLE,     ID_TOOLBAR_SPARE1,   ID_TOOLBAR_SPARE2};
    for (int bits = 0; bits < 16; ++bits) {
        const RunState state{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
        Doc().m_bMeasuring = state.measuring;
        Doc().m_bPaused = state.paused;
        Doc().m_bDepthOnly = state.depthOnly;
        Doc().m_bSounderActive = state.sounderActive;
        for (UINT id : kMenu)
            EXPECT_EQ(MenuEnabled(id), Offered(id, state)) << "menu " << id << " state " << bits;
        for (UINT id : kToolbar)
            EXPECT_EQ(ButtonEnabled(id), Offered(id, state))
                << "button " << id << " state " << bits;
        // Commands of their own stay as they are.
        EXPECT_TRUE(CommandEnabled(ID_AUTO_COLLECT_START)) << bits;
        EXPECT_TRUE(CommandEnabled(ID_APP_ABOUT)) << bits;
    }
    Doc().m_bMeasuring = Doc().m_bPaused = Doc().m_bDepthOnly = Doc().m_bSounderActive = 0;
}

}  // namespace
}  // namespace commandstest
