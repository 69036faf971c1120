// CSpaceDistanceDlg: the chord between two geodetic points (dialog 209 "空间距离计算").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CSpaceDistanceDlg : public CDialog {
  public:
    explicit CSpaceDistanceDlg(CWnd* pParent = nullptr) : CDialog(IDD_SPACE_DISTANCE, pParent) {}
};
