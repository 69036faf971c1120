// CDistIntersectDlg (dialog 15235 "测边交会") and its input page
// CDistIntersectInputDlg (15236): the point at given distances from two
// points, on the left or the right of the direction start to end.
#pragma once

#include "app/tools/CalcToolDlg.h"

class CDistIntersectInputDlg : public CCalcPointPage {
  public:
    CDistIntersectInputDlg();

    CString m_strStartName;
    double m_dStartX = 0.0, m_dStartY = 0.0;
    CString m_strEndName;
    double m_dEndX = 0.0, m_dEndY = 0.0;
    double m_dFromStart = 0.0;
    double m_dFromEnd = 0.0;
    int m_nSide = 0;  // 0 "左偏", 1 "右偏"

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
};

class CDistIntersectDlg : public CCalcPointToolDlg<CDistIntersectInputDlg> {
  public:
    explicit CDistIntersectDlg(CWnd* pParent = nullptr);

  protected:
    CString BuildResultText() override;
};
