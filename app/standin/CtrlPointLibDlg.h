// CCtrlPointLibDlg (dialog 102 "控制点坐标库"): the job's control-point
// library. Its recalculation leaves the kind of its results in the
// document (m_nFitKind: 0 none, 1 a plane shift, 2 four parameters and the
// shift; m_nFitState: 0 none, 1 a height shift, 2 a height fit and the
// shift) and the results in the members below, which the control-point
// library command takes over after IDOK. While it is open the receiver's
// status is shown untranslated (m_bStatusInChinese 0); Cancel clears both
// result kinds.
//
// Until the full library lands it is a plain dialog of its template with
// OK and Cancel that carries the results as they stand.
#pragma once

#include "platform/framework/Afx.h"

class CCtrlPointLibDlg : public CDialog {
  public:
    explicit CCtrlPointLibDlg(CWnd* pParent = nullptr);

    CString m_strFileName;  // the library's .cot file
    // Plane: the shift (north, east) and the four parameters (shifts in
    // metres, rotation in radians, scale).
    double m_dShiftX = 0.0;
    double m_dShiftY = 0.0;
    double m_dFourDx = 0.0;
    double m_dFourDy = 0.0;
    double m_dFourRotation = 0.0;
    double m_dFourScale = 1.0;
    // Height: the shift and the fit's coefficients A0..A5 and origin.
    double m_dHeightShift = 0.0;
    double m_dFitA[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    double m_dFitX0 = 0.0;
    double m_dFitY0 = 0.0;

  protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
};
