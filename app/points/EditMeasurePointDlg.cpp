#include "app/points/EditMeasurePointDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "res/resource.h"

CEditMeasurePointDlg::CEditMeasurePointDlg(CWnd* pParent)
    : CDialog(IDD_EDIT_MEASURE_POINT, pParent) {}

void CEditMeasurePointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDIT_POINT_NAME, m_strName);
    DDX_Text(pDX, IDC_EDIT_POINT_CODE, m_strCode);
    DDX_Text(pDX, IDC_EDIT_POINT_ANT_HEIGHT, m_dAntHeight);
}

void CEditMeasurePointDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strCode})) return;
    CString question;
    CString title;
    question.LoadString(IDS_STRING61752);
    title.LoadString(IDS_STRING61466);
    if (MessageBox(question, title, MB_YESNO) == IDNO) return;
    EndDialog(IDOK);
}
