// CIntersectCalcDlg (dialog 15184 "交会计算") and its input page
// CIntersectCalcInputDlg (15179): the intersection of two lines, each
// given by two points.
#pragma once

#include "app/tools/CalcToolDlg.h"

class CIntersectCalcInputDlg : public CCalcInputPage {
  public:
    CIntersectCalcInputDlg();

    // Line 1 start and end, line 2 start and end.
    CString m_strNames[4];
    double m_dX[4] = {};
    double m_dY[4] = {};
    CString m_strCrossName = L"JD";
    double m_dCrossX = 0.0;
    double m_dCrossY = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
    std::vector<const CString*> StoredNames() override { return {&m_strCrossName}; }
};

class CIntersectCalcDlg : public CCalcToolDlg {
  public:
    explicit CIntersectCalcDlg(CWnd* pParent = nullptr);

    CIntersectCalcInputDlg m_pageInput;

  protected:
    CString BuildResultText() override;
    void ResultPoint(CString& name, double& x, double& y) override;
};
