// The frame's one-second timer: the no-data watchdog, which tells the
// screens once per silence that the receiver has stopped talking and asks
// it to resume, and the parameter alarms, which raise a prompt while the
// job's central meridian, four-parameter scale or seven-parameter rotations
// look wrong for the current position.
#include <cmath>

#include "app/FrameMessages.h"
#include "app/coordsys/ParamAlarmDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "receiver/link/ReceiverFrames.h"

namespace {

constexpr int kSilenceTicks = 10;
// A GSM connect request may keep the receiver quiet for a minute.
constexpr int kGsmConnectTicks = 60;

// Shows the prompt of `global`, or gives the one on screen the focus.
template <class Prompt>
void RaisePrompt(CParamAlarmDlg*& global, CWnd* pFrame) {
    if (global) {
        global->SetFocus();
        return;
    }
    auto* pPrompt = new Prompt;
    if (!pPrompt->CreatePrompt()) {
        delete pPrompt;
        return;
    }
    global = pPrompt;
    pPrompt->ShowWindow(SW_SHOW);
    pFrame->Invalidate();
}

void ClearFix(SurveyRecord& fix) {
    fix.dDop = 0.0;
    fix.nSatsInView = 0;
    fix.nSatsUsed = 0;
    fix.dLon = 0.0;
    fix.dLat = 0.0;
    fix.dHeight = 0.0;
    fix.dX = 0.0;
    fix.dY = 0.0;
    fix.dGridH = 0.0;
    fix.dSpeed = 0.0;
    fix.dHeading = 0.0;
    fix.nYear = 0;
    fix.nMonth = 0;
    fix.nDay = 0;
    fix.dHrms = 0.0;
    fix.dVrms = 0.0;
    fix.dBaseLat = 0.0;
    fix.dBaseLon = 0.0;
    fix.dBaseH = 0.0;
    fix.strStatus = L"NODATA";
    fix.nHour = 8;
    fix.nMinute = 0;
    fix.dSecond = 0.0;
}

}  // namespace

void CMainFrame::OnTimer(UINT_PTR nIDEvent) {
    const CVendropDoc* doc = Doc();
    const bool gsmConnecting =
        g_gpsComm.m_nBusy && g_gpsComm.m_bNetConnectReq && doc && doc->m_sysParams.nLinkMode == 0;
    const int limit = gsmConnecting ? kGsmConnectTicks : kSilenceTicks;
    if (m_nNoDataTicks < limit)
        ++m_nNoDataTicks;
    else if (m_nNoDataTicks == limit)
        NoDataNotice();
    CheckParameterAlarms();
    CFrameWnd::OnTimer(nIDEvent);
}

// The plan view hears it too (when it is not the current screen): it
// keeps a fix of its own and lets it go only on "NODATA".
void CMainFrame::NoDataNotice() {
    ClearFix(m_fix);
    if (CVendropDoc* doc = Doc()) doc->m_bGpsData = 0;
    const WPARAM fix = reinterpret_cast<WPARAM>(&m_fix);
    if (m_hViewWnd) ::SendMessage(m_hViewWnd, WM_GPS_POSITION, fix, kGpsPositionStatus);
    if (m_hGraphView && m_hGraphView != m_hViewWnd)
        ::SendMessage(m_hGraphView, WM_GPS_POSITION, fix, kGpsPositionStatus);
    ::SendMessage(m_hDataView, WM_GPS_POSITION, fix, kGpsPositionStatus);
    // The stop-search pair, back to back: a receiver stuck in a search
    // resumes its output.
    if (g_gpsComm.IsOpen()) {
        g_gpsComm.SendTypedCommand(RXCMD_STOP_SEARCH, L"C0");
        g_gpsComm.SendTypedCommand(RXCMD_STOP_SEARCH, L"C0");
    }
    g_gpsComm.m_nBusy = 0;
    ++m_nNoDataTicks;
}

void CMainFrame::CheckParameterAlarms() {
    const CVendropDoc* doc = Doc();
    if (!doc) return;
    const CoordSysParams& p = doc->m_coordParams;
    if (m_fix.dLon > 1e-10 && !doc->m_bMeridianAlarmOff &&
        std::fabs(m_fix.dLon - p.szdCenter) > 5.0)
        RaisePrompt<CMeridianErrorDlg>(g_pMeridianErrorDlg, this);
    if (p.nDifang && !doc->m_bFourParAlarmOff &&
        (std::fabs(p.szdCk1) > 1.05 || std::fabs(p.szdCk1) < 0.95))
        RaisePrompt<CFourParamErrorDlg>(g_pFourParamErrorDlg, this);
    if (p.nSevenPar && !doc->m_bSevenParAlarmOff &&
        (std::fabs(p.szdWx) > 0.00028 || std::fabs(p.szdWy) > 0.00028 ||
         std::fabs(p.szdWz) > 0.00028))
        RaisePrompt<CSevenParamErrorDlg>(g_pSevenParamErrorDlg, this);
}
