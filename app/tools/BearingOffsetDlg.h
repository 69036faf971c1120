// CBearingOffsetDlg (dialog 15182 "偏角偏距计算") and its input page
// CBearingOffsetInputDlg (15177): the deflection angle at the end of the
// line start to end towards an offset point, and that point's distance
// from the line. No point is produced: the result page has no store
// button.
#pragma once

#include "app/tools/CalcToolDlg.h"
#include "app/tools/PlaneCalc.h"

class CBearingOffsetInputDlg : public CCalcInputPage {
  public:
    CBearingOffsetInputDlg();

    CString m_strNames[3];  // start, end, offset point
    double m_dX[3] = {};
    double m_dY[3] = {};
    tools::DeflectionResult m_result;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
};

class CBearingOffsetDlg : public CCalcToolDlg {
  public:
    explicit CBearingOffsetDlg(CWnd* pParent = nullptr);

    CBearingOffsetInputDlg m_pageInput;

  protected:
    CString BuildResultText() override;
};
