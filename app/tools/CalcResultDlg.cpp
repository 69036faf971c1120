#include "app/tools/CalcResultDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/tools/ToolSupport.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CCalcResultDlg, CDialog)
ON_WM_PAINT()
ON_BN_CLICKED(IDC_RESULT_STORE, OnSaveToLibrary)
END_MESSAGE_MAP()

CCalcResultDlg::CCalcResultDlg(CWnd* pParent) : CDialog(IDD_CALC_RESULT, pParent) {
    m_point.strName = L"ResultP";
    m_point.strCode = L"00000000";
}

void CCalcResultDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < kLines; ++i) DDX_Text(pDX, IDC_RESULT_LINE0 + i, m_strLines[i]);
}

BOOL CCalcResultDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetHasResult(m_bHasResult);
    return TRUE;
}

void CCalcResultDlg::SetHasResult(BOOL bHasResult) {
    m_bHasResult = bHasResult;
    if (CWnd* store = GetSafeHwnd() ? GetDlgItem(IDC_RESULT_STORE) : nullptr)
        store->ShowWindow(bHasResult ? SW_SHOW : SW_HIDE);
}

void CCalcResultDlg::SetResult(const CString& text, BOOL bValid) {
    m_strResult = text;
    m_bResultValid = bValid;
    SplitResult();
    if (GetSafeHwnd()) {
        UpdateData(FALSE);
        Invalidate();
    }
}

// A piece keeps the CR before its LF: a static draws it as nothing.
void CCalcResultDlg::SplitResult() {
    if (!m_bResultValid) {
        m_strLines[0].LoadString(IDS_STRING61396);
        return;
    }
    for (int i = 0; i < kLines; ++i) {
        if (!AfxExtractSubString(m_strLines[i], m_strResult, i, L'\n')) m_strLines[i].Empty();
    }
}

void CCalcResultDlg::OnPaint() {
    SplitResult();
    UpdateData(FALSE);
    CPaintDC dc(this);
}

void CCalcResultDlg::OnSaveToLibrary() {
    if (!m_bResultValid) {
        tools::ShowText(this, IDS_STRING61397);
        return;
    }
    // The name may have been typed again since the calculation.
    if (coordsys::RefuseSeparators(this, {&m_point.strName})) return;
    CString libLine;
    libLine.Format(L"0,%s,%.4f,%.4f,%.4f,%s", m_point.strName.GetString(), m_point.dX, m_point.dY,
                   m_point.dH, m_point.strCode.GetString());
    CString calcLine;
    calcLine.Format(L"%s,%.4f,%.4f,%.4f,%s", m_point.strName.GetString(), m_point.dX, m_point.dY,
                    m_point.dH, m_point.strCode.GetString());
    // A failure has had its box.
    (void)tools::AppendLines(this, {{tools::JobFilePath(L"lib"), libLine},
                                    {tools::ResultFilePath(L"calcoord.dat"), calcLine}});
}

void CCalcResultDlg::OnCancel() {
    tools::CancelTool(this);
}
