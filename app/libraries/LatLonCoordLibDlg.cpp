#include "app/libraries/LatLonCoordLibDlg.h"

#include "app/InputRules.h"
#include "app/libraries/FindCoordDlg.h"
#include "app/libraries/GeoEntryDlg.h"
#include "app/libraries/LibraryUi.h"
#include "app/setup/FileOpenModeDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "pointdata/LibraryFiles.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"

namespace {

constexpr int kReadingRtk = 0;
constexpr int kReadingOrg = 1;

CString Fixed3(double value) {
    CString text;
    text.Format(L"%.3f", value);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLatLonCoordLibDlg, CDialog)
ON_BN_CLICKED(IDC_LIB_ADD, OnAdd)
ON_BN_CLICKED(IDC_LIB_EDIT, OnEdit)
ON_BN_CLICKED(IDC_LIB_DELETE, OnDelete)
ON_BN_CLICKED(IDC_LIB_CLEAR, OnClear)
ON_BN_CLICKED(IDC_LIB_OPEN, OnOpen)
ON_BN_CLICKED(IDC_LIB_FIND, OnFind)
END_MESSAGE_MAP()

CLatLonCoordLibDlg::CLatLonCoordLibDlg(CWnd* pParent) : CDialog(IDD_LAT_LON_COORD_LIB, pParent) {}

void CLatLonCoordLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
}

BOOL CLatLonCoordLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    libraries::AddColumns(m_list, {{IDS_STRING61235, 80},
                                   {IDS_STRING61262, 110},
                                   {IDS_STRING61263, 110},
                                   {IDS_STRING61239, 70},
                                   {IDS_STRING61236, 70}});
    m_strPath = libraries::JobFilePath(L"WGS");
    if (::GetFileAttributes(m_strPath) != INVALID_FILE_ATTRIBUTES) LoadLibraryFile(m_strPath);
    return TRUE;
}

void CLatLonCoordLibDlg::AddRow(const CString& name, const CString& lat, const CString& lon,
                                const CString& height, const CString& code) {
    const int nRow = m_list.InsertItem(m_list.GetItemCount(), name);
    m_list.SetItemText(nRow, 1, lat);
    m_list.SetItemText(nRow, 2, lon);
    m_list.SetItemText(nRow, 3, height);
    m_list.SetItemText(nRow, 4, code);
}

void CLatLonCoordLibDlg::LoadLibraryFile(const CString& strPath) {
    CWaitCursor wait;
    std::string bytes;
    pointdata::ReadFileBytes(strPath, bytes);
    const pointdata::StoredText text = pointdata::SplitLibraryText(bytes.data(), bytes.size());
    m_loaded.Take(bytes, text.consumed);
    for (const CString& line : text.lines) {
        const pointdata::PointTexts t = pointdata::ParseWgsLine(line);
        AddRow(t.name, t.north, t.east, t.height, t.code);
    }
}

void CLatLonCoordLibDlg::LoadFile(const CString& strPath) {
    std::string bytes;
    pointdata::ReadFileBytes(strPath, bytes);
    const std::vector<CString> lines =
        pointdata::SplitLibraryText(bytes.data(), bytes.size()).lines;
    for (const CString& line : lines) {
        if (m_nReading == kReadingRtk) {
            pointdata::RtkPoint r;
            if (!pointdata::ParseRtkLine(line, r)) continue;
            AddRow(r.name, r.latText, r.lonText, Fixed3(r.height - r.antenna), r.code);
        } else if (m_nReading == kReadingOrg) {
            const pointdata::OrgPoint o = pointdata::ParseOrgLine(line);
            AddRow(o.name, o.latText, o.lonText, Fixed3(o.geoHeight - o.antenna),
                   pointdata::kDefaultCode);
        }
    }
    m_bModified = TRUE;
}

BOOL CLatLonCoordLibDlg::SaveFile() {
    CWaitCursor wait;
    std::vector<pointdata::PointTexts> rows(static_cast<size_t>(m_list.GetItemCount()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i);
        rows[i] = {m_list.GetItemText(r, 0), m_list.GetItemText(r, 1), m_list.GetItemText(r, 2),
                   m_list.GetItemText(r, 3), m_list.GetItemText(r, 4)};
    }
    if (pointdata::RewriteLibraryFile(m_strPath, pointdata::FormatWgs(rows), m_loaded)) {
        m_bModified = FALSE;
        return TRUE;
    }
    libraries::ReportSaveFailure(this);
    return FALSE;
}

void CLatLonCoordLibDlg::OnAdd() {
    CAddGeoCoordDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    AddRow(dlg.m_strName, dlg.m_strLat, dlg.m_strLon, dlg.m_strHeight, dlg.m_strCode);
    m_bModified = TRUE;
}

void CLatLonCoordLibDlg::OnEdit() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0) return;
    CEditGeoCoordDlg dlg(this);
    if (!libraries::EditRowColumns(
            m_list, nRow, dlg,
            {&CEditGeoCoordDlg::m_strName, &CEditGeoCoordDlg::m_strLat, &CEditGeoCoordDlg::m_strLon,
             &CEditGeoCoordDlg::m_strHeight, &CEditGeoCoordDlg::m_strCode}))
        return;
    m_bModified = TRUE;
}

void CLatLonCoordLibDlg::OnDelete() {
    if (m_list.GetItemCount() == 0) return;
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0 || !libraries::AskYesNo(IDS_STRING61255)) return;
    m_bModified = TRUE;
    m_list.DeleteItem(nRow);
}

// The list counts as changed after the question, whatever the answer.
void CLatLonCoordLibDlg::OnClear() {
    if (m_list.GetItemCount() == 0) return;
    if (libraries::AskYesNo(IDS_STRING61256)) m_list.DeleteAllItems();
    m_bModified = TRUE;
}

void CLatLonCoordLibDlg::OnOpen() {
    CFileOpenDlg open(this);
    open.AddFilter(L"*.RTK");
    open.AddFilter(L"*.org");
    open.SetInitialPath(libraries::DataDir());
    if (open.DoModal() != IDOK) return;
    const CString strPath = open.GetPathName();
    if (strPath.IsEmpty()) return;
    const CString ext = strPath.Right(3);
    if (ext == L"RTK")
        m_nReading = kReadingRtk;
    else if (ext == L"org")
        m_nReading = kReadingOrg;
    CFileOpenModeDlg mode(this);
    mode.DoModal();
    if (mode.m_nResult == 0) {
        if (!libraries::AskOkCancel(IDS_STRING61257)) return;
        m_list.DeleteAllItems();
    } else if (mode.m_nResult == 1) {
        if (!libraries::AskOkCancel(IDS_STRING61259)) return;
    } else {
        return;
    }
    CWaitCursor wait;
    LoadFile(strPath);
}

void CLatLonCoordLibDlg::OnFind() {
    CFindGeoCoordDlg dlg(this);
    dlg.SetPoints(libraries::RowPoints(m_list));
    if (dlg.DoModal() != IDOK || dlg.m_nResult < 0) return;
    libraries::ShowRow(m_list, dlg.m_nResult);
}

void CLatLonCoordLibDlg::OnOK() {
    UpdateData(TRUE);
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0) {
        CString strText;
        strText.LoadString(IDS_STRING61260);
        AfxMessageBox(strText, MB_ICONQUESTION | MB_OK);
        return;
    }
    m_strPickName = m_list.GetItemText(nRow, 0);
    m_strPickLat = m_list.GetItemText(nRow, 1);
    m_strPickLon = m_list.GetItemText(nRow, 2);
    m_strPickHeight = m_list.GetItemText(nRow, 3);
    m_strPickCode = m_list.GetItemText(nRow, 4);
    m_bPicked = TRUE;
    if (m_bModified && !SaveFile()) return;
    CDialog::OnOK();
}

void CLatLonCoordLibDlg::OnCancel() {
    if (m_bModified && libraries::AskYesNo(IDS_STRING61261) && !SaveFile()) return;
    CDialog::OnCancel();
}
