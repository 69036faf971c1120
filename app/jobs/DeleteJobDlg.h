// CDeleteJobDlg (dialog 189 "删除作业"): lists the jobs that may be
// deleted and deletes the chosen one with its files, its data and result
// folders, after a question. It stays open for further deletions; "退出"
// closes it.
//
// Offered are the first 50 folders of the program's "Jobs" folder that
// hold their own settings file (<folder>\<folder>.ini), except the current
// job. The current job is recognised without regard to letter case: a
// folder spelt differently from the job's path is the same folder on the
// device.
#pragma once

#include "platform/framework/Afx.h"

class CDeleteJobDlg : public CDialog {
  public:
    static constexpr int kMaxFolders = 50;

    explicit CDeleteJobDlg(CWnd* pParent = nullptr);

    CListBox m_list;     // list 1060: the full folder paths
    int m_nSelect = -1;  // the list's selection, -1 for none

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()
};
