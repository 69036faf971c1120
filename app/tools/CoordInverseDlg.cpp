#include "app/tools/CoordInverseDlg.h"

#include "app/tools/PlaneCalc.h"
#include "app/tools/ToolSupport.h"
#include "geodesy/CoordTransform.h"
#include "res/resource.h"

CCoordInverseInputDlg::CCoordInverseInputDlg() : CCalcInputPage(IDD_COORD_INVERSE_INPUT) {}

void CCoordInverseInputDlg::DoDataExchange(CDataExchange* pDX) {
    CCalcInputPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CALC_START_NAME, m_strStartName);
    tools::DDX_Number(pDX, IDC_CALC_START_X, m_dStartX);
    tools::DDX_Number(pDX, IDC_CALC_START_Y, m_dStartY);
    tools::DDX_Number(pDX, IDC_CALC_START_H, m_dStartH);
    DDX_Text(pDX, IDC_CALC_END_NAME, m_strEndName);
    tools::DDX_Number(pDX, IDC_CALC_END_X, m_dEndX);
    tools::DDX_Number(pDX, IDC_CALC_END_Y, m_dEndY);
    tools::DDX_Number(pDX, IDC_CALC_END_H, m_dEndH);
}

std::vector<CalcPointSlot> CCoordInverseInputDlg::Slots() {
    return {{IDC_CALC_START_LIB, IDC_CALC_START_PLAN, &m_strStartName, &m_dStartX, &m_dStartY,
             &m_dStartH},
            {IDC_CALC_END_LIB, IDC_CALC_END_PLAN, &m_strEndName, &m_dEndX, &m_dEndY, &m_dEndH}};
}

void CCoordInverseInputDlg::Calculate() {
    const tools::InverseResult r =
        tools::CalcInverse(m_dStartX, m_dStartY, m_dStartH, m_dEndX, m_dEndY, m_dEndH);
    m_bSuccess = r.bSuccess;
    m_dAzimuth = r.azimuth;
    m_dDistance = r.distance;
    m_dHeightDiff = r.heightDiff;
}

CCoordInverseDlg::CCoordInverseDlg(CWnd* pParent)
    : CCalcToolDlg(IDD_COORD_INVERSE, IDC_TOOL_TAB, IDS_STRING61208, m_pageInput,
                   IDD_COORD_INVERSE_INPUT, FALSE, pParent) {}

CString CCoordInverseDlg::BuildResultText() {
    CString angle;
    CCoordTransform::FormatAngleDMS(angle, m_pageInput.m_dAzimuth * 0.01745329251994278);
    CString text;
    text.Format(L"%s\r\n%s:%s\r\n %s:%.4f\r\n %s:%.4f\r\n", Text(IDS_STRING61204).GetString(),
                Text(IDS_STRING61205).GetString(), angle.GetString(),
                Text(IDS_STRING61206).GetString(), m_pageInput.m_dDistance,
                Text(IDS_STRING61207).GetString(), m_pageInput.m_dHeightDiff);
    return text;
}
