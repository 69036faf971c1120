#include "app/setup/GgaSendDlg.h"

#include "app/shell/MainFrame.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CGgaSendDlg, CDialog)
ON_BN_CLICKED(IDC_GGA_GET, OnGetGga)
ON_BN_CLICKED(IDC_GGA_STOP, OnStopSending)
END_MESSAGE_MAP()

CGgaSendDlg::CGgaSendDlg(CWnd* pParent) : CDialog(IDD_GGA_SEND, pParent) {}

BOOL CGgaSendDlg::OnInitDialog() {
    if (const CMainFrame* frame = GetMainFrame()) {
        m_strGga = frame->m_strRelayGga;
        m_nRelayMode = frame->m_nRelayMode;
    }
    m_strStatus.LoadString(m_strGga.IsEmpty() ? IDS_STRING61714 : IDS_STRING61715);
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CGgaSendDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GGA_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_GGA_TEXT, m_strGga);
    DDX_Radio(pDX, IDC_GGA_MANUAL, m_nRelayMode);
}

void CGgaSendDlg::OnGetGga() {
    CMainFrame* frame = GetMainFrame();
    if (!frame) return;
    frame->m_strRelayGga = frame->m_strCurGga;
    m_strGga = frame->m_strRelayGga;
    m_strStatus.LoadString(IDS_STRING61715);
    SetDlgItemText(IDC_GGA_TEXT, m_strGga);
    SetDlgItemText(IDC_GGA_STATUS, m_strStatus);
}

void CGgaSendDlg::OnStopSending() {
    if (CMainFrame* frame = GetMainFrame()) frame->m_strRelayGga.Empty();
    m_strGga.Empty();
    m_strStatus.LoadString(IDS_STRING61714);
    SetDlgItemText(IDC_GGA_TEXT, m_strGga);
    SetDlgItemText(IDC_GGA_STATUS, m_strStatus);
}
