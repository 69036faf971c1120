#include "app/coordsys/SevenParamDlg.h"

#include <iterator>

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

const int kValueEdits[] = {IDC_PARAM_DX, IDC_PARAM_DY, IDC_PARAM_DZ, IDC_PARAM_WX,
                           IDC_PARAM_WY, IDC_PARAM_WZ, IDC_PARAM_K};

}  // namespace

BEGIN_MESSAGE_MAP(CSevenParamDlg, CDialog)
ON_BN_CLICKED(IDC_SEVEN_ENABLE, OnClickedEnable)
END_MESSAGE_MAP()

CSevenParamDlg::CSevenParamDlg(CWnd* pParent) : CDialog(IDD_SEVEN_PARAM, pParent) {}

void CSevenParamDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SEVEN_ENABLE, m_nSevenPar);
    DDX_Text(pDX, IDC_PARAM_DX, m_dDx);
    DDX_Text(pDX, IDC_PARAM_DY, m_dDy);
    DDX_Text(pDX, IDC_PARAM_DZ, m_dDz);
    DDX_Text(pDX, IDC_PARAM_WX, m_dWx);
    DDX_Text(pDX, IDC_PARAM_WY, m_dWy);
    DDX_Text(pDX, IDC_PARAM_WZ, m_dWz);
    DDX_Text(pDX, IDC_PARAM_K, m_dK);
}

BOOL CSevenParamDlg::OnInitDialog() {
    if (g_pDoc) LoadFrom(g_pDoc->m_coordParams);
    CDialog::OnInitDialog();
    coordsys::ApplyEnableRule(this, m_nSevenPar, kValueEdits, std::size(kValueEdits));
    CenterWindow();
    return TRUE;
}

void CSevenParamDlg::OnClickedEnable() {
    coordsys::ApplyEnableClick(this, IDC_SEVEN_ENABLE, m_nSevenPar, kValueEdits,
                               std::size(kValueEdits));
}
