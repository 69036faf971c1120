#include "app/tools/BearingOffsetDlg.h"

#include <cmath>

#include "app/tools/ToolSupport.h"
#include "res/resource.h"

namespace {
const int kIds[3][5] = {
    {IDC_CALC_START_NAME, IDC_CALC_START_X, IDC_CALC_START_Y, IDC_CALC_START_LIB,
     IDC_CALC_START_PLAN},
    {IDC_CALC_END_NAME, IDC_CALC_END_X, IDC_CALC_END_Y, IDC_CALC_END_LIB, IDC_CALC_END_PLAN},
    {IDC_BEARING_P3_NAME, IDC_BEARING_P3_X, IDC_BEARING_P3_Y, IDC_BEARING_P3_LIB,
     IDC_BEARING_P3_PLAN},
};
}  // namespace

CBearingOffsetInputDlg::CBearingOffsetInputDlg() : CCalcInputPage(IDD_BEARING_OFFSET_INPUT) {}

void CBearingOffsetInputDlg::DoDataExchange(CDataExchange* pDX) {
    CCalcInputPage::DoDataExchange(pDX);
    for (int i = 0; i < 3; ++i) {
        DDX_Text(pDX, kIds[i][0], m_strNames[i]);
        tools::DDX_Number(pDX, kIds[i][1], m_dX[i]);
        tools::DDX_Number(pDX, kIds[i][2], m_dY[i]);
    }
}

std::vector<CalcPointSlot> CBearingOffsetInputDlg::Slots() {
    std::vector<CalcPointSlot> slots;
    for (int i = 0; i < 3; ++i)
        slots.push_back({kIds[i][3], kIds[i][4], &m_strNames[i], &m_dX[i], &m_dY[i]});
    return slots;
}

void CBearingOffsetInputDlg::Calculate() {
    m_result = tools::CalcDeflection({m_dX[0], m_dY[0]}, {m_dX[1], m_dY[1]}, {m_dX[2], m_dY[2]});
    m_bSuccess = m_result.bSuccess;
}

CBearingOffsetDlg::CBearingOffsetDlg(CWnd* pParent)
    : CCalcToolDlg(IDD_BEARING_OFFSET, IDC_TOOL_TAB_BEARING, IDS_STRING61218, m_pageInput,
                   IDD_BEARING_OFFSET_INPUT, FALSE, pParent) {}

CString CBearingOffsetDlg::BuildResultText() {
    const tools::DeflectionResult& r = m_pageInput.m_result;
    const CString side = Text(r.bLeft ? IDS_STRING61249 : IDS_STRING61253);
    const CString degree = Text(IDS_STRING61250);
    CString sexagesimal;
    sexagesimal.Format(L"%s: %d%s%d%s%.4f%s", side.GetString(), r.nDegrees, degree.GetString(),
                       r.nMinutes, Text(IDS_STRING61251).GetString(), r.seconds,
                       Text(IDS_STRING61252).GetString());
    CString decimal;
    decimal.Format(L"%s:%.6f%s", side.GetString(), std::fabs(r.deflection), degree.GetString());
    const CString turn = Text(IDS_STRING61217);
    CString text;
    text.Format(L"%s\r\n%s:%.4f\r\n%s:%.4f\r\n%s:%.4f\r\n%s:%s\r\n%s:%s\r\n",
                Text(IDS_STRING61219).GetString(), Text(IDS_STRING61220).GetString(), r.fromStart,
                Text(IDS_STRING61221).GetString(), r.fromEnd, Text(IDS_STRING61222).GetString(),
                r.offset, turn.GetString(), decimal.GetString(), turn.GetString(),
                sexagesimal.GetString());
    return text;
}
