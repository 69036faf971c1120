#include "app/link/ConnectSetDlg.h"

#include "app/shell/AppGlobals.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/Clock.h"
#include "platform/serial/SerialApi.h"
#include "receiver/link/PortMessages.h"
#include "res/resource.h"

namespace {

constexpr LPCTSTR kModulePort = L"COM1:";
constexpr int kModuleBaud = 9600;

}  // namespace

BEGIN_MESSAGE_MAP(CConnectSetDlg, CDialog)
ON_CBN_SELCHANGE(IDC_CONNECT_LINK_TYPE, OnLinkTypeChange)
ON_BN_CLICKED(IDC_CONNECT_BY_TYPE, OnModeClicked)
ON_BN_CLICKED(IDC_CONNECT_BY_PORT, OnModeClicked)
ON_BN_CLICKED(IDC_CONNECT_SCAN, OnScan)
ON_BN_CLICKED(IDC_CONNECT_STOP, OnStopScan)
ON_MESSAGE(WM_BT_SERIAL_DATA, OnSerialData)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CConnectSetDlg::CConnectSetDlg(CWnd* pParent) : CDialog(IDD_CONNECT_SET, pParent) {}

void CConnectSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONNECT_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_CONNECT_DEVICES, m_deviceList);
    DDX_CBIndex(pDX, IDC_CONNECT_LINK_TYPE, m_nLinkType);
    DDX_Radio(pDX, IDC_CONNECT_BY_TYPE, m_nComMode);
    DDX_Text(pDX, IDC_CONNECT_COM, m_nInputCom);
    DDX_Text(pDX, IDC_CONNECT_STATUS, m_strStatus);
}

BOOL CConnectSetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    m_bFirstWrite = TRUE;
    m_bConnecting = FALSE;
    GetDlgItem(IDC_CONNECT_SCAN)->EnableWindow(m_nLinkType == kBuiltInModule);
    GetDlgItem(IDC_CONNECT_STOP)->EnableWindow(FALSE);
    EnableByMode();
    m_strListPath = g_pDoc->m_strProgramRoot + L"\\BluetoothList";
    LoadDeviceList();
    SetTimer(kTimerId, 2000, nullptr);
    return TRUE;
}

void CConnectSetDlg::EnableByMode() {
    GetDlgItem(IDC_CONNECT_LINK_TYPE)->EnableWindow(m_nComMode == 0);
    GetDlgItem(IDC_CONNECT_COM)->EnableWindow(m_nComMode == 1);
}

// Scanning: Scan and the link type wait, Stop is offered.
void CConnectSetDlg::EnableScan(BOOL bScanning) {
    GetDlgItem(IDC_CONNECT_SCAN)->EnableWindow(!bScanning);
    GetDlgItem(IDC_CONNECT_LINK_TYPE)->EnableWindow(!bScanning);
    GetDlgItem(IDC_CONNECT_STOP)->EnableWindow(bScanning);
}

void CConnectSetDlg::ShowStatus(const CString& text) {
    if (text.IsEmpty()) return;
    m_strStatus = text;
    SetDlgItemText(IDC_CONNECT_STATUS, text);
}

void CConnectSetDlg::LoadDeviceList() {
    LoadBluetoothList(m_strListPath, m_devices);
    m_deviceList.ResetContent();
    for (int i = 0; i < m_devices.GetSize(); ++i) m_deviceList.AddString(m_devices[i].strName);
}

void CConnectSetDlg::OnLinkTypeChange() {
    m_nLinkType = static_cast<int>(SendDlgItemMessage(IDC_CONNECT_LINK_TYPE, CB_GETCURSEL));
    GetDlgItem(IDC_CONNECT_SCAN)->EnableWindow(m_nLinkType == kBuiltInModule);
    if (m_nLinkType == kBuiltInModule) GetDlgItem(IDC_CONNECT_STOP)->EnableWindow(FALSE);
}

void CConnectSetDlg::OnModeClicked() {
    m_nComMode = IsDlgButtonChecked(IDC_CONNECT_BY_PORT) ? 1 : 0;
    EnableByMode();
}

BOOL CConnectSetDlg::OpenModulePort() {
    if (g_gpsComm.IsOpen()) g_gpsComm.Close();
    m_port.SetNotifyWindow(m_hWnd);
    if (m_port.IsOpen()) return TRUE;
    return m_port.Open(kModulePort, kModuleBaud);
}

// DTR up takes the module out of its command mode.
void CConnectSetDlg::CloseModulePort(BOOL bRaiseDtr) {
    if (!m_port.IsOpen()) return;
    if (bRaiseDtr) m_port.EscapeFunction(SETDTR);
    m_port.Close();
    if (bRaiseDtr) Sleep(100);
}

void CConnectSetDlg::OnScan() {
    if (!UpdateData(TRUE)) return;
    m_progress.SetRange(0, kScanRange);
    m_progress.SetPos(0);
    m_deviceList.ResetContent();
    m_bFirstWrite = TRUE;
    if (!OpenModulePort()) return;
    m_port.EscapeFunction(CLRDTR);
    m_bConnecting = FALSE;
    m_bSearching = FALSE;
    ClearSteps();
    m_queue.push_back(BtCommandStep::Check());
    m_queue.push_back(BtCommandStep::MasterRole());
    m_queue.push_back(BtCommandStep::Inquiry());
    RunNextStep();
    EnableScan(TRUE);
}

void CConnectSetDlg::OnStopScan() {
    ClearSteps();
    m_bSearching = FALSE;
    CString text;
    text.LoadString(IDS_STRING61832);
    ShowStatus(text);
    m_port.EscapeFunction(CLRDTR);
    m_queue.push_back(BtCommandStep::Cancel());
    RunNextStep();
    EnableScan(FALSE);
}

void CConnectSetDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nComMode == 1) {
        EndDialog(IDOK);
        return;
    }
    if (m_nLinkType != kBuiltInModule) {
        CloseModulePort(TRUE);
        EndDialog(IDOK);
        return;
    }
    Connect();
}

// The built-in module is told the selected device; the reply or the
// connect step's time-out ends the dialog.
void CConnectSetDlg::Connect() {
    if (m_deviceList.GetCount() <= 0) {
        AfxMessageBox(IDS_STRING61824);
        return;
    }
    const int selected = m_deviceList.GetCurSel();
    if (selected < 0 || selected >= m_devices.GetSize()) {
        AfxMessageBox(IDS_STRING61825);
        return;
    }
    m_bConnecting = TRUE;
    if (!OpenModulePort()) {
        m_bConnecting = FALSE;
        return;
    }
    m_port.EscapeFunction(CLRDTR);
    ClearSteps();
    m_queue.push_back(BtCommandStep::Connect(m_devices[selected].strAddress));
    RunNextStep();
    m_progress.SetRange(0, kConnectRange);
    m_progress.SetPos(0);
}

void CConnectSetDlg::OnCancel() {
    CloseModulePort(TRUE);
    EndDialog(IDCANCEL);
}

void CConnectSetDlg::OnDestroy() {
    KillTimer(kTimerId);
    m_port.Close();
    CDialog::OnDestroy();
}
