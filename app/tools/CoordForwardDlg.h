// CCoordForwardDlg (dialog 15181 "坐标正算") and its input page
// CCoordForwardInputDlg (15176): the point at a packed azimuth and a
// distance from a start point.
#pragma once

#include "app/tools/CalcToolDlg.h"

class CCoordForwardInputDlg : public CCalcPointPage {
  public:
    CCoordForwardInputDlg();

    CString m_strStartName;
    double m_dStartX = 0.0;
    double m_dStartY = 0.0;
    double m_dAzimuth = 0.0;  // packed dd.mmssss
    double m_dDistance = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
};

class CCoordForwardDlg : public CCalcPointToolDlg<CCoordForwardInputDlg> {
  public:
    explicit CCoordForwardDlg(CWnd* pParent = nullptr);

  protected:
    CString BuildResultText() override;
};
