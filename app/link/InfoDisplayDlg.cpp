#include "app/link/InfoDisplayDlg.h"

#include "app/FrameMessages.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CInfoDisplayDlg, CDialog)
ON_WM_DESTROY()
ON_MESSAGE(WM_GPS_POSITION, OnPositionUpdate)
ON_NOTIFY(TCN_SELCHANGE, IDC_INFO_TAB, OnTabChange)
END_MESSAGE_MAP()

CInfoDisplayDlg::CInfoDisplayDlg(CWnd* pParent) : CDialog(IDD_INFO_DISPLAY, pParent) {}

void CInfoDisplayDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INFO_TAB, m_tabSheet);
}

BOOL CInfoDisplayDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    m_pageOther.m_strText = m_strOtherText;
    const UINT titleIds[kPages] = {IDS_STRING61435, IDS_STRING61436, IDS_STRING61437,
                                   IDS_STRING61438, IDS_STRING61439};
    CDialog* pages[kPages] = {&m_pagePosition, &m_pageSkyPlot, &m_pageSatList, &m_pageBase,
                              &m_pageOther};
    const UINT pageIds[kPages] = {IDD_INFO_POSITION, IDD_INFO_SKY_PLOT, IDD_INFO_SAT_LIST,
                                  IDD_INFO_BASE, IDD_INFO_OTHER};
    for (int i = 0; i < kPages; ++i) {
        m_strTitles[i].LoadString(titleIds[i]);
        m_tabSheet.AddPage(m_strTitles[i], pages[i], pageIds[i]);
    }
    m_tabSheet.CreatePages();
    if (CMainFrame* frame = GetMainFrame()) {
        m_hPrevView = frame->GetViewWnd();
        frame->SetViewWnd(m_hWnd);
        m_bRegistered = TRUE;
    }
    g_gpsComm.SendLine(L"log,gpgsv,ontime,1\r\n");
    SetFocus();
    return FALSE;
}

void CInfoDisplayDlg::RestoreScreen() {
    if (m_bRegistered) {
        if (CMainFrame* frame = GetMainFrame()) frame->SetViewWnd(m_hPrevView);
    }
    g_gpsComm.SendLine(L"unlog,gpgsv\r\n");
}

void CInfoDisplayDlg::OnOK() {
    RestoreScreen();
    EndDialog(IDOK);
}

void CInfoDisplayDlg::OnDestroy() {
    RestoreScreen();
    CDialog::OnDestroy();
}

LRESULT CInfoDisplayDlg::OnPositionUpdate(WPARAM wParam, LPARAM) {
    if (!wParam) return 0;
    m_record = *reinterpret_cast<const SurveyRecord*>(wParam);
    CInfoPage* pages[] = {&m_pagePosition, &m_pageSkyPlot, &m_pageSatList, &m_pageBase};
    const int top = m_tabSheet.GetCurSel();
    if (top >= 0 && top < 4) {
        pages[top]->SetRecord(m_record);
        pages[top]->Refresh();
    }
    return 0;
}

void CInfoDisplayDlg::OnTabChange(NMHDR*, LRESULT* pResult) {
    SetFocus();
    *pResult = 0;
}
