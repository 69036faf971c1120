#include "app/shell/MainFrame.h"

#include "app/FrameMessages.h"
#include "app/coordsys/ParamAlarmDlg.h"
#include "app/plan/GraphView.h"
#include "app/recording/DataView.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/SplashWnd.h"
#include "app/shell/VendropDoc.h"
#include "receiver/link/DeviceLibraries.h"
#include "receiver/link/PortMessages.h"
#include "res/resource.h"

namespace {

// The plan origin before the settings are read: 50 m north and east of the
// default base station.
constexpr double kStartOriginNorth = 5416554.0;
constexpr double kStartOriginEast = 668415.0;

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(WM_GPS_BIN1_SIGMA, OnBin1Sigma)
ON_MESSAGE(WM_GPS_SENTENCE, OnReceiverMessage)
ON_MESSAGE(WM_GPS_POSITION_DONE, OnPostedPositionDone)
ON_MESSAGE(WM_SURVEY_WRITE_NOTE, OnSurveyWriteNote)
ON_COMMAND(ID_VIEW_BLANK, OnViewBlank)
ON_COMMAND(ID_VIEW_MAIN, OnViewMain)
ON_COMMAND(ID_VIEW_SAVE_POINT, OnViewSavePoint)
ON_COMMAND(ID_VIEW_RTK_LIST, OnViewRtkList)
ON_COMMAND(ID_VIEW_TOGGLE, OnViewToggle)
ON_COMMAND(ID_MEASURE_START, OnStartMeasure)
ON_COMMAND(ID_MEASURE_PAUSE, OnPauseMeasure)
ON_COMMAND(ID_MEASURE_STOP, OnStopMeasure)
ON_COMMAND(ID_MEASURE_QUICK_LINE, OnQuickLineChange)
ON_UPDATE_COMMAND_UI(ID_MEASURE_START, OnUpdateStartMeasure)
ON_UPDATE_COMMAND_UI(ID_MEASURE_STOP, OnUpdateStopMeasure)
ON_UPDATE_COMMAND_UI(ID_MEASURE_PAUSE, OnUpdatePauseMeasure)
ON_UPDATE_COMMAND_UI(ID_MEASURE_QUICK_LINE, OnUpdateQuickLineChange)
ON_MESSAGE(WM_SOUNDER_CHAR, OnSounderChar)
ON_COMMAND(ID_CONNECT_SOUNDER, OnConnectSounder)
ON_UPDATE_COMMAND_UI(ID_CONNECT_SOUNDER, OnUpdateConnectSounder)
ON_COMMAND(ID_INFO_DISPLAY, OnInfoDisplay)
ON_COMMAND(ID_CONNECT_INSTRUMENT, OnConnectInstrument)
ON_COMMAND(ID_PARAM_VIEW, OnParamView)
ON_COMMAND(ID_CALC_FORWARD, OnCoordForward)
ON_COMMAND(ID_CALC_INVERSE, OnCoordInverse)
ON_COMMAND(ID_CALC_OFFSET_POINT, OnOffsetPoint)
ON_COMMAND(ID_CALC_BEARING_OFFSET, OnBearingOffset)
ON_COMMAND(ID_CALC_INTERSECT, OnIntersectCalc)
ON_COMMAND(ID_MEASURE_POINT_LIB, OnMeasurePointLib)
ON_COMMAND(ID_SYSTEM_INFO, OnSystemInfo)
ON_COMMAND(ID_PORT_TEST, OnPortTest)
ON_COMMAND(ID_GGA_SEND, OnGgaSend)
ON_COMMAND(ID_OFFSET_SETTINGS, OnOffsetSettings)
ON_COMMAND(ID_SOUNDER_SETTINGS, OnSounderSettings)
ON_COMMAND(ID_DATA_COLLECT_SETTINGS, OnDataCollectSettings)
ON_COMMAND(ID_STORAGE_SETTINGS, OnStorageSettings)
ON_COMMAND(ID_HARDWARE_RESET, OnHardwareReset)
ON_COMMAND(ID_HARDWARE_SHUTDOWN, OnHardwareShutdown)
ON_COMMAND_RANGE(ID_GRAPH_ZOOM_IN, ID_GRAPH_ZOOM_ALL, OnGraphCommand)
ON_COMMAND_RANGE(ID_LAYOUT_CHANNEL, ID_LAYOUT_AREA, OnGraphCommand)
ON_COMMAND_RANGE(ID_GRAPH_AREA_DELETE, ID_GRAPH_LOAD, OnGraphCommand)
ON_COMMAND_RANGE(ID_GRAPH_DRAW_TEXT, ID_GRAPH_DRAW_TEXT, OnGraphCommand)
ON_COMMAND_RANGE(ID_GRAPH_CLEAR_LAYOUT, ID_GRAPH_CLEAR_LAYOUT, OnGraphCommand)
ON_COMMAND(ID_FRAME_EXIT, OnFrameExit)
ON_COMMAND(ID_FRAME_NO_ACTION, OnFrameNoAction)
ON_UPDATE_COMMAND_UI(ID_STORAGE_SETTINGS, OnUpdateRecordingSettings)
ON_UPDATE_COMMAND_UI(ID_DATA_COLLECT_SETTINGS, OnUpdateRecordingSettings)
ON_UPDATE_COMMAND_UI(ID_CONNECT_INSTRUMENT, OnUpdatePortSettings)
ON_UPDATE_COMMAND_UI(ID_PORT_TEST, OnUpdatePortSettings)
ON_UPDATE_COMMAND_UI(ID_SOUNDER_SETTINGS, OnUpdatePortSettings)
ON_UPDATE_COMMAND_UI(ID_GRAPH_SAVE, OnUpdateGraphFiles)
ON_UPDATE_COMMAND_UI(ID_GRAPH_LOAD, OnUpdateGraphFiles)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_strRelayState(L"SINGLE"),
      m_dGraphX(kStartOriginNorth),
      m_dGraphY(kStartOriginEast),
      m_dGraphScale(1.0) {
    g_pMeridianErrorDlg = nullptr;
    g_pFourParamErrorDlg = nullptr;
    g_pSevenParamErrorDlg = nullptr;
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::Serialize(CArchive&) {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    return CFrameWnd::PreCreateWindow(cs);
}

void CMainFrame::OnUpdateFrameTitle(BOOL) {}

CVendropDoc* CMainFrame::Doc() const {
    return g_pDoc;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (!m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
        !m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME) || !m_wndCommandBar.InsertSeparator(6) ||
        !m_wndCommandBar.LoadToolBar(IDR_MAINFRAME) || !m_wndCommandBar.AddAdornments(0))
        return -1;
    m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_SIZE_FIXED);
    FillSounderTypes();
    SetTimer(1, 1000);
    CSplashWnd::ShowSplashScreen(this);
    SetDeviceLed(0, 0);
    SetDeviceLed(4, 0);
    ::SetProp(m_hWnd, InstancePropertyName(), reinterpret_cast<HANDLE>(1));
    return 0;
}

// The data view is made first so that it is the first to take its initial
// update and so the first depth subscriber; the plan view is the active one.
BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (!m_wndSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CDataView), CSize(0, 0), pContext) ||
        !m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CGraphView), CSize(0, 170), pContext))
        return FALSE;
    SetActiveView(static_cast<CView*>(m_wndSplitter.GetPane(0, 0)), FALSE);
    return TRUE;
}

void CMainFrame::FillSounderTypes() {
    struct Row {
        LPCTSTR name;
        LPCTSTR tag;
        int fieldStart;
        int fieldLen;
        float scale;
        int errorChar;
        int decimals;
    };
    static const Row kTypes[] = {
        {L"无锡SDH-13D", L"DT", 4, 6, 100.0f, 'E', 3},
        {L"ODEM-DSF", L"ET", 5, 5, 100.0f, 'E', 3},
        {L"DESO-25", L"DA", 3, 4, 100.0f, 1, 1},
        {L"KOVAT测深仪", L"$GPSSS", 8, 6, 1.0f, 1, 3},
    };
    for (const Row& row : kTypes) {
        SounderTypeRecord type;
        type.strName = row.name;
        type.strStartTag = row.tag;
        type.nTerminator = 13;
        type.nFieldStart = row.fieldStart;
        type.nFieldLen = row.fieldLen;
        type.fScale = row.scale;
        type.nErrorChar = row.errorChar;
        type.nDecimals = row.decimals;
        AddSounderType(type);
    }
}

void CMainFrame::AddSounderType(const SounderTypeRecord& type) {
    InsertSounderType(type);
}

void CMainFrame::InsertSounderType(const SounderTypeRecord& type) {
    m_sounderTypes.Add(type);
}

LRESULT CMainFrame::OnBin1Sigma(WPARAM wParam, LPARAM) {
    m_fBinSigma = *reinterpret_cast<const float*>(wParam);
    return 0;
}

BOOL CMainFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_FRAME_SILENT_NOTIFY) return TRUE;
    return CFrameWnd::OnNotify(wParam, lParam, pResult);
}

void CMainFrame::SendGraphCommand(int code, LPARAM lParam) {
    ::SendMessage(m_hGraphView, WM_GRAPH_COMMAND, static_cast<WPARAM>(code), lParam);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_CHAR) {
        CVendropDoc* doc = Doc();
        switch (pMsg->wParam) {
            case '5':
                if (doc) {
                    double origin[3] = {doc->m_sysParams.ScreenStartx,
                                        doc->m_sysParams.ScreenStarty,
                                        doc->m_sysParams.ScreenScale};
                    SendGraphCommand(kGraphSetOrigin, reinterpret_cast<LPARAM>(origin));
                }
                break;
            // The measurement keys act only where the menu and the toolbar
            // offer their command; the key of a greyed one does nothing.
            case 'c':
                if (IsCommandEnabled(ID_MEASURE_START)) OnStartMeasure();
                break;
            case 'd':
                if (IsCommandEnabled(ID_MEASURE_STOP)) OnStopMeasure();
                break;
            case 'f':
                if (IsCommandEnabled(ID_MEASURE_QUICK_LINE)) OnQuickLineChange();
                break;
            case 'e':
                // The store request has no command of its own: it is taken
                // while epochs are being recorded, when the line change is
                // offered.
                if (IsCommandEnabled(ID_MEASURE_QUICK_LINE)) m_bManualRecord = 1;
                break;
            case 'g':
                if (doc && IsCommandEnabled(ID_MEASURE_PAUSE)) doc->m_bPaused = 1;
                break;
            case 'h':
                SendGraphCommand(kGraphZoomIn);
                break;
            case 'l':
                SendGraphCommand(kGraphZoomOut);
                break;
            case 'p':
                SendGraphCommand(kGraphZoomWindow);
                break;
            case 't':
                SendGraphCommand(kGraphZoomAll);
                break;
            case 'r':
                SendGraphCommand(kGraphClearLayout);
                break;
            case 'x':
                SendMessage(WM_COMMAND, ID_APP_EXIT);
                return TRUE;
            default:
                break;
        }
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

namespace {

// A command's state as the menu and the toolbar ask for it.
class CommandStateProbe : public CCmdUI {
  public:
    void Enable(BOOL bOn) override {
        CCmdUI::Enable(bOn);
        m_bOn = bOn;
    }
    BOOL m_bOn = TRUE;
};

}  // namespace

BOOL CMainFrame::IsCommandEnabled(UINT nID) {
    CommandStateProbe probe;
    probe.m_nID = nID;
    probe.DoUpdate(this, TRUE);
    return probe.m_bOn;
}

CMainFrame* GetMainFrame() {
    CWnd* main = AfxGetMainWnd();
    return main && main->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(main)
                                                             : nullptr;
}
