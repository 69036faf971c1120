// CDistIntersectDlg: the distance intersection (dialog 15235 "测边交会").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CDistIntersectDlg : public CDialog {
  public:
    explicit CDistIntersectDlg(CWnd* pParent = nullptr) : CDialog(IDD_DIST_INTERSECT, pParent) {}
};
