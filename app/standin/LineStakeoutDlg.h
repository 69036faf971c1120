// CLineStakeoutDlg: the line stake-out screen (dialog 15150).
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CLineStakeoutDlg : public CDialog {
  public:
    explicit CLineStakeoutDlg(CWnd* pParent = nullptr) : CDialog(IDD_LINE_STAKEOUT, pParent) {}
};
