#include "app/setup/DataCollectSetDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDataCollectSetDlg, CDialog)
ON_BN_CLICKED(IDC_COLLECT_BY_TIME, OnByTime)
ON_BN_CLICKED(IDC_COLLECT_BY_DISTANCE, OnByDistance)
ON_BN_CLICKED(IDC_COLLECT_MANUAL, OnManual)
END_MESSAGE_MAP()

CDataCollectSetDlg::CDataCollectSetDlg(CWnd* pParent) : CDialog(IDD_DATA_COLLECT_SET, pParent) {}

BOOL CDataCollectSetDlg::OnInitDialog() {
    if (g_pDoc) {
        const SystemParams& p = g_pDoc->m_sysParams;
        m_nCollectStatus = p.nCollectStatus;
        m_nCollectMode = p.nCollectMode;
        m_dCollectTime = p.dCollectTime;
        m_dCollectDis = p.dCollectDis;
        m_dDeepInterTime = p.dDeepInterTime;
    }
    CDialog::OnInitDialog();
    // A mode outside the three (the space mode of the recording) leaves both.
    if (m_nCollectMode == 0) EnableIntervals(TRUE, FALSE);
    if (m_nCollectMode == 1) EnableIntervals(FALSE, TRUE);
    if (m_nCollectMode == 2) EnableIntervals(FALSE, FALSE);
    ShowWindow(SW_SHOWMAXIMIZED);
    return TRUE;
}

void CDataCollectSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_COLLECT_SINGLE, m_nCollectStatus);
    DDX_Radio(pDX, IDC_COLLECT_BY_TIME, m_nCollectMode);
    DDX_Text(pDX, IDC_COLLECT_TIME, m_dCollectTime);
    DDX_Text(pDX, IDC_COLLECT_DISTANCE, m_dCollectDis);
    DDX_Text(pDX, IDC_COLLECT_DEPTH_TIME, m_dDeepInterTime);
}

void CDataCollectSetDlg::EnableIntervals(BOOL bTime, BOOL bDistance) {
    GetDlgItem(IDC_COLLECT_TIME)->EnableWindow(bTime);
    GetDlgItem(IDC_COLLECT_DISTANCE)->EnableWindow(bDistance);
}

void CDataCollectSetDlg::OnByTime() {
    UpdateData(TRUE);
    EnableIntervals(TRUE, FALSE);
}

void CDataCollectSetDlg::OnByDistance() {
    UpdateData(TRUE);
    EnableIntervals(FALSE, TRUE);
}

void CDataCollectSetDlg::OnManual() {
    UpdateData(TRUE);
    EnableIntervals(FALSE, FALSE);
}
