#include "app/libraries/StakePointLibDlg.h"

#include <vector>

#include "app/InputRules.h"
#include "app/libraries/LibraryUi.h"
#include "app/libraries/PointEntryDlg.h"
#include "app/setup/FileOpenModeDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "pointdata/LibraryFiles.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

namespace {

constexpr int kReadingDat = 0;
constexpr int kReadingPtb = 1;
// Columns: name, code, north, east, height.
constexpr int kColName = 0;
constexpr int kColCode = 1;
constexpr int kColNorth = 2;
constexpr int kColEast = 3;
constexpr int kColHeight = 4;

pointdata::PointTexts RowTexts(const CListCtrl& list, int nRow) {
    return {list.GetItemText(nRow, kColName), list.GetItemText(nRow, kColNorth),
            list.GetItemText(nRow, kColEast), list.GetItemText(nRow, kColHeight),
            list.GetItemText(nRow, kColCode)};
}

std::vector<pointdata::PointTexts> AllRows(const CListCtrl& list) {
    std::vector<pointdata::PointTexts> rows;
    const int nCount = list.GetItemCount();
    rows.reserve(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) rows.push_back(RowTexts(list, i));
    return rows;
}

}  // namespace

BEGIN_MESSAGE_MAP(CStakePointLibDlg, CDialog)
ON_BN_CLICKED(IDC_LIB_ADD, OnAdd)
ON_BN_CLICKED(IDC_LIB_INSERT, OnInsert)
ON_BN_CLICKED(IDC_LIB_EDIT, OnEdit)
ON_BN_CLICKED(IDC_LIB_DELETE, OnDelete)
ON_BN_CLICKED(IDC_LIB_CLEAR, OnClear)
ON_BN_CLICKED(IDC_LIB_OPEN, OnOpen)
ON_BN_CLICKED(IDC_LIB_PTB_SAVE, OnSave)
ON_BN_CLICKED(ID_FILE_CONVERT, OnOutput)
ON_EN_CHANGE(IDC_LIB_PTB_PATH, OnPathChange)
END_MESSAGE_MAP()

CStakePointLibDlg::CStakePointLibDlg(CWnd* pParent) : CDialog(IDD_STAKE_POINT_LIB, pParent) {}

void CStakePointLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
    DDX_Text(pDX, IDC_LIB_PTB_PATH, m_strFilePath);
}

BOOL CStakePointLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_TRACKSELECT);
    m_images.Create(IDB_POINT_IMAGES, 16, 1, RGB(255, 255, 255));
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    libraries::AddColumns(m_list, {{IDS_STRING61235, 80},
                                   {IDS_STRING61236, 100},
                                   {IDS_STRING61237, 110},
                                   {IDS_STRING61238, 110},
                                   {IDS_STRING61239, 70}});
    // Without a path the job's own file, whose rows are shown so that a
    // save never drops rows the user did not see.
    if (m_strFilePath.IsEmpty()) m_strFilePath = libraries::JobFilePath(L"ptb");
    if (::GetFileAttributes(m_strFilePath) != INVALID_FILE_ATTRIBUTES) LoadFile(m_strFilePath);
    UpdateData(FALSE);
    return TRUE;
}

void CStakePointLibDlg::InsertRow(int nRow, const CString& name, const CString& north,
                                  const CString& east, const CString& height, const CString& code) {
    nRow = m_list.InsertItem(nRow, name, 0);
    m_list.SetItemText(nRow, kColCode, code);
    m_list.SetItemText(nRow, kColNorth, north);
    m_list.SetItemText(nRow, kColEast, east);
    m_list.SetItemText(nRow, kColHeight, height);
}

void CStakePointLibDlg::LoadFile(const CString& strPath) {
    // Only the library's own file is rewritten later.
    const pointdata::StoredText text =
        libraries::ReadLibraryLines(strPath, m_strFilePath, m_loaded, m_bReplaceWhole);
    int nRow = 0;
    for (const CString& line : text.lines) {
        const pointdata::PointTexts t = pointdata::ParsePtbLine(line);
        InsertRow(nRow++, t.name, t.north, t.east, t.height, t.code);
    }
}

void CStakePointLibDlg::ImportFile(const CString& strPath) {
    if (m_nReading == kReadingPtb) {
        LoadFile(strPath);
    } else if (m_nReading == kReadingDat) {
        std::string bytes;
        pointdata::ReadFileBytes(strPath, bytes);
        for (const CString& line : pointdata::SplitLibraryText(bytes.data(), bytes.size()).lines) {
            const pointdata::PointTexts t = pointdata::ParseDatLine(line);
            InsertRow(m_list.GetItemCount(), t.name, t.north, t.east, t.height, t.code);
        }
    }
    m_bModified = TRUE;
}

// The file it loaded is rewritten keeping what the loading left; a file
// chosen anew by Save is replaced whole.
BOOL CStakePointLibDlg::SaveFile() {
    UpdateData(TRUE);
    const CString text = pointdata::FormatPtb(AllRows(m_list));
    return libraries::SaveLibraryText(this, m_strFilePath, text, m_loaded, m_bReplaceWhole);
}

BOOL CStakePointLibDlg::EnterPoint(int nRow) {
    CAddPointDlg dlg(this);
    if (dlg.DoModal() != IDOK) return FALSE;
    InsertRow(nRow, dlg.m_strName, dlg.m_strNorth, dlg.m_strEast, dlg.m_strHeight, dlg.m_strCode);
    m_bModified = TRUE;
    return TRUE;
}

void CStakePointLibDlg::OnAdd() {
    EnterPoint(m_list.GetItemCount());
}

void CStakePointLibDlg::OnInsert() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow >= 0) EnterPoint(nRow + 1);
}

void CStakePointLibDlg::OnEdit() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0) return;
    CEditPointDlg dlg(this);
    const pointdata::PointTexts t = RowTexts(m_list, nRow);
    dlg.m_strName = t.name;
    dlg.m_strNorth = t.north;
    dlg.m_strEast = t.east;
    dlg.m_strHeight = t.height;
    dlg.m_strCode = t.code;
    if (dlg.DoModal() != IDOK) return;
    m_list.SetItemText(nRow, kColName, dlg.m_strName);
    m_list.SetItemText(nRow, kColCode, dlg.m_strCode);
    m_list.SetItemText(nRow, kColNorth, dlg.m_strNorth);
    m_list.SetItemText(nRow, kColEast, dlg.m_strEast);
    m_list.SetItemText(nRow, kColHeight, dlg.m_strHeight);
    m_bModified = TRUE;
}

void CStakePointLibDlg::OnDelete() {
    if (m_list.GetItemCount() == 0) return;
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0 || !libraries::AskYesNo(IDS_STRING61255)) return;
    m_list.DeleteItem(nRow);
    m_bModified = TRUE;
}

// The list counts as changed after the question, whatever the answer.
void CStakePointLibDlg::OnClear() {
    if (m_list.GetItemCount() == 0) return;
    if (libraries::AskYesNo(IDS_STRING61256)) m_list.DeleteAllItems();
    m_bModified = TRUE;
}

void CStakePointLibDlg::OnOpen() {
    CFileOpenDlg open(this);
    open.AddFilter(L"*.dat");
    open.AddFilter(L"*.ptb");
    open.SetInitialPath(libraries::JobDir());
    if (open.DoModal() != IDOK) return;
    const CString strPath = open.GetPathName();
    if (strPath.IsEmpty()) return;
    const CString ext = strPath.Right(3);
    if (ext == L"dat")
        m_nReading = kReadingDat;
    else if (ext == L"ptb")
        m_nReading = kReadingPtb;
    CFileOpenModeDlg mode(this);
    mode.DoModal();
    if (mode.m_nResult == 2) return;
    if (!libraries::AskOkCancel(mode.m_nResult == 0 ? IDS_STRING61257 : IDS_STRING61259)) return;
    if (mode.m_nResult == 0) m_list.DeleteAllItems();
    if (m_nReading == kReadingPtb && ext == L"ptb") {
        m_strFilePath = strPath;
        m_bReplaceWhole = TRUE;  // until its loading below
        UpdateData(FALSE);
    }
    CWaitCursor wait;
    ImportFile(strPath);
}

void CStakePointLibDlg::OnSave() {
    CFileSaveDlg save(this);
    save.SetFilter(L"*.ptb");
    save.SetInitialPath(libraries::JobDir());
    if (save.DoModal() != IDOK) return;
    if (save.GetPathName().CompareNoCase(m_strFilePath) != 0) m_bReplaceWhole = TRUE;
    m_strFilePath = save.GetPathName();
    UpdateData(FALSE);
    (void)SaveFile();  // a failure has had its box
}

void CStakePointLibDlg::OnOutput() {
    CFileSaveDlg save(this);
    save.SetFilter(L"*.dat");
    save.SetInitialPath(libraries::DataDir());
    if (save.DoModal() != IDOK) return;
    if (!pointdata::WriteLibraryFile(save.GetPathName(), pointdata::FormatDat(AllRows(m_list))))
        libraries::ReportSaveFailure(this);
}

void CStakePointLibDlg::OnPathChange() {
    UpdateData(TRUE);
}

void CStakePointLibDlg::OnOK() {
    UpdateData(TRUE);
    m_bPicked = FALSE;
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow >= 0) {
        const pointdata::PointTexts t = RowTexts(m_list, nRow);
        m_strPickName = t.name;
        m_strPickNorth = t.north;
        m_strPickEast = t.east;
        m_strPickHeight = t.height;
        m_strPickCode = t.code;
        m_nPickIndex = nRow;
        m_bPicked = TRUE;
    } else {
        CString strText;
        strText.LoadString(IDS_STRING61260);
        if (AfxMessageBox(strText, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }
    m_nCount = m_list.GetItemCount();
    m_points.RemoveAll();
    for (const pointdata::PointTexts& t : AllRows(m_list)) {
        if (t.name.IsEmpty()) continue;
        m_points.Add(
            {t.name, ReadNumber(t.north), ReadNumber(t.east), ReadNumber(t.height), t.code});
    }
    if (m_bModified && !SaveFile()) return;
    CDialog::OnOK();
}

void CStakePointLibDlg::OnCancel() {
    if (m_bModified && libraries::AskYesNo(IDS_STRING61261) && !SaveFile()) return;
    CDialog::OnCancel();
}
