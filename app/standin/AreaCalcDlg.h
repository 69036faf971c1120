// CAreaCalcDlg: the area of a polygon of points (dialog 143 "面积计算").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CAreaCalcDlg : public CDialog {
  public:
    explicit CAreaCalcDlg(CWnd* pParent = nullptr) : CDialog(IDD_AREA_CALC, pParent) {}
};
