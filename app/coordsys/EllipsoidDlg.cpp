#include "app/coordsys/EllipsoidDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CEllipsoidDlg, CDialog)
ON_CBN_SELCHANGE(IDC_ELLIPSOID_NAME, OnSelChangeEllipsoid)
END_MESSAGE_MAP()

CEllipsoidDlg::CEllipsoidDlg(CWnd* pParent) : CDialog(IDD_ELLIPSOID, pParent) {}

void CEllipsoidDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_ELLIPSOID_NAME, m_nCoord);
    DDX_Text(pDX, IDC_ELLIPSOID_A, m_dA);
    DDX_Text(pDX, IDC_ELLIPSOID_INV_F, m_dInvF);
}

BOOL CEllipsoidDlg::OnInitDialog() {
    if (g_pDoc) {
        const CoordSysParams& p = g_pDoc->m_coordParams;
        m_nCoord = p.nCoord;
        m_dA = p.szdDa;
        m_dInvF = p.szdDf;
    }
    CDialog::OnInitDialog();
    coordsys::EnableEllipsoidAxes(this, m_nCoord == coordsys::kUserEllipsoid);
    CenterWindow();
    return TRUE;
}

void CEllipsoidDlg::OnSelChangeEllipsoid() {
    UpdateData(TRUE);
    coordsys::ApplyEllipsoidChoice(this, m_nCoord, m_dA, m_dInvF, 6378388.0, 297.0);
    UpdateData(FALSE);
}

void CEllipsoidDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseEllipsoid(this, m_dA, m_dInvF)) return;
    EndDialog(IDOK);
}
