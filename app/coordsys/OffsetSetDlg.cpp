#include "app/coordsys/OffsetSetDlg.h"

#include "res/resource.h"

COffsetSetDlg::COffsetSetDlg(CWnd* pParent) : CDialog(IDD_OFFSET_SET, pParent) {}

void COffsetSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OFFSET_X, m_strOffsetX);
    DDX_Text(pDX, IDC_OFFSET_Y, m_strOffsetY);
}
