// CCoordForwardDlg: the forward calculation (dialog 15181 "坐标正算").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CCoordForwardDlg : public CDialog {
  public:
    explicit CCoordForwardDlg(CWnd* pParent = nullptr) : CDialog(IDD_COORD_FORWARD, pParent) {}
};
