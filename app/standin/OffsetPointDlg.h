// COffsetPointDlg: the offset point (dialog 15183 "偏点计算").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class COffsetPointDlg : public CDialog {
  public:
    explicit COffsetPointDlg(CWnd* pParent = nullptr) : CDialog(IDD_OFFSET_POINT, pParent) {}
};
