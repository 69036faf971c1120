// The first four pages of the post-processing wizard (child dialogs of
// CPostProcWizardDlg): the processing mode, the parameter source, and the
// two file pages, each a folder tree whose selection shows its full path in
// edit 1041. Also the message boxes that the job's messages become.
#pragma once

#include "app/postproc/PostProcMessages.h"
#include "platform/framework/Afx.h"
#include "ui/FolderTreeCtrl.h"

// Information boxes and Yes/No questions titled "提示", owned by a window
// (or none).
class CPostProcBoxes : public postproc::IPostProcMessages {
  public:
    explicit CPostProcBoxes(CWnd* pOwner) : m_pOwner(pOwner) {}
    void Inform(LPCTSTR text) override;
    BOOL AskYesNo(LPCTSTR text) override;

  private:
    HWND Owner() const;
    CWnd* m_pOwner;
};

// What every page shares: Enter in a page does not end it, and Escape ends
// the wizard, as it does from the wizard's own buttons.
class CPostProcPage : public CDialog {
  protected:
    void OnOK() override {}
    void OnCancel() override;
};

// Step 0: 0 "综合改正输出", 1 "坐标数据后处理".
class CPostProcModeDlg : public CPostProcPage {
  public:
    int m_nMode = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Step 1: 0 a control-point file, 1 the job's parameters.
class CPostProcParamDlg : public CPostProcPage {
  public:
    int m_nSource = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Steps 2 and 3: the tree of the job folder with files of one pattern.
class CPostProcFileDlg : public CPostProcPage {
  public:
    CPostProcFileDlg(UINT nTreeId, LPCTSTR pattern) : m_nTreeId(nTreeId), m_strPattern(pattern) {}
    // Set before the page is created.
    void SetFolders(const CString& strRoot, const CString& strInitial);

    CString m_strPath;  // edit 1041

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);

    CFolderTreeCtrl m_tree;
    UINT m_nTreeId;
    CString m_strPattern;
    CString m_strRoot;
    CString m_strInitial;
};

class CPostProcCotFileDlg : public CPostProcFileDlg {
  public:
    CPostProcCotFileDlg();

  protected:
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
        OnSelChanged(pNMHDR, pResult);
    }
    DECLARE_MESSAGE_MAP()
};

class CPostProcOrgFileDlg : public CPostProcFileDlg {
  public:
    CPostProcOrgFileDlg();

  protected:
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
        OnSelChanged(pNMHDR, pResult);
    }
    DECLARE_MESSAGE_MAP()
};
