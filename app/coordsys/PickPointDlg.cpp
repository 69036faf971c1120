#include "app/coordsys/PickPointDlg.h"

#include "res/resource.h"

CPickPointDlg::CPickPointDlg(CWnd* pParent) : CDialog(IDD_PICK_POINT, pParent) {}

std::vector<PointRecord>& CPickPointDlg::Points() {
    static std::vector<PointRecord> points;
    return points;
}

BOOL CPickPointDlg::GetPickedPoint(PointRecord& point) const {
    if (!m_nPicked || m_nPickedIndex < 0 || m_nPickedIndex >= static_cast<int>(Points().size()))
        return FALSE;
    point = Points()[static_cast<size_t>(m_nPickedIndex)];
    return TRUE;
}

void CPickPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
}

BOOL CPickPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_nPicked = 0;
    m_nPickedIndex = -1;
    for (const PointRecord& point : Points()) {
        CString strLine;
        strLine.Format(L"%s %.4f %.4f %.4f %s", (LPCTSTR)point.strName, point.dX, point.dY,
                       point.dH, (LPCTSTR)point.strCode);
        m_list.AddString(strLine);
    }
    CenterWindow();
    return TRUE;
}

void CPickPointDlg::OnOK() {
    UpdateData(TRUE);
    m_nPickedIndex = m_list.GetCurSel();
    if (m_nPickedIndex >= 0 && m_nPickedIndex < static_cast<int>(Points().size())) {
        m_nPicked = 1;
        CDialog::OnOK();
        return;
    }
    m_nPicked = 0;
    m_nPickedIndex = -1;
    CString strText;
    CString strCaption;
    strText.LoadString(IDS_STRING61428);
    strCaption.LoadString(IDS_STRING61429);
    if (MessageBox(strText, strCaption, MB_YESNO | MB_ICONINFORMATION) == IDYES) CDialog::OnOK();
}
