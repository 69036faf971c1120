#include "app/libraries/StakeLineLibDlg.h"

#include <cmath>

#include "app/InputRules.h"
#include "app/libraries/LibraryUi.h"
#include "app/libraries/LineEntryDlg.h"
#include "app/setup/FileOpenModeDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "pointdata/LibraryFiles.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

namespace {

CString Fixed(LPCTSTR format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

LineRecord LineFromDialog(const CLineEntryDlg& dlg) {
    LineRecord line;
    line.start = {dlg.m_strStartName, ReadNumber(dlg.m_strStartNorth),
                  ReadNumber(dlg.m_strStartEast), ReadNumber(dlg.m_strStartHeight),
                  dlg.m_strStartCode};
    line.end = {dlg.m_strEndName, ReadNumber(dlg.m_strEndNorth), ReadNumber(dlg.m_strEndEast),
                ReadNumber(dlg.m_strEndHeight), dlg.m_strEndCode};
    line.chainage = ReadNumber(dlg.m_strChainage);
    return line;
}

}  // namespace

BEGIN_MESSAGE_MAP(CStakeLineLibDlg, CDialog)
ON_BN_CLICKED(IDC_LIB_ADD, OnAdd)
ON_BN_CLICKED(IDC_LIB_INSERT, OnInsert)
ON_BN_CLICKED(IDC_LIB_EDIT, OnEdit)
ON_BN_CLICKED(IDC_LIB_DELETE, OnDelete)
ON_BN_CLICKED(IDC_LIB_CLEAR, OnClear)
ON_BN_CLICKED(IDC_LIB_OPEN, OnOpen)
ON_BN_CLICKED(IDC_LIB_LNB_SAVE, OnSave)
END_MESSAGE_MAP()

CStakeLineLibDlg::CStakeLineLibDlg(CWnd* pParent) : CDialog(IDD_STAKE_LINE_LIB, pParent) {}

void CStakeLineLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
    DDX_Text(pDX, IDC_LIB_LNB_PATH, m_strFilePath);
}

BOOL CStakeLineLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    libraries::AddColumns(m_list,
                          {{IDS_STRING61753, 110}, {IDS_STRING61319, 100}, {IDS_STRING61754, 100}});
    // Without a path the job's own file, loaded so that a save never drops
    // lines the user did not see.
    if (m_strFilePath.IsEmpty()) m_strFilePath = libraries::JobFilePath(L"lnb");
    if (::GetFileAttributes(m_strFilePath) != INVALID_FILE_ATTRIBUTES) LoadFile(m_strFilePath);
    UpdateData(FALSE);
    return TRUE;
}

void CStakeLineLibDlg::SetRow(int nRow, const LineRecord& line, const CString& chainageText) {
    m_list.SetItemText(nRow, 0, line.start.strName + L"-" + line.end.strName);
    m_list.SetItemText(nRow, 1, chainageText);
    const double dn = line.end.dX - line.start.dX;
    const double de = line.end.dY - line.start.dY;
    m_list.SetItemText(nRow, 2, Fixed(L"%.4f", std::sqrt(dn * dn + de * de)));
}

void CStakeLineLibDlg::InsertRow(int nRow, const LineRecord& line, const CString& chainageText) {
    nRow = m_list.InsertItem(nRow, L"");
    SetRow(nRow, line, chainageText);
}

std::vector<LineRecord> CStakeLineLibDlg::ReadLines(const CString& strPath) {
    const pointdata::StoredText text =
        libraries::ReadLibraryLines(strPath, m_strFilePath, m_loaded, m_bReplaceWhole);
    std::vector<LineRecord> lines;
    lines.reserve(text.lines.size());
    for (const CString& line : text.lines) lines.push_back(pointdata::ParseLnbLine(line));
    return lines;
}

void CStakeLineLibDlg::LoadFile(const CString& strPath) {
    m_lines = ReadLines(strPath);
    m_list.DeleteAllItems();
    for (size_t i = 0; i < m_lines.size(); ++i)
        InsertRow(static_cast<int>(i), m_lines[i], Fixed(L"%.4f", m_lines[i].chainage));
}

BOOL CStakeLineLibDlg::WriteLines() {
    const CString text = pointdata::FormatLnb(m_lines);
    return libraries::SaveLibraryText(this, m_strFilePath, text, m_loaded, m_bReplaceWhole);
}

BOOL CStakeLineLibDlg::EnterLine(size_t nAt) {
    CAddLineDlg dlg(this);
    if (dlg.DoModal() != IDOK) return FALSE;
    const LineRecord line = LineFromDialog(dlg);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(nAt), line);
    InsertRow(static_cast<int>(nAt), line, dlg.m_strChainage);
    m_bModified = TRUE;
    return TRUE;
}

void CStakeLineLibDlg::OnAdd() {
    EnterLine(m_lines.size());
}

void CStakeLineLibDlg::OnInsert() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow >= 0) EnterLine(static_cast<size_t>(nRow) + 1);
}

// The dialog shows the held values with three decimals; confirmed, the
// line keeps what the dialog shows.
void CStakeLineLibDlg::OnEdit() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0) return;
    const LineRecord& held = m_lines[static_cast<size_t>(nRow)];
    CEditLineDlg dlg(this);
    dlg.m_strStartName = held.start.strName;
    dlg.m_strStartNorth = Fixed(L"%.3f", held.start.dX);
    dlg.m_strStartEast = Fixed(L"%.3f", held.start.dY);
    dlg.m_strStartHeight = Fixed(L"%.3f", held.start.dH);
    dlg.m_strStartCode = held.start.strCode;
    dlg.m_strEndName = held.end.strName;
    dlg.m_strEndNorth = Fixed(L"%.3f", held.end.dX);
    dlg.m_strEndEast = Fixed(L"%.3f", held.end.dY);
    dlg.m_strEndHeight = Fixed(L"%.3f", held.end.dH);
    dlg.m_strEndCode = held.end.strCode;
    dlg.m_strChainage = Fixed(L"%.3f", held.chainage);
    if (dlg.DoModal() != IDOK) return;
    m_lines[static_cast<size_t>(nRow)] = LineFromDialog(dlg);
    SetRow(nRow, m_lines[static_cast<size_t>(nRow)], dlg.m_strChainage);
    m_bModified = TRUE;
}

void CStakeLineLibDlg::OnDelete() {
    if (m_list.GetItemCount() == 0) return;
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0 || !libraries::AskYesNo(IDS_STRING61255)) return;
    m_list.DeleteItem(nRow);
    m_lines.erase(m_lines.begin() + nRow);
    m_bModified = TRUE;
}

// The list counts as changed after the question, whatever the answer.
void CStakeLineLibDlg::OnClear() {
    if (m_list.GetItemCount() == 0) return;
    if (libraries::AskYesNo(IDS_STRING61256)) {
        m_list.DeleteAllItems();
        m_lines.clear();
    }
    m_bModified = TRUE;
}

void CStakeLineLibDlg::OnOpen() {
    CFileOpenDlg open(this);
    open.AddFilter(L"*.lnb");
    open.SetInitialPath(libraries::JobDir());
    if (open.DoModal() != IDOK) return;
    const CString strPath = open.GetPathName();
    if (strPath.IsEmpty()) return;
    CFileOpenModeDlg mode(this);
    mode.DoModal();
    if (mode.m_nResult == 0) {
        if (!libraries::AskOkCancel(IDS_STRING61257)) return;
        CWaitCursor wait;
        m_list.DeleteAllItems();
        m_strFilePath = strPath;
        m_bReplaceWhole = TRUE;  // until its loading
        UpdateData(FALSE);
        LoadFile(strPath);
    } else if (mode.m_nResult == 1) {
        if (!libraries::AskOkCancel(IDS_STRING61259)) return;
        CWaitCursor wait;
        const std::vector<LineRecord> lines = ReadLines(strPath);
        m_lines.insert(m_lines.begin(), lines.begin(), lines.end());
        for (size_t i = 0; i < lines.size(); ++i)
            InsertRow(static_cast<int>(i), lines[i], Fixed(L"%.4f", lines[i].chainage));
    }
}

void CStakeLineLibDlg::OnSave() {
    CFileSaveDlg save(this);
    save.SetFilter(L"*.lnb");
    save.SetInitialPath(libraries::JobDir());
    if (save.DoModal() != IDOK) return;
    if (save.GetPathName().CompareNoCase(m_strFilePath) != 0) m_bReplaceWhole = TRUE;
    m_strFilePath = save.GetPathName();
    UpdateData(FALSE);
    (void)WriteLines();  // a failure has had its box
}

void CStakeLineLibDlg::OnOK() {
    UpdateData(TRUE);
    m_bPicked = FALSE;
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow >= 0) {
        m_bPicked = TRUE;
        m_nPickIndex = nRow;
    } else {
        CString strText;
        strText.LoadString(IDS_STRING61320);
        if (AfxMessageBox(strText, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }
    m_nCount = static_cast<int>(m_lines.size());
    m_starts.RemoveAll();
    m_ends.RemoveAll();
    m_chainages.RemoveAll();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_list.GetItemText(static_cast<int>(i), 0).IsEmpty()) continue;
        m_starts.Add(m_lines[i].start);
        m_ends.Add(m_lines[i].end);
        m_chainages.Add(m_lines[i].chainage);
    }
    if (m_bModified && !WriteLines()) return;
    CDialog::OnOK();
}

void CStakeLineLibDlg::OnCancel() {
    if (m_bModified && libraries::AskYesNo(IDS_STRING61261) && !WriteLines()) return;
    CDialog::OnCancel();
}
