#include "app/tools/DistIntersectDlg.h"

#include "app/tools/PlaneCalc.h"
#include "app/tools/ToolSupport.h"
#include "res/resource.h"

CDistIntersectInputDlg::CDistIntersectInputDlg() : CCalcPointPage(IDD_DIST_INTERSECT_INPUT) {}

void CDistIntersectInputDlg::DoDataExchange(CDataExchange* pDX) {
    CCalcInputPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CALC_START_NAME, m_strStartName);
    tools::DDX_Number(pDX, IDC_CALC_START_X, m_dStartX);
    tools::DDX_Number(pDX, IDC_CALC_START_Y, m_dStartY);
    DDX_Text(pDX, IDC_CALC_END_NAME, m_strEndName);
    tools::DDX_Number(pDX, IDC_CALC_END_X, m_dEndX);
    tools::DDX_Number(pDX, IDC_CALC_END_Y, m_dEndY);
    tools::DDX_Number(pDX, IDC_CALC_FROM_START, m_dFromStart);
    tools::DDX_Number(pDX, IDC_CALC_FROM_END, m_dFromEnd);
    DDX_Radio(pDX, IDC_CALC_LEFT, m_nSide);
    DDX_Text(pDX, IDC_CALC_NEW_NAME, m_strNewName);
}

std::vector<CalcPointSlot> CDistIntersectInputDlg::Slots() {
    return {{IDC_CALC_START_LIB, IDC_CALC_START_PLAN, &m_strStartName, &m_dStartX, &m_dStartY},
            {IDC_CALC_END_LIB, IDC_CALC_END_PLAN, &m_strEndName, &m_dEndX, &m_dEndY}};
}

void CDistIntersectInputDlg::Calculate() {
    TakeResult(tools::CalcDistIntersect({m_dStartX, m_dStartY}, {m_dEndX, m_dEndY}, m_dFromStart,
                                        m_dFromEnd, m_nSide));
}

CDistIntersectDlg::CDistIntersectDlg(CWnd* pParent)
    : CCalcPointToolDlg(IDD_DIST_INTERSECT, IDC_TOOL_TAB_DIST, IDS_STRING61208,
                        IDD_DIST_INTERSECT_INPUT, pParent) {}

CString CDistIntersectDlg::BuildResultText() {
    return PointResultText(IDS_STRING61703, IDS_STRING61704, L" :", IDS_STRING61705,
                           m_pageInput.m_strNewName, m_pageInput.m_dNewX, m_pageInput.m_dNewY);
}
