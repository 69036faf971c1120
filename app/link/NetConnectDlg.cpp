#include "app/link/NetConnectDlg.h"

#include "app/link/NetSettingsDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

LPCTSTR LinkText(int nLinkMode) {
    switch (nLinkMode) {
        case 0:
            return L"GSM";
        case 1:
            return L"GPRS";
        default:
            return L"";
    }
}

LPCTSTR WorkModeText(int nWorkMode) {
    switch (nWorkMode) {
        case 0:
            return L"KOVAT";
        case 1:
            return L"VRS";
        case 2:
            return L"VRS-NTRIP";
        default:
            return L"";
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CNetConnectDlg, CDialog)
ON_BN_CLICKED(IDC_NET_CONNECT, OnConnect)
ON_BN_CLICKED(IDC_NET_DISCONNECT, OnDisconnect)
ON_BN_CLICKED(IDC_NET_SETUP, OnSettings)
ON_WM_TIMER()
END_MESSAGE_MAP()

CNetConnectDlg::CNetConnectDlg(CWnd* pParent) : CDialog(IDD_NET_CONNECT, pParent) {}

void CNetConnectDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NET_LINK_TEXT, m_strLink);
    DDX_Text(pDX, IDC_NET_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_NET_MODE_TEXT, m_strMode);
}

BOOL CNetConnectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_strStatus.Empty();
    ShowLinkAndMode();
    SetTimer(kTimerId, 1000, nullptr);
    return TRUE;
}

void CNetConnectDlg::ShowLinkAndMode() {
    const SystemParams& params = g_pDoc->m_sysParams;
    m_strLink = LinkText(params.nLinkMode);
    m_strMode = WorkModeText(params.nWorkMode);
    UpdateData(FALSE);
    // GPRS connects by itself: only a GSM link is dialled from here.
    if (!m_bWaiting && params.nLinkMode == 0) EnableRequests(TRUE);
    if (params.nLinkMode == 1) EnableRequests(FALSE);
}

void CNetConnectDlg::EnableRequests(BOOL bEnable) {
    GetDlgItem(IDC_NET_CONNECT)->EnableWindow(bEnable);
    GetDlgItem(IDC_NET_DISCONNECT)->EnableWindow(bEnable);
}

void CNetConnectDlg::Request(NetRequest request, LPCTSTR waitText) {
    m_bWaiting = TRUE;
    m_pending = request;
    EnableRequests(FALSE);
    m_strStatus = waitText;
    UpdateData(FALSE);
    RaiseNetRequest(g_gpsComm, request);
}

void CNetConnectDlg::OnConnect() {
    Request(NetRequest::kConnect, L"开始网络连接，请稍候...");
}

void CNetConnectDlg::OnDisconnect() {
    Request(NetRequest::kDisconnect, L"断开网络连接，请稍候...");
}

void CNetConnectDlg::OnSettings() {
    CNetSettingsDlg dlg(this);
    dlg.DoModal();
    ShowLinkAndMode();
}

void CNetConnectDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId || !m_bWaiting || g_gpsComm.m_nBusy != 0) return;
    m_bWaiting = FALSE;
    const BOOL ok = NetRequestSucceeded(g_gpsComm, m_pending);
    if (m_pending == NetRequest::kConnect)
        m_strStatus = ok ? L"网络连接成功!" : L"网络连接超时!";
    else
        m_strStatus = ok ? L"网络断开成功!" : L"网络断开超时!";
    ClearNetRequest(g_gpsComm, m_pending);
    m_pending = NetRequest::kNone;
    UpdateData(FALSE);
    EnableRequests(TRUE);
}
