// CNewJobDlg (dialog 15138 "新建作业"): the name of a new job and how its
// parameters come about: 0 "向导" (the parameter wizard) or 1 "套用" (an
// existing job's files). The folder is the program root's "Jobs" folder
// and is only shown. Every change of the name keeps m_strIniPath, the new
// job's settings file, current; the new-job command reads it with the
// other members after IDOK.
//
// OK refuses a name that cannot name the job's folder and files (see
// IsValidJobName) with a message, and the dialog stays open on the name.
#pragma once

#include "platform/framework/Afx.h"

class CNewJobDlg : public CDialog {
  public:
    explicit CNewJobDlg(CWnd* pParent = nullptr);

    CString m_strIniPath;  // job path + name + "\" + name + ".ini"
    int m_nMode = 0;       // 0 wizard, 1 apply an existing job
    CString m_strJobName;
    CString m_strJobPath;  // "<root>\Jobs\"

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnChangeJobName();
    DECLARE_MESSAGE_MAP()

  private:
    void UpdateIniPath();
};

// FALSE for a name that is empty or blank or that IsValidFileName
// (DeviceFiles.h) refuses.
BOOL IsValidJobName(const CString& strName);
