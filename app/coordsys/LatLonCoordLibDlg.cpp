#include "app/coordsys/LatLonCoordLibDlg.h"

#include "res/resource.h"

CLatLonCoordLibDlg::CLatLonCoordLibDlg(CWnd* pParent) : CDialog(IDD_LAT_LON_COORD_LIB, pParent) {}

std::vector<LatLonLibRow>& CLatLonCoordLibDlg::Rows() {
    static std::vector<LatLonLibRow> rows;
    return rows;
}

void CLatLonCoordLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
}

BOOL CLatLonCoordLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const LatLonLibRow& row : Rows()) {
        CString strLine;
        strLine.Format(L"%s %s %s %s %s", (LPCTSTR)row.strName, (LPCTSTR)row.strLat,
                       (LPCTSTR)row.strLon, (LPCTSTR)row.strHeight, (LPCTSTR)row.strCode);
        m_list.AddString(strLine);
    }
    CenterWindow();
    return TRUE;
}

void CLatLonCoordLibDlg::OnOK() {
    UpdateData(TRUE);
    const int nRow = m_list.GetCurSel();
    if (nRow < 0 || nRow >= static_cast<int>(Rows().size())) {
        CString strText;
        strText.LoadString(IDS_STRING61260);
        AfxMessageBox(strText, MB_ICONQUESTION | MB_OK);
        return;
    }
    const LatLonLibRow& row = Rows()[static_cast<size_t>(nRow)];
    m_strPickName = row.strName;
    m_strPickLat = row.strLat;
    m_strPickLon = row.strLon;
    m_strPickHeight = row.strHeight;
    m_strPickCode = row.strCode;
    m_bPicked = TRUE;
    CDialog::OnOK();
}
