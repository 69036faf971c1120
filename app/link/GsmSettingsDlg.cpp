#include "app/link/GsmSettingsDlg.h"

#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

const int kRequestButtons[] = {IDC_GSM_READ, IDC_GSM_SET, IDC_GSM_DIAL, IDC_GSM_HANG_UP};

// The latest GGA sentence as it may be shown: from its "$" (a line handed
// over by the reader may still begin with the previous line's LF) up to
// its line end.
CString CurrentGga() {
    const CMainFrame* frame = GetMainFrame();
    if (!frame) return CString();
    CString gga = frame->m_strCurGga;
    const int start = gga.Find(L'$');
    if (start > 0) gga = gga.Mid(start);
    gga.TrimRight(L"\r\n");
    return gga;
}

}  // namespace

BEGIN_MESSAGE_MAP(CGsmSettingsDlg, CDialog)
ON_BN_CLICKED(IDC_GSM_READ, OnRead)
ON_BN_CLICKED(IDC_GSM_SET, OnSetNumber)
ON_BN_CLICKED(IDC_GSM_DIAL, OnDial)
ON_BN_CLICKED(IDC_GSM_HANG_UP, OnHangUp)
ON_WM_TIMER()
END_MESSAGE_MAP()

CGsmSettingsDlg::CGsmSettingsDlg(CWnd* pParent) : CDialog(IDD_GSM_SETTINGS, pParent) {}

void CGsmSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GSM_BASE_NUMBER, m_strBaseNumber);
    DDX_Text(pDX, IDC_GSM_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_GSM_MODEM_STATE, m_strModemState);
    DDX_Text(pDX, IDC_GSM_DIS_INTERVAL, m_dDisInterval);
    DDX_Text(pDX, IDC_GSM_TIME_INTERVAL, m_nTimeInterval);
    DDV_MinMaxInt(pDX, m_nTimeInterval, 0, 1000);
    DDX_Text(pDX, IDC_GSM_GGA, m_strGga);
}

BOOL CGsmSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const SystemParams& params = g_pDoc->m_sysParams;
    m_nTimeInterval = params.GSMSendTimeInterval;
    m_dDisInterval = params.GSMSendDisInterval;
    m_strGga = CurrentGga();
    m_strBaseNumber = g_gpsComm.m_strGsmBaseNumber;
    m_strModemState.Empty();
    UpdateData(FALSE);
    SetTimer(kTimerId, 1000, nullptr);
    return TRUE;
}

void CGsmSettingsDlg::EnableButtons(BOOL bEnable) {
    for (int id : kRequestButtons) GetDlgItem(id)->EnableWindow(bEnable);
}

void CGsmSettingsDlg::Request(GsmRequest request, LPCTSTR waitText) {
    m_bWaiting = TRUE;
    m_pending = request;
    EnableButtons(FALSE);
    m_strStatus = waitText;
    SetDlgItemText(IDC_GSM_STATUS, m_strStatus);
    RaiseGsmRequest(g_gpsComm, request, m_strBaseNumber);
}

void CGsmSettingsDlg::OnRead() {
    Request(GsmRequest::kRead, L"提示:读取GSM信息...");
}

void CGsmSettingsDlg::OnSetNumber() {
    if (!UpdateData(TRUE)) return;
    Request(GsmRequest::kSetNumber, L"提示:设置GSM号码...");
}

void CGsmSettingsDlg::OnDial() {
    Request(GsmRequest::kDial, L"提示:正在拨号，请稍候...");
}

void CGsmSettingsDlg::OnHangUp() {
    Request(GsmRequest::kHangUp, L"提示:正在断开连接，请稍候...");
}

void CGsmSettingsDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId || !m_bWaiting || g_gpsComm.m_nBusy != 0) return;
    m_bWaiting = FALSE;
    const BOOL ok = GsmRequestSucceeded(g_gpsComm, m_pending);
    switch (m_pending) {
        case GsmRequest::kRead:
            m_strStatus = ok ? L"提示:读操作成功!" : L"提示:读操作超时!";
            ShowReadValues();
            break;
        case GsmRequest::kSetNumber:
            m_strStatus = ok ? L"提示:设置操作成功!" : L"提示:设置操作超时!";
            break;
        case GsmRequest::kDial:
            m_strStatus = ok ? L"提示:拨号操作成功!" : L"提示:拨号操作超时!";
            break;
        case GsmRequest::kHangUp:
            m_strStatus = ok ? L"提示:断开操作成功!" : L"提示:断开操作超时!";
            break;
        case GsmRequest::kNone:
            break;
    }
    SetDlgItemText(IDC_GSM_STATUS, m_strStatus);
    ClearGsmRequest(g_gpsComm, m_pending);
    m_pending = GsmRequest::kNone;
    EnableButtons(TRUE);
}

void CGsmSettingsDlg::ShowReadValues() {
    m_strBaseNumber = g_gpsComm.m_strGsmBaseNumber;
    SetDlgItemText(IDC_GSM_BASE_NUMBER, m_strBaseNumber);
    const CString& state = g_gpsComm.m_strModemState;
    if (state == L"CONNECTED")
        m_strModemState = L"正在通讯";
    else if (state == L"READY")
        m_strModemState = L"待机状态";
    else if (state == L"DIALING")
        m_strModemState = L"拨号状态";
    else
        return;
    SetDlgItemText(IDC_GSM_MODEM_STATE, m_strModemState);
}

// A time interval outside 0..1000 or a distance that is not a number keeps
// the dialog open with the prompt: nothing is stored or sent.
void CGsmSettingsDlg::OnCancel() {
    if (!UpdateData(TRUE)) return;
    CVendropDoc* doc = g_pDoc;
    doc->m_sysParams.GSMSendTimeInterval = m_nTimeInterval;
    doc->m_sysParams.GSMSendDisInterval = m_dDisInterval;
    (void)doc->SaveSystemParams();  // a failure has had its box
    SendStopSearchTwice(g_gpsComm);
    g_gpsComm.m_nBusy = 0;
    g_gpsComm.SendLine(L"log,refstationa,ontime,10\r\n");
    KillTimer(kTimerId);
    EndDialog(IDCANCEL);
}
