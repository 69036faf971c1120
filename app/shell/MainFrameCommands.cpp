// The commands the main frame handles itself: the dialogs of the settings,
// tools and tests it opens, the two frames that reset and switch off the
// receiver, the plan-view commands it passes on, the exit command, and the
// enabling of the settings that a running measurement or sounder holds.
//
// Sections: dialogs, settings dialogs, the receiver's connection, receiver
// frames, plan view, enabling.
#include <cwchar>

#include "app/FrameMessages.h"
#include "app/coordsys/OffsetSetDlg.h"
#include "app/coordsys/ParamViewDlg.h"
#include "app/link/ConnectSetDlg.h"
#include "app/link/InfoDisplayDlg.h"
#include "app/link/ReceiverLinkStart.h"
#include "app/points/MeasurePointLibDlg.h"
#include "app/setup/DataCollectSetDlg.h"
#include "app/setup/GgaSendDlg.h"
#include "app/setup/PortTestDlg.h"
#include "app/setup/SounderSetDlg.h"
#include "app/setup/StorageSetDlg.h"
#include "app/setup/SystemInfoDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "app/tools/BearingOffsetDlg.h"
#include "app/tools/CoordForwardDlg.h"
#include "app/tools/CoordInverseDlg.h"
#include "app/tools/IntersectCalcDlg.h"
#include "app/tools/OffsetPointDlg.h"
#include "receiver/link/ReceiverFrames.h"
#include "res/resource.h"

namespace {

template <class Dialog>
void Run() {
    Dialog dlg;
    dlg.DoModal();
}

}  // namespace

// ---- Dialogs ----

// The information display's last page stays empty: this command has no
// text of its own for it.
void CMainFrame::OnInfoDisplay() {
    Run<CInfoDisplayDlg>();
}

void CMainFrame::OnParamView() {
    Run<CParamViewDlg>();
}

void CMainFrame::OnCoordForward() {
    Run<CCoordForwardDlg>();
}

void CMainFrame::OnCoordInverse() {
    Run<CCoordInverseDlg>();
}

void CMainFrame::OnOffsetPoint() {
    Run<COffsetPointDlg>();
}

void CMainFrame::OnBearingOffset() {
    Run<CBearingOffsetDlg>();
}

void CMainFrame::OnIntersectCalc() {
    Run<CIntersectCalcDlg>();
}

void CMainFrame::OnMeasurePointLib() {
    CMeasurePointLibDlg dlg(nullptr);
    dlg.DoModal();
}

void CMainFrame::OnSystemInfo() {
    Run<CSystemInfoDlg>();
}

void CMainFrame::OnPortTest() {
    Run<CPortTestDlg>();
}

void CMainFrame::OnGgaSend() {
    CGgaSendDlg dlg;
    if (dlg.DoModal() == IDOK) m_nRelayMode = dlg.m_nRelayMode;
}

// The offsets of the measured point live in the frame only.
void CMainFrame::OnOffsetSettings() {
    COffsetSetDlg dlg;
    dlg.m_strOffsetX.Format(L"%.3f", m_dOffsetX);
    dlg.m_strOffsetY.Format(L"%.3f", m_dOffsetY);
    if (dlg.DoModal() != IDOK) return;
    m_dOffsetX = std::wcstod(dlg.m_strOffsetX.GetString(), nullptr);
    m_dOffsetY = std::wcstod(dlg.m_strOffsetY.GetString(), nullptr);
}

// ---- Settings dialogs ----

// A stored rate that is not in the dialog's list opens it with none chosen,
// and OK without a choice keeps the stored rate.
void CMainFrame::OnSounderSettings() {
    SystemParams& params = Doc()->m_sysParams;
    CSounderSetDlg dlg;
    dlg.FromSettings(params);
    if (dlg.DoModal() != IDOK) return;
    dlg.ToSettings(params);
    (void)WriteSettings();  // a failure has had its box
}

void CMainFrame::OnDataCollectSettings() {
    CDataCollectSetDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    SystemParams& params = Doc()->m_sysParams;
    params.nCollectStatus = dlg.m_nCollectStatus;
    params.nCollectMode = dlg.m_nCollectMode;
    params.dCollectTime = dlg.m_dCollectTime;
    params.dCollectDis = dlg.m_dCollectDis;
    params.dDeepInterTime = dlg.m_dDeepInterTime;
    (void)WriteSettings();  // a failure has had its box
}

void CMainFrame::OnStorageSettings() {
    CStorageSetDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    SystemParams& params = Doc()->m_sysParams;
    params.szSFName = dlg.m_szSFName;
    params.nSFStartID = static_cast<int>(dlg.m_nSFStartID);
    params.nSFNameMode = dlg.m_nSFNameMode;
    (void)WriteSettings();  // a failure has had its box
}

// ---- The receiver's connection ----

// The link is started anew from the new settings by the one start routine;
// port choice 2 stays 2 in the settings, the link maps it to its port.
// Cancel changes nothing: a Bluetooth search in the dialog closed the link
// to use its port, and then it is started again as it was.
void CMainFrame::OnConnectInstrument() {
    CVendropDoc* doc = Doc();
    SystemParams& params = doc->m_sysParams;
    const BOOL bWasOpen = g_gpsComm.IsOpen();
    CConnectSetDlg dlg;
    dlg.m_nComMode = params.nComMode;
    dlg.m_nInputCom = params.nInputCom;
    dlg.m_nLinkType = params.Port;
    if (dlg.DoModal() != IDOK) {
        if (bWasOpen && !g_gpsComm.IsOpen()) StartReceiverLink(*doc, *this);
        return;
    }
    params.Port = dlg.m_nLinkType;
    params.nComMode = dlg.m_nComMode;
    params.nInputCom = dlg.m_nInputCom;
    (void)WriteSettings();  // a failure has had its box
    StartReceiverLink(*doc, *this);
}

// ---- Receiver frames ----

// Both frames go twice whatever the receiver answers.

void CMainFrame::OnHardwareReset() {
    g_gpsComm.SendFrame(RXCMD_RESET, 0, CString());
    g_gpsComm.SendFrame(RXCMD_RESET, 0, CString());
}

void CMainFrame::OnHardwareShutdown() {
    g_gpsComm.SendFrame(RXCMD_SHUTDOWN, 0, CString());
    g_gpsComm.SendFrame(RXCMD_SHUTDOWN, 0, CString());
}

// ---- Plan view ----

void CMainFrame::OnGraphCommand(UINT nID) {
    static const struct {
        UINT nID;
        int code;
    } kCodes[] = {
        {ID_GRAPH_ZOOM_IN, kGraphZoomIn},
        {ID_GRAPH_ZOOM_OUT, kGraphZoomOut},
        {ID_GRAPH_ZOOM_WINDOW, kGraphZoomWindow},
        {ID_GRAPH_ZOOM_ALL, kGraphZoomAll},
        {ID_GRAPH_SAVE, kGraphSave},
        {ID_LAYOUT_AREA, kGraphLayoutArea},
        {ID_LAYOUT_CHANNEL, kGraphLayoutChannel},
        {ID_LAYOUT_PARALLEL, kGraphLayoutParallel},
        {ID_LAYOUT_PERPENDICULAR, kGraphLayoutPerpendicular},
        {ID_GRAPH_AREA_DELETE, kGraphAreaDelete},
        {ID_GRAPH_DRAW_TEXT, kGraphDrawText},
        {ID_GRAPH_LOAD, kGraphLoad},
        {ID_GRAPH_CLEAR_LAYOUT, kGraphClearLayout},
    };
    for (const auto& entry : kCodes)
        if (entry.nID == nID) SendGraphCommand(entry.code);
}

void CMainFrame::OnFrameExit() {
    SendMessage(WM_COMMAND, ID_APP_EXIT);
}

void CMainFrame::OnFrameNoAction() {}

// ---- Enabling ----

void CMainFrame::OnUpdateRecordingSettings(CCmdUI* pCmdUI) {
    const CVendropDoc* doc = Doc();
    pCmdUI->Enable(doc != nullptr && !doc->m_bMeasuring && !doc->m_bDepthOnly);
}

void CMainFrame::OnUpdatePortSettings(CCmdUI* pCmdUI) {
    const CVendropDoc* doc = Doc();
    pCmdUI->Enable(doc != nullptr && !doc->m_bMeasuring && !doc->m_bSounderActive &&
                   !doc->m_bDepthOnly);
}

void CMainFrame::OnUpdateGraphFiles(CCmdUI*) {}
