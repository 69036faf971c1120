#include "app/libraries/PointAttributeDlg.h"

#include "res/resource.h"

CPointAttributeDlg::CPointAttributeDlg(CWnd* pParent) : CDialog(IDD_POINT_ATTRIBUTE, pParent) {}

void CPointAttributeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_ATTR_PLANE, m_bUsePlane);
    DDX_Check(pDX, IDC_ATTR_HEIGHT, m_bUseHeight);
    DDX_Text(pDX, IDC_ATTR_NAME, m_strName);
}

BOOL CPointAttributeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}
