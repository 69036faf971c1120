// CStakeLineLibDlg: the stake-out line library (dialog 15145 "放样线坐标库"), run by the
// document's command without a file: the job's default library.
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CStakeLineLibDlg : public CDialog {
  public:
    explicit CStakeLineLibDlg(CWnd* pParent = nullptr) : CDialog(IDD_STAKE_LINE_LIB, pParent) {}
};
