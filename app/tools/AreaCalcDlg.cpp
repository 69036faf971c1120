#include "app/tools/AreaCalcDlg.h"

#include <algorithm>

#include "app/InputRules.h"
#include "app/settings/SettingsText.h"
#include "app/shell/VendropDoc.h"
#include "app/tools/ToolSupport.h"
#include "platform/base/TextConv.h"
#include "pointdata/StoredLines.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"

namespace {
const int kButtonIds[10] = {
    IDC_AREA_OPEN,   IDC_AREA_COMPUTE, IDC_AREA_APPEND,   IDC_AREA_ALL,         IDC_AREA_INSERT,
    IDC_AREA_DELETE, IDC_AREA_ZOOM_IN, IDC_AREA_ZOOM_OUT, IDC_AREA_ZOOM_WINDOW, IDC_AREA_ZOOM_ALL};
const int kButtonIcons[10] = {IDI_OPEN,        IDI_COMPUTE,       IDI_APPEND,  IDI_ALL_POINTS,
                              IDI_INSERT,      IDI_DELETE_VERTEX, IDI_ZOOM_IN, IDI_ZOOM_OUT,
                              IDI_ZOOM_WINDOW, IDI_ZOOM_ALL};

CString Load(UINT nId) {
    CString text;
    text.LoadString(nId);
    return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CAreaCalcDlg, CDialog)
ON_BN_CLICKED(IDC_AREA_OPEN, OnOpenFile)
ON_BN_CLICKED(IDC_AREA_COMPUTE, OnCompute)
ON_BN_CLICKED(IDC_AREA_APPEND, OnAppendMode)
ON_BN_CLICKED(IDC_AREA_ALL, OnAllPoints)
ON_BN_CLICKED(IDC_AREA_INSERT, OnInsertMode)
ON_BN_CLICKED(IDC_AREA_DELETE, OnDeleteVertex)
ON_LBN_SELCHANGE(IDC_AREA_LIST, OnListSelect)
ON_BN_CLICKED(IDC_AREA_ZOOM_IN, OnZoomIn)
ON_BN_CLICKED(IDC_AREA_ZOOM_OUT, OnZoomOut)
ON_BN_CLICKED(IDC_AREA_ZOOM_WINDOW, OnZoomWindow)
ON_BN_CLICKED(IDC_AREA_ZOOM_ALL, OnZoomAll)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CAreaCalcDlg::CAreaCalcDlg(CWnd* pParent) : CDialog(IDD_AREA_CALC, pParent) {}

void CAreaCalcDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AREA_LIST, m_list);
    for (int i = 0; i < 10; ++i) DDX_Control(pDX, kButtonIds[i], m_buttons[i]);
}

BOOL CAreaCalcDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    for (int i = 0; i < 10; ++i) m_buttons[i].SetIcon(kButtonIcons[i], 32, 32);
    UpdatePlanRect();
    return TRUE;
}

void CAreaCalcDlg::ShowResult(const CString& text) {
    m_strResult = text;
    SetDlgItemText(IDC_AREA_RESULT, m_strResult);
}

// The file dialog starts in the job's data folder, where the measured
// points are.
void CAreaCalcDlg::OnOpenFile() {
    CFileOpenDlg dlg(this);
    dlg.AddFilter(L"*.dat");
    if (g_pDoc) dlg.SetInitialPath(g_pDoc->m_strDataDir);
    if (dlg.DoModal() != IDOK) return;
    CString path = dlg.GetPathName();
    path.Trim();
    if (path.IsEmpty()) return;
    m_strFile = path;
    LoadPointFile();
    ZoomAllPoints();
    Invalidate();
}

void CAreaCalcDlg::ClearPolygon() {
    m_polyX.clear();
    m_polyY.clear();
    m_polyName.clear();
    if (m_list.GetSafeHwnd()) m_list.ResetContent();
    m_nListIndex = -1;
}

// A file that cannot be read gives no points.
void CAreaCalcDlg::LoadPointFile() {
    ClearPolygon();
    m_ptX.clear();
    m_ptY.clear();
    m_ptH.clear();
    m_ptName.clear();
    m_ptCode.clear();
    // Taps before the next paint find no stale positions.
    m_screen.clear();
    CFile file;
    CString text;
    if (!LoadSettingsText(file, m_strFile, CFile::modeRead, text)) return;
    for (CString line : SplitStoredLines(text)) {
        line.Trim();
        if (line.IsEmpty()) continue;
        m_ptName.push_back(StoredField(line, 0));
        m_ptX.push_back(ReadNumber(StoredField(line, 1)));
        m_ptY.push_back(ReadNumber(StoredField(line, 2)));
        m_ptH.push_back(ReadNumber(StoredField(line, 3)));
        m_ptCode.push_back(StoredField(line, 4));
    }
}

void CAreaCalcDlg::AddVertex(int nPoint, int nAt) {
    const size_t at = nAt < 0 ? m_polyX.size() : static_cast<size_t>(nAt);
    m_polyX.insert(m_polyX.begin() + at, m_ptX[nPoint]);
    m_polyY.insert(m_polyY.begin() + at, m_ptY[nPoint]);
    m_polyName.insert(m_polyName.begin() + at, m_ptName[nPoint]);
    m_list.InsertString(nAt < 0 ? -1 : nAt, m_ptName[nPoint]);
}

void CAreaCalcDlg::OnAllPoints() {
    m_bInsert = FALSE;
    ClearPolygon();
    m_bAllSelected = !m_bAllSelected;
    if (m_bAllSelected) {
        for (size_t i = 0; i < m_ptX.size(); ++i) AddVertex(static_cast<int>(i), -1);
    }
    Invalidate();
}

void CAreaCalcDlg::OnAppendMode() {
    m_bInsert = FALSE;
    m_bAppend = !m_bAppend;
}

void CAreaCalcDlg::OnInsertMode() {
    m_bInsert = TRUE;
    m_nInsertPos = -1;
    m_bAppend = FALSE;
}

// The entry goes with its vertex and no other is chosen, so a second
// delete removes nothing.
void CAreaCalcDlg::OnDeleteVertex() {
    m_bInsert = FALSE;
    m_bAppend = FALSE;
    if (m_nListIndex < 0 || m_nListIndex >= static_cast<int>(m_polyX.size())) return;
    m_polyX.erase(m_polyX.begin() + m_nListIndex);
    m_polyY.erase(m_polyY.begin() + m_nListIndex);
    m_polyName.erase(m_polyName.begin() + m_nListIndex);
    m_list.DeleteString(m_nListIndex);
    m_nListIndex = -1;
    m_list.SetCurSel(-1);
    Invalidate();
}

void CAreaCalcDlg::OnListSelect() {
    m_nListIndex = m_list.GetCurSel();
    if (m_nListIndex < 0 || m_nListIndex >= static_cast<int>(m_polyX.size())) return;
    CString text;
    text.Format(L"%12.4f,%12.4f", m_polyX[m_nListIndex], m_polyY[m_nListIndex]);
    ShowResult(text);
    m_view.CentreOn(m_polyX[m_nListIndex], m_polyY[m_nListIndex]);
    Invalidate();
}

void CAreaCalcDlg::OnCompute() {
    const size_t n = m_polyX.size();
    if (n < 3) {
        ShowResult(Load(IDS_STRING61243));
        return;
    }
    std::vector<tools::PlanePoint> vertices;
    for (size_t i = 0; i < n; ++i) vertices.push_back({m_polyX[i], m_polyY[i]});
    const tools::AreaResult r = tools::CalcPolygonArea(vertices);
    if (!tools::AllFinite({r.perimeter, r.area})) {
        ShowResult(Load(IDS_STRING61396));
        return;
    }
    CString text;
    text.Format(L"%s:%.4f%s,%s:%.4f%s,%.4f%s,%.4f%s", Load(IDS_STRING61244).GetString(),
                r.perimeter, Load(IDS_STRING61254).GetString(), Load(IDS_STRING61245).GetString(),
                r.area, Load(IDS_STRING61246).GetString(), r.hectares,
                Load(IDS_STRING61247).GetString(), r.mu, Load(IDS_STRING61248).GetString());
    ShowResult(text);
    DrawEdge(0, static_cast<int>(n) - 1);
    (void)AppendReport(r);  // a failure has had its box
}

BOOL CAreaCalcDlg::AppendReport(const tools::AreaResult& r) {
    const int keep = std::max(0, m_strFile.GetLength() - 3);
    const CString path = m_strFile.Left(keep) + L"txt";
    CString block = L"AREA COMPUTE:\r\n";
    CString line;
    for (size_t i = 0; i < m_polyX.size(); ++i) {
        line.Format(L"%8s, %12.4f, %12.4f\r\n", m_polyName[i].GetString(), m_polyX[i], m_polyY[i]);
        block += line;
    }
    line.Format(L"PERIMETER: %.4fmeter\r\n", r.perimeter);
    block += line;
    line.Format(L"AREA: %.4f hektare,%.4f M,%.4f square meter\r\n", r.hectares, r.mu, r.area);
    block += line;
    return tools::AppendLines(this, {{path, block}}, TRUE);
}
