// CStakePointLibDlg: the stake-out point library (dialog 15144 "放样点坐标库"), run by the
// document's command without a file: the job's default library.
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CStakePointLibDlg : public CDialog {
  public:
    explicit CStakePointLibDlg(CWnd* pParent = nullptr) : CDialog(IDD_STAKE_POINT_LIB, pParent) {}
};
