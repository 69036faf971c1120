#include "app/coordsys/FourParamDlg.h"

#include <iterator>

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

const int kValueEdits[] = {IDC_PARAM_DX, IDC_PARAM_DY, IDC_FOUR_ROTATION, IDC_PARAM_K};

}  // namespace

BEGIN_MESSAGE_MAP(CFourParamDlg, CDialog)
ON_BN_CLICKED(IDC_PARAM_ENABLE, OnClickedEnable)
END_MESSAGE_MAP()

CFourParamDlg::CFourParamDlg(CWnd* pParent) : CDialog(IDD_FOUR_PARAM, pParent) {}

void CFourParamDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PARAM_ENABLE, m_nDifang);
    DDX_Text(pDX, IDC_PARAM_DX, m_dCx);
    DDX_Text(pDX, IDC_PARAM_DY, m_dCy);
    DDX_Text(pDX, IDC_FOUR_ROTATION, m_dCa);
    DDX_Text(pDX, IDC_PARAM_K, m_dCk);
}

BOOL CFourParamDlg::OnInitDialog() {
    if (g_pDoc) LoadFrom(g_pDoc->m_coordParams);
    CDialog::OnInitDialog();
    coordsys::ApplyEnableRule(this, m_nDifang, kValueEdits, std::size(kValueEdits));
    CenterWindow();
    return TRUE;
}

void CFourParamDlg::OnClickedEnable() {
    coordsys::ApplyEnableClick(this, IDC_PARAM_ENABLE, m_nDifang, kValueEdits,
                               std::size(kValueEdits));
}
