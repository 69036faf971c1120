// CCoordInverseDlg: the inverse calculation (dialog 15185 "坐标反算").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CCoordInverseDlg : public CDialog {
  public:
    explicit CCoordInverseDlg(CWnd* pParent = nullptr) : CDialog(IDD_COORD_INVERSE, pParent) {}
};
