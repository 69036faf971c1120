#include "app/libraries/CtrlPointLibDlg.h"

#include "app/InputRules.h"
#include "app/coordsys/AddCtrlPointDlg.h"
#include "app/coordsys/AddCtrlPointSrcDlg.h"
#include "app/coordsys/CtrlLibSetDlg.h"
#include "app/coordsys/EditCtrlPointDlg.h"
#include "app/coordsys/InputRawCoordDlg.h"
#include "app/libraries/LibraryUi.h"
#include "app/libraries/OverLimitPromptDlg.h"
#include "app/libraries/PointAttributeDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

namespace {

enum Column {
    kName,
    kKnownN,
    kKnownE,
    kKnownH,
    kRawN,
    kRawE,
    kRawH,
    kPlaneResidual,
    kHeightResidual,
    kUsePlane,
    kUseHeight,
    kColumns
};

CString Fixed(LPCTSTR format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

// The settings' combo indexes, 0 or 1.
int FitSetting(int stored) {
    return stored == 0 ? 0 : 1;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCtrlPointLibDlg, CDialog)
ON_BN_CLICKED(IDC_LIB_ADD, OnAdd)
ON_BN_CLICKED(IDC_LIB_DELETE, OnDelete)
ON_BN_CLICKED(IDC_LIB_EDIT, OnEdit)
ON_BN_CLICKED(IDC_LIB_USE, OnUse)
ON_BN_CLICKED(IDC_LIB_OPEN, OnOpen)
ON_BN_CLICKED(IDC_LIB_CTRL_SAVE, OnSaveFile)
ON_BN_CLICKED(IDC_LIB_CTRL_SET, OnSettings)
ON_BN_CLICKED(IDC_LIB_CLEAR, OnClear)
END_MESSAGE_MAP()

CCtrlPointLibDlg::CCtrlPointLibDlg(CWnd* pParent) : CDialog(IDD_CTRL_POINT_LIB, pParent) {}

void CCtrlPointLibDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIB_LIST, m_list);
}

void CCtrlPointLibDlg::SetUpEngine(CCoordTransform& engine) const {
    if (!g_pDoc) return;
    const CoordSysParams& p = g_pDoc->m_coordParams;
    engine.SetEllipsoid(p.szdDa, p.szdDf);
    engine.SetProjection(static_cast<double>(p.szlTx), static_cast<double>(p.szlTy), p.szdCenter,
                         p.szdTk, p.szdTlon, p.szdTHigh);
}

BOOL CCtrlPointLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    libraries::AddColumns(m_list, {{IDS_STRING61281, 50},
                                   {IDS_STRING61282, 100},
                                   {IDS_STRING61283, 100},
                                   {IDS_STRING61284, 65},
                                   {IDS_STRING61285, 100},
                                   {IDS_STRING61286, 100},
                                   {IDS_STRING61287, 65},
                                   {IDS_STRING61288, 60},
                                   {IDS_STRING61289, 60},
                                   {IDS_STRING61290, 60},
                                   {IDS_STRING61291, 60}});
    SetUpEngine(m_engine);
    if (g_pDoc) {
        g_pDoc->m_bStatusInChinese = 0;
        m_strFileName = g_pDoc->m_coordParams.szConF;
    }
    if (!m_strFileName.IsEmpty() && ::GetFileAttributes(m_strFileName) != INVALID_FILE_ATTRIBUTES) {
        LoadFile(m_strFileName);
        Recalculate();
    }
    CenterWindow();
    return TRUE;
}

int CCtrlPointLibDlg::AddRow(const std::vector<CString>& cells) {
    const int nRow = m_list.InsertItem(m_list.GetItemCount(), cells[0]);
    for (int c = 1; c < kColumns && c < static_cast<int>(cells.size()); ++c)
        m_list.SetItemText(nRow, c, cells[static_cast<size_t>(c)]);
    return nRow;
}

// The raw positions are kept as packed latitude and longitude and shown
// projected on the job's grid.
void CCtrlPointLibDlg::LoadFile(const CString& strPath) {
    CWaitCursor wait;
    std::string bytes;
    pointdata::ReadFileBytes(strPath, bytes);
    const pointdata::StoredText text =
        pointdata::SplitLibraryText(bytes.data(), bytes.size(), pointdata::kMaxControlRows);
    m_loaded.Take(bytes, text.consumed);
    CCoordTransform& engine = g_pDoc ? g_pDoc->m_coordTransform : m_engine;
    SetUpEngine(engine);
    for (const CString& line : text.lines) {
        std::vector<CString> cells = pointdata::ParseCotLine(line);
        const double lat =
            CCoordTransform::ConvertDmsRadian(ReadNumber(cells[4]), 1) * CCoordTransform::kRho;
        const double lon =
            CCoordTransform::ConvertDmsRadian(ReadNumber(cells[5]), 1) * CCoordTransform::kRho;
        double north = 0.0;
        double east = 0.0;
        engine.TransverseMercatorForward(lat, lon, north, east);
        cells[kRawN] = Fixed(L"%.3f", north);
        cells[kRawE] = Fixed(L"%.3f", east);
        AddRow(cells);
    }
    // More rows than the calculation holds: the first 50 are used, the
    // rest stay in the file.
    std::string rest = m_loaded.unread;
    if (pointdata::SplitLibraryText(rest.data(), rest.size(), 1).lines.size() == 1 &&
        text.lines.size() == pointdata::kMaxControlRows)
        AfxMessageBox(L"控制点超过50个,只使用前50个点!", MB_OK | MB_ICONINFORMATION);
}

void CCtrlPointLibDlg::SetFitKinds(int nKind, int nState) {
    if (!g_pDoc) return;
    g_pDoc->m_nFitKind = nKind;
    g_pDoc->m_nFitState = nState;
}

void CCtrlPointLibDlg::Recalculate() {
    const int nCount = m_list.GetItemCount();
    std::vector<pointdata::ControlCalcRow> rows(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        pointdata::ControlCalcRow& r = rows[static_cast<size_t>(i)];
        r.rawN = ReadNumber(m_list.GetItemText(i, kRawN));
        r.rawE = ReadNumber(m_list.GetItemText(i, kRawE));
        r.rawH = ReadNumber(m_list.GetItemText(i, kRawH));
        r.knownN = ReadNumber(m_list.GetItemText(i, kKnownN));
        r.knownE = ReadNumber(m_list.GetItemText(i, kKnownE));
        r.knownH = ReadNumber(m_list.GetItemText(i, kKnownH));
        r.usePlane = m_list.GetItemText(i, kUsePlane) == L"Y";
        r.useHeight = m_list.GetItemText(i, kUseHeight) == L"Y";
        r.planeResidual = ReadNumber(m_list.GetItemText(i, kPlaneResidual));
        r.heightResidual = ReadNumber(m_list.GetItemText(i, kHeightResidual));
    }
    const int nPlane = g_pDoc ? FitSetting(g_pDoc->m_sysParams.nPlaneNihe) : 1;
    const int nCurve = g_pDoc ? FitSetting(g_pDoc->m_sysParams.nCurveNihe) : 1;
    m_result = pointdata::RecalculateControlRows(m_engine, rows, nPlane, nCurve, m_result);
    for (int i = 0; i < nCount; ++i) {
        m_list.SetItemText(i, kPlaneResidual,
                           Fixed(L"%.3f", rows[static_cast<size_t>(i)].planeResidual));
        m_list.SetItemText(i, kHeightResidual,
                           Fixed(L"%.3f", rows[static_cast<size_t>(i)].heightResidual));
    }
    m_dShiftX = m_result.shiftN;
    m_dShiftY = m_result.shiftE;
    m_dHeightShift = m_result.heightShift;
    if (m_result.planeKind == 2)
        m_engine.GetFourParams(m_dFourDx, m_dFourDy, m_dFourRotation, m_dFourScale);
    if (m_result.heightKind == 2) m_engine.GetHeightFitParams(m_dFitA, m_dFitX0, m_dFitY0);
    SetFitKinds(m_result.planeKind, m_result.heightKind);
}

BOOL CCtrlPointLibDlg::ConfirmOverLimits() {
    if (m_result.WithinLimits()) return TRUE;
    CString strText;
    CString strPrefix;
    CString strPlane;
    CString strHeight;
    strPrefix.LoadString(IDS_STRING61697);
    strPlane.LoadString(IDS_STRING61701);
    strHeight.LoadString(IDS_STRING61702);
    CString strNumber;
    for (int n : m_result.planeOver) {
        strNumber.Format(L"%d", n);
        strText += strPrefix + strNumber + strPlane + L"\r\n";
    }
    for (int n : m_result.heightOver) {
        strNumber.Format(L"%d", n);
        strText += strPrefix + strNumber + strHeight + L"\r\n";
    }
    COverLimitPromptDlg prompt(this);
    prompt.m_strText = strText;
    return prompt.DoModal() == IDOK;
}

void CCtrlPointLibDlg::OnAdd() {
    if (m_list.GetItemCount() >= static_cast<int>(pointdata::kMaxControlRows)) {
        AfxMessageBox(L"控制点个数不能超过50个!", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CAddCtrlPointDlg known(this);
    if (known.DoModal() != IDOK) return;
    CAddCtrlPointSrcDlg source(this);
    if (source.DoModal() != IDOK) return;
    m_bModified = TRUE;
    CInputRawCoordDlg raw(this);
    raw.m_nSrcKind = source.m_nSrcKind;
    raw.m_strX = Fixed(L"%.3f", source.m_dSrcX);
    raw.m_strY = Fixed(L"%.3f", source.m_dSrcY);
    raw.m_dH = source.m_dSrcH;
    if (raw.DoModal() != IDOK) return;
    AddRow({known.m_strName, known.m_strX, known.m_strY, known.m_strH, raw.m_strX, raw.m_strY,
            Fixed(L"%.3f", raw.m_dH - raw.m_dAntHeight), L"", L"", L"Y", L"Y"});
    Recalculate();
}

void CCtrlPointLibDlg::OnDelete() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0 || !libraries::AskYesNo(IDS_STRING61255)) return;
    m_bModified = TRUE;
    m_list.DeleteItem(nRow);
    Recalculate();
}

void CCtrlPointLibDlg::OnEdit() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0) return;
    CEditCtrlPointDlg dlg(this);
    CString* const fields[] = {&dlg.m_strName, &dlg.m_strKnownX, &dlg.m_strKnownY, &dlg.m_strKnownH,
                               &dlg.m_strSrcX, &dlg.m_strSrcY,   &dlg.m_strSrcH};
    for (int c = 0; c <= kRawH; ++c) *fields[c] = m_list.GetItemText(nRow, c);
    if (dlg.DoModal() != IDOK) return;
    for (int c = 0; c <= kRawH; ++c) m_list.SetItemText(nRow, c, *fields[c]);
    m_bModified = TRUE;
    Recalculate();
}

void CCtrlPointLibDlg::OnUse() {
    const int nRow = libraries::FirstSelected(m_list);
    if (nRow < 0) return;
    CPointAttributeDlg dlg(this);
    dlg.m_strName = m_list.GetItemText(nRow, kName);
    dlg.m_bUsePlane = m_list.GetItemText(nRow, kUsePlane) == L"Y";
    dlg.m_bUseHeight = m_list.GetItemText(nRow, kUseHeight) == L"Y";
    if (dlg.DoModal() != IDOK) return;
    m_bModified = TRUE;
    m_list.SetItemText(nRow, kUsePlane, dlg.m_bUsePlane ? L"Y" : L"N");
    m_list.SetItemText(nRow, kUseHeight, dlg.m_bUseHeight ? L"Y" : L"N");
    Recalculate();
}

void CCtrlPointLibDlg::OnOpen() {
    if (m_bModified) {
        AfxMessageBox(IDS_STRING61292, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CFileOpenDlg open(this);
    open.AddFilter(L"*.cot");
    open.SetInitialPath(libraries::JobDir());
    if (open.DoModal() != IDOK || open.GetPathName().IsEmpty()) return;
    m_list.DeleteAllItems();
    m_strFileName = open.GetPathName();
    LoadFile(m_strFileName);
    Recalculate();
}

// Answered No, the question changes nothing.
void CCtrlPointLibDlg::OnClear() {
    if (m_list.GetItemCount() == 0 || !libraries::AskYesNo(IDS_STRING61256)) return;
    m_list.DeleteAllItems();
    SetFitKinds(0, 0);
    m_result = {};
    m_bModified = TRUE;
}

void CCtrlPointLibDlg::OnSettings() {
    if (!g_pDoc) return;
    CCtrlLibSetDlg dlg(this);
    dlg.m_nPlaneNihe = FitSetting(g_pDoc->m_sysParams.nPlaneNihe);
    dlg.m_nCurveNihe = FitSetting(g_pDoc->m_sysParams.nCurveNihe);
    if (dlg.DoModal() != IDOK) return;
    g_pDoc->m_sysParams.nPlaneNihe = dlg.m_nPlaneNihe;
    g_pDoc->m_sysParams.nCurveNihe = dlg.m_nCurveNihe;
    (void)g_pDoc->SaveSystemParams();  // a failure has had its box
    Recalculate();
}

// The raw positions go back to packed latitude and longitude from the
// shown (millimetre) grid values. The file it loaded keeps after the rows
// what the loading left (rows beyond 50 among it).
void CCtrlPointLibDlg::OnSaveFile() {
    if (!ConfirmOverLimits()) return;
    CFileSaveDlg save(this);
    save.SetFilter(L"*.cot");
    save.SetInitialPath(libraries::JobDir());
    if (save.DoModal() != IDOK) return;
    CString strPath = save.GetPathName();
    if (strPath.Find(L'.') < 0) strPath += L".cot";
    CCoordTransform& engine = g_pDoc ? g_pDoc->m_coordTransform : m_engine;
    SetUpEngine(engine);
    CString text;
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        std::vector<CString> cells;
        for (int c = 0; c < kColumns; ++c) cells.push_back(m_list.GetItemText(i, c));
        double lat = 0.0;
        double lon = 0.0;
        engine.TransverseMercatorInverse(ReadNumber(cells[kRawN]), ReadNumber(cells[kRawE]), lat,
                                         lon);
        cells[kRawN] = Fixed(L"%.10f", CCoordTransform::ConvertDmsRadian(lat, 0));
        cells[kRawE] = Fixed(L"%.10f", CCoordTransform::ConvertDmsRadian(lon, 0));
        text += pointdata::FormatCotLine(cells);
    }
    // Saved under another name, the rows it did not load go along.
    const BOOL bSaved = strPath.CompareNoCase(m_strFileName) == 0
                            ? pointdata::RewriteLibraryFile(strPath, text, m_loaded)
                            : pointdata::WriteLibraryFileWithRest(strPath, text, m_loaded);
    if (!bSaved) {
        libraries::ReportSaveFailure(this);
        return;
    }
    m_strFileName = strPath;
    AfxMessageBox(IDS_STRING61293, MB_OK | MB_ICONINFORMATION);
    m_bModified = FALSE;
}

void CCtrlPointLibDlg::OnOK() {
    UpdateData(TRUE);
    if (m_bModified) {
        AfxMessageBox(IDS_STRING61292, MB_OK | MB_ICONINFORMATION);
        OnSaveFile();
        return;
    }
    if (m_list.GetItemCount() == 0) {
        if (!libraries::AskYesNo(IDS_STRING61298)) return;
        SetFitKinds(0, 0);
    }
    if (!ConfirmOverLimits()) return;
    CDialog::OnOK();
}

void CCtrlPointLibDlg::OnCancel() {
    if (m_bModified && libraries::AskYesNo(IDS_STRING61292)) return;
    SetFitKinds(0, 0);
    CDialog::OnCancel();
}
