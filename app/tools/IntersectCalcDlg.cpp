#include "app/tools/IntersectCalcDlg.h"

#include "app/tools/PlaneCalc.h"
#include "app/tools/ToolSupport.h"
#include "graphics/LineLayout.h"
#include "res/resource.h"

namespace {
// name, x, y, library pick, plan pick of the four points.
const int kIds[4][5] = {
    {IDC_CROSS_L1S_NAME, IDC_CROSS_L1S_X, IDC_CROSS_L1S_Y, IDC_CROSS_L1S_LIB, IDC_CROSS_L1S_PLAN},
    {IDC_CROSS_L1E_NAME, IDC_CROSS_L1E_X, IDC_CROSS_L1E_Y, IDC_CROSS_L1E_LIB, IDC_CROSS_L1E_PLAN},
    {IDC_CROSS_L2S_NAME, IDC_CROSS_L2S_X, IDC_CROSS_L2S_Y, IDC_CROSS_L2S_LIB, IDC_CROSS_L2S_PLAN},
    {IDC_CROSS_L2E_NAME, IDC_CROSS_L2E_X, IDC_CROSS_L2E_Y, IDC_CROSS_L2E_LIB, IDC_CROSS_L2E_PLAN},
};
}  // namespace

CIntersectCalcInputDlg::CIntersectCalcInputDlg() : CCalcInputPage(IDD_INTERSECT_CALC_INPUT) {}

void CIntersectCalcInputDlg::DoDataExchange(CDataExchange* pDX) {
    CCalcInputPage::DoDataExchange(pDX);
    for (int i = 0; i < 4; ++i) {
        DDX_Text(pDX, kIds[i][0], m_strNames[i]);
        tools::DDX_Number(pDX, kIds[i][1], m_dX[i]);
        tools::DDX_Number(pDX, kIds[i][2], m_dY[i]);
    }
    DDX_Text(pDX, IDC_CROSS_NAME, m_strCrossName);
}

std::vector<CalcPointSlot> CIntersectCalcInputDlg::Slots() {
    std::vector<CalcPointSlot> slots;
    for (int i = 0; i < 4; ++i)
        slots.push_back({kIds[i][3], kIds[i][4], &m_strNames[i], &m_dX[i], &m_dY[i]});
    return slots;
}

void CIntersectCalcInputDlg::Calculate() {
    m_bSuccess = IntersectLines(m_dX[0], m_dY[0], m_dX[1], m_dY[1], m_dX[2], m_dY[2], m_dX[3],
                                m_dY[3], m_dCrossX, m_dCrossY);
}

CIntersectCalcDlg::CIntersectCalcDlg(CWnd* pParent)
    : CCalcToolDlg(IDD_INTERSECT_CALC, IDC_TOOL_TAB, IDS_STRING61211, m_pageInput,
                   IDD_INTERSECT_CALC_INPUT, TRUE, pParent) {}

CString CIntersectCalcDlg::BuildResultText() {
    const CString coord = Text(IDS_STRING61214);
    CString text;
    text.Format(L"%s\r\n%s :%s\r\n%sX:%.4f\r\n%sY:%.4f\r\n", Text(IDS_STRING61212).GetString(),
                Text(IDS_STRING61213).GetString(), m_pageInput.m_strCrossName.GetString(),
                coord.GetString(), m_pageInput.m_dCrossX, coord.GetString(), m_pageInput.m_dCrossY);
    return text;
}

void CIntersectCalcDlg::ResultPoint(CString& name, double& x, double& y) {
    name = m_pageInput.m_strCrossName;
    x = m_pageInput.m_dCrossX;
    y = m_pageInput.m_dCrossY;
}

void CIntersectCalcDlg::FillGraph() {
    for (int i = 0; i < 4; ++i)
        m_pageGraph.AddPoint(m_pageInput.m_strNames[i], m_pageInput.m_dX[i], m_pageInput.m_dY[i]);
    if (m_pageInput.m_bSuccess) {
        m_pageGraph.AddPoint(m_pageInput.m_strCrossName, m_pageInput.m_dCrossX,
                             m_pageInput.m_dCrossY);
    }
}
