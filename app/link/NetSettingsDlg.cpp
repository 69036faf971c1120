#include "app/link/NetSettingsDlg.h"

#include "app/shell/AppGlobals.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

constexpr int kGsm = 0;
constexpr int kGprs = 1;

// The fields a link and work mode use.
enum FieldBit : unsigned {
    kDial = 1u << 0,
    kIntervals = 1u << 1,
    kBaseSerial = 1u << 2,
    kIpPort = 1u << 3,
    kUser = 1u << 4,
    kDomainPassword = 1u << 5,
};

unsigned FieldsOf(int nLink, int nMode) {
    if (nMode < 0 || nMode > 2) return 0;
    if (nLink == kGsm) return nMode == 0 ? kDial : kDial | kIntervals;
    if (nLink != kGprs) return 0;
    switch (nMode) {
        case 0:
            return kBaseSerial | kIpPort;
        case 1:
            return kIpPort | kUser | kIntervals;
        default:
            return kIpPort | kUser | kDomainPassword | kIntervals;
    }
}

// The receiver's serial number from its identification: what follows
// "VX40" when the identification carries it, else all of it.
CString ReceiverSerial(const CString& id) {
    const int at = id.Find(L"VX40");
    return at >= 0 ? id.Mid(at + 4) : id;
}

}  // namespace

BEGIN_MESSAGE_MAP(CNetSettingsDlg, CDialog)
ON_CBN_SELCHANGE(IDC_NET_LINK_CHOICE, OnChoiceChange)
ON_CBN_SELCHANGE(IDC_NET_MODE_CHOICE, OnChoiceChange)
ON_BN_CLICKED(IDC_NET_READ, OnRead)
ON_BN_CLICKED(IDC_NET_SETUP, OnSet)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CNetSettingsDlg::CNetSettingsDlg(CWnd* pParent) : CDialog(IDD_NET_SETTINGS, pParent) {}

void CNetSettingsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_NET_LINK_CHOICE, m_nLinkChoice);
    DDX_CBIndex(pDX, IDC_NET_MODE_CHOICE, m_nWorkMode);
    DDX_Text(pDX, IDC_NET_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_NET_PASSWORD, m_strPassword);
    DDX_Text(pDX, IDC_NET_SERVER_PORT, m_strServerPort);
    DDX_Text(pDX, IDC_NET_DOMAIN, m_strDomain);
    DDX_Text(pDX, IDC_NET_SERVER_IP, m_strServerIp);
    DDX_Text(pDX, IDC_NET_USER, m_strUser);
    DDX_Text(pDX, IDC_NET_DEVICE_SERIAL, m_strDeviceSerial);
    DDX_Text(pDX, IDC_NET_VERSION, m_strVersion);
    DDX_Text(pDX, IDC_NET_BASE_SERIAL, m_strBaseSerial);
    DDX_Text(pDX, IDC_NET_DIS_INTERVAL, m_dDisInterval);
    DDX_Text(pDX, IDC_NET_DIAL_NUMBER, m_strDialNumber);
    DDX_Text(pDX, IDC_NET_TIME_INTERVAL, m_nTimeInterval);
}

BOOL CNetSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const SystemParams& params = g_pDoc->m_sysParams;
    m_nLinkChoice = params.nLinkMode;
    m_nWorkMode = params.nWorkMode;
    m_dDisInterval = params.GSMSendDisInterval;
    m_nTimeInterval = params.GSMSendTimeInterval;
    UpdateData(FALSE);
    EnableFields();
    SetTimer(kTimerId, 1000, nullptr);
    return TRUE;
}

void CNetSettingsDlg::ReadChoices() {
    m_nLinkChoice = static_cast<int>(SendDlgItemMessage(IDC_NET_LINK_CHOICE, CB_GETCURSEL));
    m_nWorkMode = static_cast<int>(SendDlgItemMessage(IDC_NET_MODE_CHOICE, CB_GETCURSEL));
}

void CNetSettingsDlg::EnableFields() {
    const unsigned fields = FieldsOf(m_nLinkChoice, m_nWorkMode);
    const struct {
        int id;
        unsigned bit;
    } controls[] = {
        {IDC_NET_DIAL_NUMBER, kDial},
        {IDC_NET_TIME_INTERVAL, kIntervals},
        {IDC_NET_DIS_INTERVAL, kIntervals},
        {IDC_NET_BASE_SERIAL, kBaseSerial},
        {IDC_NET_SERVER_IP, kIpPort},
        {IDC_NET_SERVER_PORT, kIpPort},
        {IDC_NET_USER, kUser},
        {IDC_NET_DOMAIN, kDomainPassword},
        {IDC_NET_PASSWORD, kDomainPassword},
    };
    for (const auto& c : controls) GetDlgItem(c.id)->EnableWindow((fields & c.bit) != 0);
}

void CNetSettingsDlg::EnableButtons(BOOL bEnable) {
    GetDlgItem(IDC_NET_READ)->EnableWindow(bEnable);
    GetDlgItem(IDC_NET_SETUP)->EnableWindow(bEnable);
}

void CNetSettingsDlg::OnChoiceChange() {
    ReadChoices();
    EnableFields();
}

void CNetSettingsDlg::Request(NetRequest request, LPCTSTR gprsText, LPCTSTR gsmText) {
    m_bWaiting = TRUE;
    m_pending = request;
    m_bPendingGprs = m_nLinkChoice == kGprs;
    EnableButtons(FALSE);
    m_strStatus = m_bPendingGprs ? gprsText : gsmText;
    SetDlgItemText(IDC_NET_STATUS, m_strStatus);
    RaiseNetRequest(g_gpsComm, request);
}

void CNetSettingsDlg::ShowField(CString& field, const CString& value, int id) {
    field = value;
    SetDlgItemText(id, value);
}

void CNetSettingsDlg::OnRead() {
    ReadChoices();
    // The fields the reply fills are emptied; the others keep what was
    // typed.
    if (m_nLinkChoice == kGprs) {
        ShowField(m_strServerIp, L"", IDC_NET_SERVER_IP);
        ShowField(m_strServerPort, L"", IDC_NET_SERVER_PORT);
        ShowField(m_strUser, L"", IDC_NET_USER);
        ShowField(m_strBaseSerial, L"", IDC_NET_BASE_SERIAL);
        ShowField(m_strDomain, L"", IDC_NET_DOMAIN);
        ShowField(m_strPassword, L"", IDC_NET_PASSWORD);
    } else {
        ShowField(m_strDialNumber, L"", IDC_NET_DIAL_NUMBER);
    }
    ShowField(m_strDeviceSerial, L"", IDC_NET_DEVICE_SERIAL);
    ShowField(m_strVersion, L"", IDC_NET_VERSION);
    Request(NetRequest::kRead, L"读取GPRS配置，请稍候...", L"读取GSM配置，请稍候...");
}

void CNetSettingsDlg::OnSet() {
    if (!UpdateData(TRUE)) return;
    const BOOL gprs = m_nLinkChoice == kGprs;
    CString required = gprs ? m_strServerIp : m_strDialNumber;
    required.Trim();
    if (required.IsEmpty()) {
        AfxMessageBox(gprs ? L"连接IP地址没有设置！" : L"连接号码没有设置！");
        return;
    }
    CVendropDoc* doc = g_pDoc;
    CNetLinkInfo& info = g_gpsComm.m_linkInfo;
    if (gprs) {
        info.strServerIp = m_strServerIp;
        info.strServerPort = m_strServerPort;
        info.strUserAccount = m_strUser;
        info.strBaseSerial = m_strBaseSerial;
        info.strDomain = m_strDomain;
        info.strPassword = m_strPassword;
    } else {
        info.strDialNumber = m_strDialNumber;
    }
    info.strReceiverSerial = ReceiverSerial(doc->m_curFix.strRxId1);
    if (doc->m_nReceiverVariant == 1) {
        info.strBaseSerial = info.strReceiverSerial;
        info.strAltNumber = m_strDialNumber;
    }
    doc->m_sysParams.nLinkMode = m_nLinkChoice;
    doc->m_sysParams.nWorkMode = m_nWorkMode;
    Request(NetRequest::kSet, L"进行GPRS设置，请稍候...", L"进行GSM设置，请稍候...");
}

void CNetSettingsDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId) return;
    if (!m_bWaiting) {
        EnableButtons(TRUE);
        return;
    }
    if (g_gpsComm.m_nBusy != 0) return;
    m_bWaiting = FALSE;
    ShowResult();
    ClearNetRequest(g_gpsComm, m_pending);
    m_pending = NetRequest::kNone;
    EnableButtons(TRUE);
}

void CNetSettingsDlg::ShowResult() {
    const BOOL ok = NetRequestSucceeded(g_gpsComm, m_pending);
    const CNetLinkInfo& info = g_gpsComm.m_linkInfo;
    if (m_pending == NetRequest::kSet) {
        if (m_bPendingGprs)
            m_strStatus = ok ? L"GPRS设置成功!" : L"GPRS设置超时!";
        else
            m_strStatus = ok ? L"GSM设置成功!" : L"GSM设置超时!";
    } else if (m_bPendingGprs) {
        m_strStatus = ok ? L"读取GPRS配置成功!" : L"读取GPRS配置超时!";
        if (ok) {
            ShowField(m_strServerIp, info.strServerIp, IDC_NET_SERVER_IP);
            ShowField(m_strServerPort, info.strServerPort, IDC_NET_SERVER_PORT);
            ShowField(m_strBaseSerial, info.strBaseSerial, IDC_NET_BASE_SERIAL);
            ShowField(m_strDomain, info.strDomain, IDC_NET_DOMAIN);
            ShowField(m_strPassword, info.strPassword, IDC_NET_PASSWORD);
            ShowField(m_strUser, info.strUserAccount, IDC_NET_USER);
        }
    } else {
        m_strStatus = ok ? L"读取GSM配置成功!" : L"读取GSM配置超时!";
        if (ok) ShowField(m_strDialNumber, info.strDialNumber, IDC_NET_DIAL_NUMBER);
    }
    if (ok && m_pending == NetRequest::kRead) {
        ShowField(m_strDeviceSerial, info.strDeviceSerial, IDC_NET_DEVICE_SERIAL);
        ShowField(m_strVersion, info.strVersion, IDC_NET_VERSION);
    }
    SetDlgItemText(IDC_NET_STATUS, m_strStatus);
}

// The settings are kept however the dialog ends; the receiver is then told
// to stop any search it started.
void CNetSettingsDlg::OnDestroy() {
    KillTimer(kTimerId);
    CVendropDoc* doc = g_pDoc;
    doc->m_sysParams.nLinkMode = m_nLinkChoice;
    doc->m_sysParams.nWorkMode = m_nWorkMode;
    doc->m_sysParams.GSMSendDisInterval = m_dDisInterval;
    doc->m_sysParams.GSMSendTimeInterval = m_nTimeInterval;
    (void)doc->SaveSystemParams();  // a failure has had its box
    SendStopSearchTwice(g_gpsComm);
    CDialog::OnDestroy();
}
