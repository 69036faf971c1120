#include "app/libraries/CoordLibDlg.h"

#include "app/InputRules.h"
#include "app/libraries/FindCoordDlg.h"
#include "app/libraries/LibraryUi.h"
#include "app/libraries/PointEntryDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "pointdata/LibraryFiles.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"

namespace {

constexpr int kImageLibrary = 0;
constexpr int kImageRaw = 1;

void SetDialogContext(int nContext) {
    if (g_pDoc) g_pDoc->m_nDlgContext = nContext;
}

CString Fixed3(double value) {
    CString text;
    text.Format(L"%.3f", value);
    return text;
}

// The last three characters of a path choose an import's reading.
CString Extension3(const CString& strPath) {
    return strPath.Right(3);
}

}  // namespace

BEGIN_MESSAGE_MAP(CCoordLibDlg, CDialog)
ON_BN_CLICKED(IDC_LIB_ADD, OnAdd)
ON_BN_CLICKED(IDC_LIB_EDIT, OnEdit)
ON_BN_CLICKED(IDC_LIB_DELETE, OnDelete)
ON_BN_CLICKED(IDC_LIB_CLEAR, OnClear)
ON_BN_CLICKED(IDC_LIB_FIND, OnFind)
ON_BN_CLICKED(IDC_LIB_OPEN, OnImport)
END_MESSAGE_MAP()

CCoordLibDlg::CCoordLibDlg(CWnd* pParent) : CDialog(IDD_COORD_LIB, pParent) {}

void CCoordLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
}

BOOL CCoordLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    SetDialogContext(kContextLibrary);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_TRACKSELECT);
    m_images.Create(IDB_POINT_IMAGES, 16, 1, RGB(255, 255, 255));
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    libraries::AddColumns(m_list, {{IDS_STRING61235, 80},
                                   {IDS_STRING61237, 110},
                                   {IDS_STRING61238, 110},
                                   {IDS_STRING61239, 70},
                                   {IDS_STRING61236, 70}});
    m_raw.clear();
    m_lib.clear();
    m_strPath = libraries::JobFilePath(L"lib");
    if (::GetFileAttributes(m_strPath) != INVALID_FILE_ATTRIBUTES) LoadList(m_strPath);
    return TRUE;
}

void CCoordLibDlg::LoadList(const CString& strPath) {
    CWaitCursor wait;
    std::string bytes;
    pointdata::ReadFileBytes(strPath, bytes);
    const pointdata::StoredText text = pointdata::SplitLibraryText(bytes.data(), bytes.size());
    m_loaded.Take(bytes, text.consumed);
    m_raw.clear();
    m_lib.clear();
    for (const CString& line : text.lines) {
        NumberedPoint p = pointdata::ParseLibLine(line);
        (p.number == 1 ? m_raw : m_lib).push_back(std::move(p));
    }
    FillList();
}

void CCoordLibDlg::FillList() {
    m_list.DeleteAllItems();
    int nRow = 0;
    if (ShowRaw())
        for (const NumberedPoint& p : m_raw) AddRecordRow(nRow++, p);
    for (const NumberedPoint& p : m_lib) AddRecordRow(nRow++, p);
}

int CCoordLibDlg::AddRow(int nRow, int nImage, const CString& name, const CString& north,
                         const CString& east, const CString& height, const CString& code) {
    nRow = m_list.InsertItem(nRow, name, nImage);
    m_list.SetItemText(nRow, 1, north);
    m_list.SetItemText(nRow, 2, east);
    m_list.SetItemText(nRow, 3, height);
    m_list.SetItemText(nRow, 4, code);
    return nRow;
}

void CCoordLibDlg::AddRecordRow(int nRow, const NumberedPoint& p) {
    AddRow(nRow, p.number == 1 ? kImageRaw : kImageLibrary, p.name, Fixed3(p.x), Fixed3(p.y),
           Fixed3(p.h), p.code);
}

namespace {

int RowImage(const CListCtrl& list, int nRow) {
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = nRow;
    list.GetItem(&item);
    return item.iImage;
}

}  // namespace

NumberedPoint& CCoordLibDlg::RecordOf(int nRow) {
    if (RowImage(m_list, nRow) == kImageRaw) return m_raw[static_cast<size_t>(nRow)];
    const int nFirst = ShowRaw() ? static_cast<int>(m_raw.size()) : 0;
    return m_lib[static_cast<size_t>(nRow - nFirst)];
}

void CCoordLibDlg::RemoveRecordOf(int nRow) {
    if (RowImage(m_list, nRow) == kImageRaw) {
        m_raw.erase(m_raw.begin() + nRow);
        return;
    }
    const int nFirst = ShowRaw() ? static_cast<int>(m_raw.size()) : 0;
    m_lib.erase(m_lib.begin() + (nRow - nFirst));
}

void CCoordLibDlg::OnAdd() {
    CAddPointDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    AddRow(m_list.GetItemCount(), kImageLibrary, dlg.m_strName, dlg.m_strNorth, dlg.m_strEast,
           dlg.m_strHeight, dlg.m_strCode);
    m_lib.push_back({0, dlg.m_strName, ReadNumber(dlg.m_strNorth), ReadNumber(dlg.m_strEast),
                     ReadNumber(dlg.m_strHeight), dlg.m_strCode});
    m_bModified = TRUE;
}

void CCoordLibDlg::OnEdit() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0) return;
    CEditPointDlg dlg(this);
    if (!libraries::EditRowColumns(
            m_list, nRow, dlg,
            {&CEditPointDlg::m_strName, &CEditPointDlg::m_strNorth, &CEditPointDlg::m_strEast,
             &CEditPointDlg::m_strHeight, &CEditPointDlg::m_strCode}))
        return;
    const int nNumber = RowImage(m_list, nRow) == kImageRaw ? 1 : 0;
    RecordOf(nRow) = {nNumber,
                      dlg.m_strName,
                      ReadNumber(dlg.m_strNorth),
                      ReadNumber(dlg.m_strEast),
                      ReadNumber(dlg.m_strHeight),
                      dlg.m_strCode};
    m_bModified = TRUE;
}

void CCoordLibDlg::OnDelete() {
    if (m_list.GetItemCount() == 0) return;
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0 || !libraries::AskYesNo(IDS_STRING61255)) return;
    m_bModified = TRUE;
    RemoveRecordOf(nRow);
    m_list.DeleteItem(nRow);
}

void CCoordLibDlg::OnClear() {
    if (m_list.GetItemCount() == 0 || !libraries::AskYesNo(IDS_STRING61256)) return;
    m_list.DeleteAllItems();
    if (ShowRaw()) m_raw.clear();
    m_lib.clear();
    m_bModified = TRUE;
}

void CCoordLibDlg::OnFind() {
    CFindCoordDlg dlg(this);
    dlg.SetPoints(libraries::RowPoints(m_list));
    if (dlg.DoModal() != IDOK || dlg.m_nResult < 0) return;
    libraries::ShowRow(m_list, dlg.m_nResult);
}

void CCoordLibDlg::OnImport() {
    CFileOpenDlg open(this);
    open.AddFilter(L"*.dat");
    open.AddFilter(L"*.lib");
    open.AddFilter(L"*.org");
    if (ShowRaw()) open.AddFilter(L"*.RTK");
    open.SetInitialPath(libraries::DataDir());
    if (open.DoModal() != IDOK) return;
    const CString strPath = open.GetPathName();
    if (strPath.IsEmpty() || !libraries::AskOkCancel(IDS_STRING61700)) return;
    CWaitCursor wait;
    ImportFile(strPath);
}

void CCoordLibDlg::ImportFile(const CString& strPath) {
    std::string bytes;
    pointdata::ReadFileBytes(strPath, bytes);
    const std::vector<CString> lines =
        pointdata::SplitLibraryText(bytes.data(), bytes.size()).lines;
    const CString ext = Extension3(strPath);
    if (ext == L"RTK") {
        ImportRtk(lines);
    } else if (ext == L"dat") {
        for (const CString& line : lines) {
            const pointdata::PointTexts t = pointdata::ParseDatLine(line);
            AddRow(m_list.GetItemCount(), kImageLibrary, t.name, t.north, t.east, t.height, t.code);
            m_lib.push_back(
                {0, t.name, ReadNumber(t.north), ReadNumber(t.east), ReadNumber(t.height), t.code});
        }
    } else if (ext == L"org") {
        for (const CString& line : lines) {
            const pointdata::OrgPoint o = pointdata::ParseOrgLine(line);
            AddRow(m_list.GetItemCount(), kImageLibrary, o.name, o.northText, o.eastText,
                   o.heightText, pointdata::kDefaultCode);
            m_lib.push_back({0, o.name, ReadNumber(o.northText), ReadNumber(o.eastText),
                             ReadNumber(o.heightText), pointdata::kDefaultCode});
        }
    } else {
        for (const CString& line : lines) {
            NumberedPoint p = pointdata::ParseLibImportLine(line);
            if (p.number == 1) {
                if (ShowRaw()) AddRecordRow(static_cast<int>(m_raw.size()), p);
                m_raw.push_back(std::move(p));
            } else {
                AddRecordRow(m_list.GetItemCount(), p);
                m_lib.push_back(std::move(p));
            }
        }
    }
    m_bModified = TRUE;
}

// Receiver points: packed latitude and longitude projected on the job's
// ellipsoid and projection alone; the height less the antenna height.
void CCoordLibDlg::ImportRtk(const std::vector<CString>& lines) {
    if (!g_pDoc) return;
    CCoordTransform& engine = g_pDoc->m_coordTransform;
    const CoordSysParams& job = g_pDoc->m_coordParams;
    engine.SetEllipsoid(job.szdDa, job.szdDf);
    engine.SetProjection(job.szlTx, job.szlTy, job.szdCenter, job.szdTk, job.szdTlon, job.szdTHigh);
    pointdata::RtkPoint r;
    for (const CString& line : lines) {
        if (!pointdata::ParseRtkLine(line, r)) continue;
        const double lat = CCoordTransform::ConvertDmsRadian(r.lat, 1) * 57.29577951308402;
        const double lon = CCoordTransform::ConvertDmsRadian(r.lon, 1) * 57.29577951308402;
        NumberedPoint p{1, r.name, 0.0, 0.0, r.height - r.antenna, r.code};
        engine.TransverseMercatorForward(lat, lon, p.x, p.y);
        if (ShowRaw()) AddRecordRow(static_cast<int>(m_raw.size()), p);
        m_raw.push_back(std::move(p));
    }
}

BOOL CCoordLibDlg::SaveToFile() {
    CWaitCursor wait;
    if (pointdata::RewriteLibraryFile(m_strPath, pointdata::FormatLib(m_raw, m_lib), m_loaded)) {
        m_bModified = FALSE;
        return TRUE;
    }
    libraries::ReportSaveFailure(this);
    return FALSE;
}

void CCoordLibDlg::OnOK() {
    UpdateData(TRUE);
    m_bPicked = FALSE;
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow >= 0) {
        m_strPickName = m_list.GetItemText(nRow, 0);
        m_strPickNorth = m_list.GetItemText(nRow, 1);
        m_strPickEast = m_list.GetItemText(nRow, 2);
        m_strPickHeight = m_list.GetItemText(nRow, 3);
        m_strPickCode = m_list.GetItemText(nRow, 4);
        m_nPickKind = RowImage(m_list, nRow) == kImageRaw ? 1 : 0;
        m_bPicked = TRUE;
    } else if (!ShowRaw()) {
        CString strText;
        strText.LoadString(IDS_STRING61260);
        AfxMessageBox(strText, MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (m_bModified && !SaveToFile()) return;
    SetDialogContext(kContextDefault);
    CDialog::OnOK();
}

void CCoordLibDlg::OnCancel() {
    if (m_bModified && libraries::AskYesNo(IDS_STRING61261) && !SaveToFile()) return;
    SetDialogContext(kContextDefault);
    CDialog::OnCancel();
}
