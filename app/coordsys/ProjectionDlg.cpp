#include "app/coordsys/ProjectionDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "platform/framework/DataExchangePrompt.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CProjectionDlg, CDialog)
ON_CBN_SELCHANGE(IDC_ELLIPSOID_NAME, OnSelChangeEllipsoid)
ON_EN_CHANGE(IDC_ELLIPSOID_A, OnChangeAxis)
ON_EN_CHANGE(IDC_ELLIPSOID_INV_F, OnChangeInvFlattening)
END_MESSAGE_MAP()

CProjectionDlg::CProjectionDlg(CWnd* pParent) : CDialog(IDD_PROJECTION, pParent) {}

void CProjectionDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_ELLIPSOID_NAME, m_nCoord);
    DDX_Text(pDX, IDC_ELLIPSOID_A, m_dA);
    DDX_Text(pDX, IDC_ELLIPSOID_INV_F, m_dInvF);
    DDX_Text(pDX, IDC_PROJ_CENTER, m_dCenter);
    DDX_Text(pDX, IDC_PROJ_SCALE, m_dTk);
    DDX_Text(pDX, IDC_PROJ_X_CONST, m_lTx);
    DDX_Text(pDX, IDC_PROJ_Y_CONST, m_lTy);
    DDX_Text(pDX, IDC_PROJ_HEIGHT, m_dTHigh);
    DDX_Text(pDX, IDC_PROJ_BASE_LAT, m_dTlon);
}

BOOL CProjectionDlg::OnInitDialog() {
    if (g_pDoc) {
        const CoordSysParams& p = g_pDoc->m_coordParams;
        m_nCoord = p.nCoord;
        m_dA = m_dUserA = p.szdDa;
        m_dInvF = m_dUserInvF = p.szdDf;
        m_dCenter = coordsys::DegreesToPacked(p.szdCenter);
        m_dTk = p.szdTk;
        m_lTx = p.szlTx;
        m_lTy = p.szlTy;
        m_dTHigh = p.szdTHigh;
        m_dTlon = coordsys::DegreesToPacked(p.szdTlon);
    }
    m_bWritingControls = TRUE;
    CDialog::OnInitDialog();
    m_bWritingControls = FALSE;
    coordsys::EnableEllipsoidAxes(this, m_nCoord == coordsys::kUserEllipsoid);
    CenterWindow();
    return TRUE;
}

void CProjectionDlg::WriteControls() {
    m_bWritingControls = TRUE;
    UpdateData(FALSE);
    m_bWritingControls = FALSE;
}

void CProjectionDlg::OnSelChangeEllipsoid() {
    UpdateData(TRUE);
    coordsys::ApplyEllipsoidChoice(this, m_nCoord, m_dA, m_dInvF, m_dUserA, m_dUserInvF);
    WriteControls();
}

// The edit is read on its own and quietly: a number half typed ("", "-")
// is no reason for a prompt at every key; it is simply not kept.
void CProjectionDlg::OnChangeAxis() {
    if (m_bWritingControls) return;
    double value = 0.0;
    const CString text = quorvel::framework::ControlText(GetDlgItem(IDC_ELLIPSOID_A)->m_hWnd);
    if (quorvel::framework::ParseReal(text, value)) m_dA = m_dUserA = value;
}

void CProjectionDlg::OnChangeInvFlattening() {
    if (m_bWritingControls) return;
    double value = 0.0;
    const CString text = quorvel::framework::ControlText(GetDlgItem(IDC_ELLIPSOID_INV_F)->m_hWnd);
    if (quorvel::framework::ParseReal(text, value)) m_dInvF = m_dUserInvF = value;
}

void CProjectionDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseEllipsoid(this, m_dA, m_dInvF)) return;
    if (coordsys::RefuseProjectionScale(this, m_dTk)) return;
    EndDialog(IDOK);
}
