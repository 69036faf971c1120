#include "app/coordsys/CorrectionParamDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CCorrectionParamDlg::CCorrectionParamDlg(CWnd* pParent) : CDialog(IDD_CORRECTION_PARAM, pParent) {}

void CCorrectionParamDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CORRECTION_X, m_dCorrectionX);
    DDX_Text(pDX, IDC_CORRECTION_Y, m_dCorrectionY);
    DDX_Text(pDX, IDC_CORRECTION_H, m_dCorrectionH);
}

BOOL CCorrectionParamDlg::OnInitDialog() {
    if (g_pDoc) {
        const CoordSysParams& p = g_pDoc->m_coordParams;
        m_dCorrectionX = coordsys::RoundToMillimetres(p.szdCorrectionX);
        m_dCorrectionY = coordsys::RoundToMillimetres(p.szdCorrectionY);
        m_dCorrectionH = coordsys::RoundToMillimetres(p.szdCorrectionH);
    }
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}
