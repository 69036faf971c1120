#include "app/coordsys/HeightFitDlg.h"

#include <iterator>

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

const int kCoefficientEdits[6] = {IDC_FIT_A0, IDC_FIT_A1, IDC_FIT_A2,
                                  IDC_FIT_A3, IDC_FIT_A4, IDC_FIT_A5};
const int kValueEdits[] = {IDC_FIT_A0, IDC_FIT_A1, IDC_FIT_A2, IDC_FIT_A3,
                           IDC_FIT_A4, IDC_FIT_A5, IDC_FIT_X0, IDC_FIT_Y0};

}  // namespace

BEGIN_MESSAGE_MAP(CHeightFitDlg, CDialog)
ON_BN_CLICKED(IDC_PARAM_ENABLE, OnClickedEnable)
END_MESSAGE_MAP()

CHeightFitDlg::CHeightFitDlg(CWnd* pParent) : CDialog(IDD_HEIGHT_FIT, pParent) {}

void CHeightFitDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PARAM_ENABLE, m_nNiheMode);
    for (int i = 0; i < 6; ++i) DDX_Text(pDX, kCoefficientEdits[i], m_dA[i]);
    DDX_Text(pDX, IDC_FIT_X0, m_dX0);
    DDX_Text(pDX, IDC_FIT_Y0, m_dY0);
}

BOOL CHeightFitDlg::OnInitDialog() {
    if (g_pDoc) {
        const CoordSysParams& p = g_pDoc->m_coordParams;
        m_nNiheMode = p.nNiheMode;
        const double a[6] = {p.szdNiheA0, p.szdNiheA1, p.szdNiheA2,
                             p.szdNiheA3, p.szdNiheA4, p.szdNiheA5};
        for (int i = 0; i < 6; ++i) m_dA[i] = a[i];
        m_dX0 = p.szdNiheX0;
        m_dY0 = p.szdNiheY0;
    }
    CDialog::OnInitDialog();
    coordsys::ApplyEnableRule(this, m_nNiheMode, kValueEdits, std::size(kValueEdits));
    CenterWindow();
    return TRUE;
}

void CHeightFitDlg::OnClickedEnable() {
    coordsys::ApplyEnableClick(this, IDC_PARAM_ENABLE, m_nNiheMode, kValueEdits,
                               std::size(kValueEdits));
}
