// CPostProcWizardDlg: the post-processing wizard (dialog 15262 "综合后处理向导").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CPostProcWizardDlg : public CDialog {
  public:
    explicit CPostProcWizardDlg(CWnd* pParent = nullptr) : CDialog(IDD_POST_PROC_WIZARD, pParent) {}
};
