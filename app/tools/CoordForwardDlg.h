// CCoordForwardDlg (dialog 15181 "坐标正算") and its input page
// CCoordForwardInputDlg (15176): the point at a packed azimuth and a
// distance from a start point.
#pragma once

#include "app/tools/CalcToolDlg.h"

class CCoordForwardInputDlg : public CCalcInputPage {
  public:
    CCoordForwardInputDlg();

    CString m_strStartName;
    double m_dStartX = 0.0;
    double m_dStartY = 0.0;
    double m_dAzimuth = 0.0;  // packed dd.mmssss
    double m_dDistance = 0.0;
    CString m_strNewName;
    double m_dNewX = 0.0;
    double m_dNewY = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
    std::vector<const CString*> StoredNames() override { return {&m_strNewName}; }
};

class CCoordForwardDlg : public CCalcToolDlg {
  public:
    explicit CCoordForwardDlg(CWnd* pParent = nullptr);

    CCoordForwardInputDlg m_pageInput;

  protected:
    CString BuildResultText() override;
    void ResultPoint(CString& name, double& x, double& y) override;
    void FillGraph() override;
};
