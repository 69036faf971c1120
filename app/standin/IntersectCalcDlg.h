// CIntersectCalcDlg: the intersection (dialog 15184 "交会计算").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CIntersectCalcDlg : public CDialog {
  public:
    explicit CIntersectCalcDlg(CWnd* pParent = nullptr) : CDialog(IDD_INTERSECT_CALC, pParent) {}
};
