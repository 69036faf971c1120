#include "app/tools/CoordForwardDlg.h"

#include "app/tools/PlaneCalc.h"
#include "app/tools/ToolSupport.h"
#include "res/resource.h"

CCoordForwardInputDlg::CCoordForwardInputDlg() : CCalcPointPage(IDD_COORD_FORWARD_INPUT) {}

void CCoordForwardInputDlg::DoDataExchange(CDataExchange* pDX) {
    CCalcInputPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CALC_START_NAME, m_strStartName);
    tools::DDX_Number(pDX, IDC_CALC_START_X, m_dStartX);
    tools::DDX_Number(pDX, IDC_CALC_START_Y, m_dStartY);
    tools::DDX_Number(pDX, IDC_FORWARD_AZIMUTH, m_dAzimuth);
    tools::DDX_Number(pDX, IDC_FORWARD_DISTANCE, m_dDistance);
    DDX_Text(pDX, IDC_FORWARD_NEW_NAME, m_strNewName);
}

std::vector<CalcPointSlot> CCoordForwardInputDlg::Slots() {
    return {{IDC_CALC_START_LIB, IDC_CALC_START_PLAN, &m_strStartName, &m_dStartX, &m_dStartY}};
}

void CCoordForwardInputDlg::Calculate() {
    const tools::ForwardResult r =
        tools::CalcForward(m_dStartX, m_dStartY, m_dAzimuth, m_dDistance);
    m_bSuccess = r.bSuccess;
    m_dNewX = r.x;
    m_dNewY = r.y;
}

CCoordForwardDlg::CCoordForwardDlg(CWnd* pParent)
    : CCalcPointToolDlg(IDD_COORD_FORWARD, IDC_TOOL_TAB_FORWARD, IDS_STRING61208,
                        IDD_COORD_FORWARD_INPUT, pParent) {}

CString CCoordForwardDlg::BuildResultText() {
    return PointResultText(IDS_STRING61226, IDS_STRING61227, L":", IDS_STRING61228,
                           m_pageInput.m_strNewName, m_pageInput.m_dNewX, m_pageInput.m_dNewY);
}
