#include "app/coordsys/CoordLibDlg.h"

#include "app/VendropDoc.h"
#include "res/resource.h"

namespace {

// The document's dialog context while a library is open, and after.
constexpr int kContextLibrary = 29;
constexpr int kContextIdle = 11;

void SetDialogContext(int nContext) {
    if (g_pDoc) g_pDoc->m_nDlgContext = nContext;
}

}  // namespace

CCoordLibDlg::CCoordLibDlg(CWnd* pParent) : CDialog(IDD_COORD_LIB, pParent) {}

std::vector<CoordLibRow>& CCoordLibDlg::Rows() {
    static std::vector<CoordLibRow> rows;
    return rows;
}

void CCoordLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
}

BOOL CCoordLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDialogContext(kContextLibrary);
    m_shown.clear();
    // Raw-grid rows first, and only in the full mode.
    if (m_nMode == 2) {
        for (const CoordLibRow& row : Rows())
            if (row.nKind == 1) m_shown.push_back(row);
    }
    for (const CoordLibRow& row : Rows())
        if (row.nKind != 1) m_shown.push_back(row);
    for (const CoordLibRow& row : m_shown) {
        CString strLine;
        strLine.Format(L"%s %s %s %s %s", (LPCTSTR)row.strName, (LPCTSTR)row.strNorth,
                       (LPCTSTR)row.strEast, (LPCTSTR)row.strHeight, (LPCTSTR)row.strCode);
        m_list.AddString(strLine);
    }
    CenterWindow();
    return TRUE;
}

void CCoordLibDlg::OnOK() {
    UpdateData(TRUE);
    const int nRow = m_list.GetCurSel();
    if (nRow >= 0 && nRow < static_cast<int>(m_shown.size())) {
        const CoordLibRow& row = m_shown[static_cast<size_t>(nRow)];
        m_strPickName = row.strName;
        m_strPickNorth = row.strNorth;
        m_strPickEast = row.strEast;
        m_strPickHeight = row.strHeight;
        m_strPickCode = row.strCode;
        m_nPickKind = row.nKind == 1 ? 1 : 0;
        m_bPicked = TRUE;
    } else if (m_nMode != 2) {
        CString strText;
        strText.LoadString(IDS_STRING61260);
        AfxMessageBox(strText, MB_ICONINFORMATION | MB_OK);
        return;
    }
    SetDialogContext(kContextIdle);
    CDialog::OnOK();
}

void CCoordLibDlg::OnCancel() {
    SetDialogContext(kContextIdle);
    CDialog::OnCancel();
}
