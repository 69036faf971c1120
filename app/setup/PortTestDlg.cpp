#include "app/setup/PortTestDlg.h"

#include <cstring>
#include <cwchar>

#include "platform/base/TextConv.h"
#include "receiver/link/PortMessages.h"
#include "res/resource.h"

namespace {

// What one send takes at most.
constexpr size_t kMaxHexText = 255;
constexpr size_t kMaxHexBytes = 256;

}  // namespace

BEGIN_MESSAGE_MAP(CPortTestDlg, CDialog)
ON_BN_CLICKED(IDC_PORT_OPEN, OnOpenPort)
ON_BN_CLICKED(IDC_PORT_CLOSE, OnClosePort)
ON_BN_CLICKED(IDC_PORT_SEND, OnSend)
ON_MESSAGE(WM_PORTTEST_CHAR, OnPortChar)
END_MESSAGE_MAP()

CPortTestDlg::CPortTestDlg(CWnd* pParent) : CDialog(IDD_PORT_TEST, pParent) {}

CPortTestDlg::~CPortTestDlg() {
    m_port.Close();
}

BOOL CPortTestDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_SHOWMAXIMIZED);
    GetDlgItem(IDC_PORT_SEND)->EnableWindow(FALSE);
    GetDlgItem(IDC_PORT_CLOSE)->EnableWindow(FALSE);
    return TRUE;
}

void CPortTestDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PORT_NUMBER, m_nPort);
    DDX_CBIndex(pDX, IDC_PORT_BAUD, m_nBaud);
    DDX_Text(pDX, IDC_PORT_SEND_TEXT, m_strSend);
    DDX_Check(pDX, IDC_PORT_HEX, m_bHex);
    DDX_Check(pDX, IDC_PORT_ENTER, m_bEnter);
}

void CPortTestDlg::EnableForOpen(BOOL bOpen) {
    GetDlgItem(IDC_PORT_SEND)->EnableWindow(bOpen);
    GetDlgItem(IDC_PORT_CLOSE)->EnableWindow(bOpen);
    GetDlgItem(IDC_PORT_OPEN)->EnableWindow(!bOpen);
    GetDlgItem(IDCANCEL)->EnableWindow(!bOpen);
}

void CPortTestDlg::OnOpenPort() {
    if (!UpdateData(TRUE)) return;
    m_nReceived = 0;
    CString baud;
    GetDlgItemText(IDC_PORT_BAUD, baud);
    m_port.SetNotify(m_hWnd, WM_PORTTEST_CHAR);
    if (!m_port.Open(m_nPort, static_cast<int>(std::wcstol(baud, nullptr, 10)))) {
        MessageBox(L"打开串口失败", L"提示");
        return;
    }
    m_bOpen = 1;
    EnableForOpen(TRUE);
}

void CPortTestDlg::OnClosePort() {
    m_port.Close();
    EnableForOpen(FALSE);
    m_bOpen = 0;
}

void CPortTestDlg::OnCancel() {
    if (m_bOpen) return;
    CDialog::OnCancel();
}

void CPortTestDlg::OnSend() {
    if (!UpdateData(TRUE)) return;
    CString text = m_strSend;
    if (text.Find(L"HEX:") >= 0) text = text.Mid(4);
    if (m_bHex) {
        SendHex(text);
        return;
    }
    if (m_bEnter) text += L"\r\n";
    m_port.WriteString(text);
}

// Blank-separated hexadecimal numbers, each sent as its low byte.
void CPortTestDlg::SendHex(const CString& text) {
    std::string narrow = quorvel::ToGbk(text);
    if (narrow.size() > kMaxHexText) narrow.resize(kMaxHexText);
    std::string bytes;
    char* rest = nullptr;
    for (char* token = strtok_r(narrow.data(), " ", &rest); token && bytes.size() < kMaxHexBytes;
         token = strtok_r(nullptr, " ", &rest)) {
        bytes += static_cast<char>(std::strtoul(token, nullptr, 16) & 0xFF);
    }
    if (m_bEnter) bytes += "\r\n";
    if (bytes.size() > kMaxHexBytes) bytes.resize(kMaxHexBytes);
    for (char byte : bytes) m_port.WriteByte(static_cast<BYTE>(byte));
}

LRESULT CPortTestDlg::OnPortChar(WPARAM wParam, LPARAM) {
    const BYTE byte = static_cast<BYTE>(wParam);
    ++m_nReceived;
    if (byte == '\n') {
        const LRESULT index = SendDlgItemMessage(IDC_PORT_LIST, LB_ADDSTRING, 0,
                                                 reinterpret_cast<LPARAM>(m_strLine.GetString()));
        SendDlgItemMessage(IDC_PORT_LIST, LB_SETCURSEL, static_cast<WPARAM>(index));
        m_strLine.Empty();
        CString count;
        count.Format(L"接收:%ld", m_nReceived);
        SetDlgItemText(IDC_PORT_COUNT, count);
    } else if (byte != '\r') {
        m_strLine += static_cast<TCHAR>(byte);
    }
    return 0;
}
