// CBearingOffsetDlg: the bearing and offset (dialog 15182 "偏角偏距计算").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CBearingOffsetDlg : public CDialog {
  public:
    explicit CBearingOffsetDlg(CWnd* pParent = nullptr) : CDialog(IDD_BEARING_OFFSET, pParent) {}
};
