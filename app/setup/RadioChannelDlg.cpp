#include "app/setup/RadioChannelDlg.h"

#include "app/link/LinkMailbox.h"
#include "app/shell/AppGlobals.h"
#include "receiver/link/ReceiverFrames.h"
#include "res/resource.h"

namespace {

bool IsChannel(int n) {
    return n >= 1 && n <= 4;
}

}  // namespace

BEGIN_MESSAGE_MAP(CRadioChannelDlg, CDialog)
ON_BN_CLICKED(IDC_RADIO_READ, OnRead)
ON_BN_CLICKED(IDC_RADIO_SWITCH, OnSwitch)
ON_BN_CLICKED(IDC_RADIO_AUTO_SEARCH, OnAutoSearch)
ON_WM_TIMER()
END_MESSAGE_MAP()

CRadioChannelDlg::CRadioChannelDlg(CWnd* pParent) : CDialog(IDD_RADIO_CHANNEL, pParent) {}

BOOL CRadioChannelDlg::OnInitDialog() {
    m_bPending = 0;
    g_gpsComm.m_nRadioState = -1;
    const int current = g_gpsComm.m_nCurChannel;
    m_strCurChannel = ChannelText(current);
    m_nChannel = IsChannel(current) ? current - 1 : 0;
    CDialog::OnInitDialog();
    CenterWindow();
    SetTimer(kTimerId, 1000);
    return TRUE;
}

void CRadioChannelDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RADIO_STATUS, m_strStatus);
    DDX_CBIndex(pDX, IDC_RADIO_CHANNEL, m_nChannel);
    DDX_Text(pDX, IDC_RADIO_CURRENT, m_strCurChannel);
}

CString CRadioChannelDlg::ChannelText(int nChannel) {
    CString text;
    if (IsChannel(nChannel))
        text.Format(L"%d", nChannel);
    else
        text.LoadString(IDS_STRING61506);
    return text;
}

void CRadioChannelDlg::EnableButtons(BOOL bEnable) {
    GetDlgItem(IDC_RADIO_READ)->EnableWindow(bEnable);
    GetDlgItem(IDC_RADIO_AUTO_SEARCH)->EnableWindow(bEnable);
    GetDlgItem(IDC_RADIO_SWITCH)->EnableWindow(bEnable);
}

void CRadioChannelDlg::ShowStatus(UINT nStringId) {
    m_strStatus.LoadString(nStringId);
    SetDlgItemText(IDC_RADIO_STATUS, m_strStatus);
}

void CRadioChannelDlg::OnRead() {
    m_bPending = 1;
    m_request = kRead;
    g_gpsComm.m_nBusy = 1;
    g_gpsComm.m_bRadioReadReq = 1;
    g_gpsComm.m_bRadioOk = 0;
    g_gpsComm.m_nRadioState = -1;
    EnableButtons(FALSE);
    ShowStatus(IDS_STRING61509);
}

void CRadioChannelDlg::OnSwitch() {
    if (!UpdateData(TRUE)) return;
    m_bPending = 1;
    m_request = kSwitch;
    g_gpsComm.m_nBusy = 1;
    g_gpsComm.m_bRadioSwitchReq = 1;
    g_gpsComm.m_bRadioOk = 0;
    g_gpsComm.m_nRadioState = -1;
    g_gpsComm.m_nRadioTarget = m_nChannel + 1;
    EnableButtons(FALSE);
    ShowStatus(IDS_STRING61510);
}

void CRadioChannelDlg::OnAutoSearch() {
    g_gpsComm.SendTypedCommand(RXCMD_AUTO_SEARCH, L"C1");
    ShowStatus(IDS_STRING61511);
}

void CRadioChannelDlg::OnCancel() {
    SendStopSearchTwice(g_gpsComm);
    g_gpsComm.m_nBusy = 0;
    CDialog::OnCancel();
}

void CRadioChannelDlg::ShowReadResult(UINT nStatusId) {
    m_bPending = 0;
    m_request = kNone;
    m_strStatus.LoadString(nStatusId);
    m_strCurChannel = ChannelText(g_gpsComm.m_nCurChannel);
    g_gpsComm.m_nRadioState = -1;
    UpdateData(FALSE);
    EnableButtons(TRUE);
}

void CRadioChannelDlg::ShowSwitchResult(UINT nStatusId) {
    m_bPending = 0;
    m_request = kNone;
    m_strStatus.LoadString(nStatusId);
    const int current = g_gpsComm.m_nCurChannel;
    if (g_gpsComm.m_bRadioOk) m_strCurChannel.Format(L"%d", current);
    m_nChannel = IsChannel(current) ? current - 1 : 0;
    g_gpsComm.m_nRadioState = -1;
    UpdateData(FALSE);
    EnableButtons(TRUE);
}

void CRadioChannelDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    const int state = g_gpsComm.m_nRadioState;
    if (state == 1) {
        if (g_gpsComm.m_bRadioReadReq || !m_bPending) return;
        ShowReadResult(g_gpsComm.m_bRadioOk ? IDS_STRING61504 : IDS_STRING61505);
    } else if (state == 2 && !g_gpsComm.m_bRadioSwitchReq) {
        ShowSwitchResult(g_gpsComm.m_bRadioOk ? IDS_STRING61507 : IDS_STRING61508);
    } else if (m_bPending && g_gpsComm.m_nBusy == 0) {
        // Nobody answered and the busy word was taken back: a time-out.
        if (m_request == kSwitch) {
            g_gpsComm.m_bRadioSwitchReq = 0;
            ShowSwitchResult(IDS_STRING61508);
        } else {
            g_gpsComm.m_bRadioReadReq = 0;
            ShowReadResult(IDS_STRING61505);
        }
    }
}
