#include "app/coordsys/CalcParamDlg.h"

#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"

BEGIN_MESSAGE_MAP(CCalcParamDlg, CDialog)
ON_BN_CLICKED(IDC_PAIR_ADD, OnAdd)
ON_BN_CLICKED(IDC_PAIR_DELETE, OnDelete)
ON_BN_CLICKED(IDC_PAIR_EDIT, OnEdit)
ON_BN_CLICKED(IDC_PAIR_CLEAR, OnClear)
ON_BN_CLICKED(IDC_FOUR_PAIR_OPEN, OnOpen)
ON_BN_CLICKED(IDC_SEVEN_PAIR_OPEN, OnOpen)
END_MESSAGE_MAP()

CCalcParamDlg::CCalcParamDlg(UINT nIDTemplate, CWnd* pParent, LPCTSTR lpszFileName,
                             LPCTSTR lpszFilter, const std::vector<Column>& columns)
    : CDialog(nIDTemplate, pParent),
      m_strDefaultName(lpszFileName),
      m_strFilter(lpszFilter),
      m_columns(columns) {}

void CCalcParamDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAIR_LIST, m_list);
    DDX_Text(pDX, IDC_PAIR_FILE, m_strFileName);
}

BOOL CCalcParamDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_list.InsertColumn(static_cast<int>(i), m_columns[i].title, LVCFMT_CENTER,
                            m_columns[i].width);
    m_strFileName = (g_pDoc ? g_pDoc->m_strJobDir : CString()) + m_strDefaultName;
    if (::GetFileAttributes(m_strFileName) != INVALID_FILE_ATTRIBUTES) LoadFile(m_strFileName);
    UpdateData(FALSE);
    CenterWindow();
    return TRUE;
}

// Each line goes on top, ahead of what is there: the last line read ends
// up first. Placing them from the last to the first, each below the one
// before, gives that order without moving rows already placed.
void CCalcParamDlg::LoadFile(const CString& strPath) {
    std::vector<pointpair::Row> rows;
    pointpair::ReadFile(strPath, CellCount(), rows);
    CString strNumber;
    for (size_t i = rows.size(); i-- > 0;) {
        const int nRow = static_cast<int>(rows.size() - 1 - i);
        strNumber.Format(L"%d", static_cast<int>(i) + 1);
        m_list.InsertItem(nRow, strNumber);
        SetRowCells(nRow, rows[i]);
    }
}

BOOL CCalcParamDlg::SaveFile() {
    if (pointpair::WriteFile(m_strFileName, Rows())) return TRUE;
    MessageBox(L"文件保存失败,请检查!", L"提示", MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

std::vector<pointpair::Row> CCalcParamDlg::Rows() const {
    std::vector<pointpair::Row> rows(static_cast<size_t>(m_list.GetItemCount()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < CellCount(); ++c)
            rows[r].push_back(m_list.GetItemText(static_cast<int>(r), c + 1));
    return rows;
}

int CCalcParamDlg::SelectedRow() const {
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CCalcParamDlg::SetRowCells(int nRow, const pointpair::Row& cells) {
    for (size_t c = 0; c < cells.size(); ++c)
        m_list.SetItemText(nRow, static_cast<int>(c) + 1, cells[c]);
}

void CCalcParamDlg::OnAdd() {
    pointpair::Row cells(static_cast<size_t>(CellCount()));
    if (!EditPair(cells)) return;
    const int nRow = m_list.GetItemCount();
    CString strNumber;
    strNumber.Format(L"%d", nRow + 1);
    m_list.InsertItem(nRow, strNumber);
    SetRowCells(nRow, cells);
    m_bModified = TRUE;
}

void CCalcParamDlg::OnEdit() {
    const int nRow = SelectedRow();
    if (nRow < 0) return;
    pointpair::Row cells;
    for (int c = 0; c < CellCount(); ++c) cells.push_back(m_list.GetItemText(nRow, c + 1));
    if (!EditPair(cells)) return;
    SetRowCells(nRow, cells);
    m_bModified = TRUE;
}

void CCalcParamDlg::OnDelete() {
    const int nRow = SelectedRow();
    if (nRow < 0) return;
    CString strText;
    strText.LoadString(IDS_STRING61255);
    if (AfxMessageBox(strText, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    m_list.DeleteItem(nRow);
    m_bModified = TRUE;
}

// The list counts as changed after the question, whatever the answer.
void CCalcParamDlg::OnClear() {
    if (m_list.GetItemCount() == 0) return;
    CString strText;
    strText.LoadString(IDS_STRING61256);
    if (AfxMessageBox(strText, MB_YESNO | MB_ICONQUESTION) == IDYES) m_list.DeleteAllItems();
    m_bModified = TRUE;
}

void CCalcParamDlg::OnOpen() {
    CFileOpenDlg dlg(this);
    dlg.AddFilter(m_strFilter);
    if (g_pDoc) dlg.SetInitialPath(g_pDoc->m_strJobDir);
    if (dlg.DoModal() != IDOK) return;
    const CString strPath = dlg.GetPathName();
    if (strPath.IsEmpty()) return;
    m_strFileName = strPath;
    LoadFile(m_strFileName);
    UpdateData(FALSE);
}

void CCalcParamDlg::OnOK() {
    UpdateData(TRUE);
    if (m_bModified) (void)SaveFile();  // a failure has had its box
    Calculate(Rows());
    EndDialog(IDOK);
}

// A save that fails keeps the dialog and its pairs, as the libraries do:
// the next Cancel tries again, or gives them up.
void CCalcParamDlg::OnCancel() {
    if (m_bModified && AfxMessageBox(L"保存修改过的文件吗?", MB_YESNO | MB_ICONQUESTION) == IDYES &&
        !SaveFile())
        return;
    EndDialog(IDCANCEL);
}
