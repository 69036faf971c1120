#include "app/coordsys/EditCtrlPointDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CEditCtrlPointDlg, CDialog)
ON_BN_CLICKED(IDC_CTRL_KNOWN_LIBRARY, OnPickKnown)
ON_BN_CLICKED(IDC_CTRL_LIBRARY, OnPickSource)
END_MESSAGE_MAP()

CEditCtrlPointDlg::CEditCtrlPointDlg(CWnd* pParent) : CDialog(IDD_EDIT_CTRL_POINT, pParent) {}

void CEditCtrlPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CTRL_KNOWN_LIBRARY, m_btnKnown);
    DDX_Control(pDX, IDC_CTRL_LIBRARY, m_btnSource);
    DDX_Text(pDX, IDC_CTRL_NAME, m_strName);
    DDX_Text(pDX, IDC_CTRL_X, m_strKnownX);
    DDX_Text(pDX, IDC_CTRL_Y, m_strKnownY);
    DDX_Text(pDX, IDC_CTRL_H, m_strKnownH);
    DDX_Text(pDX, IDC_CTRL_SRC_X, m_strSrcX);
    DDX_Text(pDX, IDC_CTRL_SRC_Y, m_strSrcY);
    DDX_Text(pDX, IDC_CTRL_SRC_H, m_strSrcH);
}

BOOL CEditCtrlPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    coordsys::SetUpPickButton(m_btnKnown, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnSource, this, IDI_PICK_LIBRARY);
    CenterWindow();
    return TRUE;
}

void CEditCtrlPointDlg::OnPickKnown() {
    UpdateData(TRUE);
    CCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_strName = dlg.m_strPickName;
    m_strKnownX = dlg.m_strPickNorth;
    m_strKnownY = dlg.m_strPickEast;
    m_strKnownH = dlg.m_strPickHeight;
    UpdateData(FALSE);
}

void CEditCtrlPointDlg::OnPickSource() {
    UpdateData(TRUE);
    CCoordLibDlg dlg;
    dlg.SetMode(1);
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_strSrcX = dlg.m_strPickNorth;
    m_strSrcY = dlg.m_strPickEast;
    m_strSrcH = dlg.m_strPickHeight;
    UpdateData(FALSE);
}

void CEditCtrlPointDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strKnownX, &m_strKnownY, &m_strKnownH,
                                          &m_strSrcX, &m_strSrcY, &m_strSrcH}))
        return;
    EndDialog(IDOK);
}
