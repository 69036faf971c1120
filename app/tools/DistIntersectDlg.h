// CDistIntersectDlg (dialog 15235 "测边交会") and its input page
// CDistIntersectInputDlg (15236): the point at given distances from two
// points, on the left or the right of the direction start to end.
#pragma once

#include "app/tools/CalcToolDlg.h"

class CDistIntersectInputDlg : public CCalcInputPage {
  public:
    CDistIntersectInputDlg();

    CString m_strStartName;
    double m_dStartX = 0.0, m_dStartY = 0.0;
    CString m_strEndName;
    double m_dEndX = 0.0, m_dEndY = 0.0;
    double m_dFromStart = 0.0;
    double m_dFromEnd = 0.0;
    int m_nSide = 0;  // 0 "左偏", 1 "右偏"
    CString m_strNewName;
    double m_dNewX = 0.0;
    double m_dNewY = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
    std::vector<const CString*> StoredNames() override { return {&m_strNewName}; }
};

class CDistIntersectDlg : public CCalcToolDlg {
  public:
    explicit CDistIntersectDlg(CWnd* pParent = nullptr);

    CDistIntersectInputDlg m_pageInput;

  protected:
    CString BuildResultText() override;
    void ResultPoint(CString& name, double& x, double& y) override;
    void FillGraph() override;
};
