#include "app/tools/OffsetPointDlg.h"

#include "app/tools/PlaneCalc.h"
#include "app/tools/ToolSupport.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(COffsetPointInputDlg, CCalcPointPage)
ON_BN_CLICKED(IDC_OFFSET_MODE_DISTANCE, OnModeDistance)
ON_BN_CLICKED(IDC_OFFSET_MODE_ANGLE, OnModeAngle)
ON_BN_CLICKED(IDC_OFFSET_REF_START, OnReferenceStart)
ON_BN_CLICKED(IDC_OFFSET_REF_END, OnReferenceEnd)
END_MESSAGE_MAP()

COffsetPointInputDlg::COffsetPointInputDlg() : CCalcPointPage(IDD_OFFSET_POINT_INPUT, L"P") {}

void COffsetPointInputDlg::DoDataExchange(CDataExchange* pDX) {
    CCalcInputPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CALC_START_NAME, m_strStartName);
    tools::DDX_Number(pDX, IDC_CALC_START_X, m_dStartX);
    tools::DDX_Number(pDX, IDC_CALC_START_Y, m_dStartY);
    DDX_Text(pDX, IDC_CALC_END_NAME, m_strEndName);
    tools::DDX_Number(pDX, IDC_CALC_END_X, m_dEndX);
    tools::DDX_Number(pDX, IDC_CALC_END_Y, m_dEndY);
    DDX_Radio(pDX, IDC_OFFSET_MODE_DISTANCE, m_nMode);
    DDX_Radio(pDX, IDC_OFFSET_REF_START, m_nReference);
    tools::DDX_Number(pDX, IDC_CALC_FROM_START, m_dFromStart);
    tools::DDX_Number(pDX, IDC_CALC_FROM_END, m_dFromEnd);
    tools::DDX_Number(pDX, IDC_OFFSET_DIST, m_dOffset);
    tools::DDX_Number(pDX, IDC_OFFSET_ANGLE_EDIT, m_dAngle);
    DDX_Radio(pDX, IDC_CALC_LEFT, m_nSide);
    DDX_Text(pDX, IDC_CALC_NEW_NAME, m_strNewName);
}

BOOL COffsetPointInputDlg::OnInitDialog() {
    CCalcInputPage::OnInitDialog();
    ApplyMode(m_nMode);
    return TRUE;
}

std::vector<CalcPointSlot> COffsetPointInputDlg::Slots() {
    return {{IDC_CALC_START_LIB, IDC_CALC_START_PLAN, &m_strStartName, &m_dStartX, &m_dStartY},
            {IDC_CALC_END_LIB, IDC_CALC_END_PLAN, &m_strEndName, &m_dEndX, &m_dEndY}};
}

void COffsetPointInputDlg::Enable(int nId, BOOL bEnable) {
    if (CWnd* item = GetDlgItem(nId)) item->EnableWindow(bEnable);
}

void COffsetPointInputDlg::ApplyMode(int nMode) {
    Enable(IDC_OFFSET_DIST, nMode == 0);
    Enable(IDC_OFFSET_REF_START, nMode == 0);
    Enable(IDC_OFFSET_ANGLE_EDIT, nMode != 0);
    if (nMode == 0) {
        ApplyReference(IsDlgButtonChecked(IDC_OFFSET_REF_END) == BST_CHECKED ? 1 : 0);
        return;
    }
    Enable(IDC_CALC_FROM_END, TRUE);
    Enable(IDC_CALC_FROM_START, FALSE);
    // The two reference buttons' ids do not make a range.
    CheckDlgButton(IDC_OFFSET_REF_START, BST_UNCHECKED);
    CheckDlgButton(IDC_OFFSET_REF_END, BST_CHECKED);
}

void COffsetPointInputDlg::ApplyReference(int nReference) {
    Enable(IDC_CALC_FROM_START, nReference == 0);
    Enable(IDC_CALC_FROM_END, nReference != 0);
}

void COffsetPointInputDlg::OnModeDistance() {
    ApplyMode(0);
}

void COffsetPointInputDlg::OnModeAngle() {
    ApplyMode(1);
}

void COffsetPointInputDlg::OnReferenceStart() {
    ApplyReference(0);
}

void COffsetPointInputDlg::OnReferenceEnd() {
    ApplyReference(1);
}

void COffsetPointInputDlg::Calculate() {
    tools::OffsetInput in;
    in.nMode = m_nMode;
    in.nReference = m_nReference;
    in.nSide = m_nSide;
    in.fromStart = m_dFromStart;
    in.fromEnd = m_dFromEnd;
    in.offset = m_dOffset;
    in.packedAngle = m_dAngle;
    TakeResult(tools::CalcOffsetPoint({m_dStartX, m_dStartY}, {m_dEndX, m_dEndY}, in));
}

COffsetPointDlg::COffsetPointDlg(CWnd* pParent)
    : CCalcPointToolDlg(IDD_OFFSET_POINT, IDC_TOOL_TAB_OFFSET, IDS_STRING61218,
                        IDD_OFFSET_POINT_INPUT, pParent) {}

CString COffsetPointDlg::BuildResultText() {
    return PointResultText(IDS_STRING61223, IDS_STRING61224, L" :", IDS_STRING61225,
                           m_pageInput.m_strNewName, m_pageInput.m_dNewX, m_pageInput.m_dNewY);
}
