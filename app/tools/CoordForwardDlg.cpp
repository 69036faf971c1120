#include "app/tools/CoordForwardDlg.h"

#include "app/tools/PlaneCalc.h"
#include "app/tools/ToolSupport.h"
#include "res/resource.h"

CCoordForwardInputDlg::CCoordForwardInputDlg() : CCalcInputPage(IDD_COORD_FORWARD_INPUT) {}

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
    : CCalcToolDlg(IDD_COORD_FORWARD, IDC_TOOL_TAB_FORWARD, IDS_STRING61208, m_pageInput,
                   IDD_COORD_FORWARD_INPUT, TRUE, pParent) {}

CString CCoordForwardDlg::BuildResultText() {
    const CString coord = Text(IDS_STRING61228);
    CString text;
    text.Format(L"%s\r\n%s:%s\r\n%sX:%.4f\r\n%sY:%.4f\r\n", Text(IDS_STRING61226).GetString(),
                Text(IDS_STRING61227).GetString(), m_pageInput.m_strNewName.GetString(),
                coord.GetString(), m_pageInput.m_dNewX, coord.GetString(), m_pageInput.m_dNewY);
    return text;
}

void CCoordForwardDlg::ResultPoint(CString& name, double& x, double& y) {
    name = m_pageInput.m_strNewName;
    x = m_pageInput.m_dNewX;
    y = m_pageInput.m_dNewY;
}

void CCoordForwardDlg::FillGraph() {
    m_pageGraph.AddPoint(m_pageInput.m_strStartName, m_pageInput.m_dStartX, m_pageInput.m_dStartY);
    if (m_pageInput.m_bSuccess) {
        m_pageGraph.AddPoint(m_pageInput.m_strNewName, m_pageInput.m_dNewX, m_pageInput.m_dNewY);
    }
}
