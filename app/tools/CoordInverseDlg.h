// CCoordInverseDlg (dialog 15185 "坐标反算") and its input page
// CCoordInverseInputDlg (15180): azimuth, distance and height difference
// from a start point to an end point. No point is produced: the result
// page has no store button.
#pragma once

#include "app/tools/CalcToolDlg.h"

class CCoordInverseInputDlg : public CCalcInputPage {
  public:
    CCoordInverseInputDlg();

    CString m_strStartName;
    double m_dStartX = 0.0, m_dStartY = 0.0, m_dStartH = 0.0;
    CString m_strEndName;
    double m_dEndX = 0.0, m_dEndY = 0.0, m_dEndH = 0.0;
    double m_dAzimuth = 0.0;  // degrees, [0, 360)
    double m_dDistance = 0.0;
    double m_dHeightDiff = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
};

class CCoordInverseDlg : public CCalcToolDlg {
  public:
    explicit CCoordInverseDlg(CWnd* pParent = nullptr);

    CCoordInverseInputDlg m_pageInput;

  protected:
    // The same text after a calculation and after a tap on the result
    // tab: the azimuth as FormatAngleDMS writes it.
    CString BuildResultText() override;
};
