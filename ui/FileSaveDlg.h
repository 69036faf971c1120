// CFileSaveDlg (dialog 15151): picks a folder in a tree and a file name to
// write. The tree lists the files matching the one filter; choosing such a
// file takes its name, and every change of the name (or of the selected
// item) makes the full path: the folder, a backslash, the name up to its
// first "." and the filter's extension (".dat" of "*.dat"). On OK a name
// that is blank or holds characters a file name cannot hold is refused,
// and an existing file is overwritten only when the user agrees. The
// dialog itself writes nothing.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/FolderTreeCtrl.h"

class CFileSaveDlg : public CDialog {
  public:
    explicit CFileSaveDlg(CWnd* pParent = nullptr);

    void SetFilter(const CString& strPattern) { m_strFilter = strPattern; }
    void SetRootFolder(const CString& strRoot) { m_strRootFolder = strRoot; }
    void SetInitialPath(const CString& strPath) { m_strInitialPath = strPath; }
    CString GetPathName() const { return m_strFullPath; }

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnChangeFileName();
    DECLARE_MESSAGE_MAP()

    CString m_strFullPath;
    CFolderTreeCtrl m_tree;
    CString m_strPath;
    CString m_strFileName;
    CString m_strInitialPath;
    CString m_strFilter;
    CString m_strRootFolder;

  private:
    CString Extension() const;
    BOOL PathHoldsExtension() const;
    void ApplyFileName();
    void ShowPathAndName();
    void Refuse(LPCTSTR lpszText);

    // The dialog is writing its own edits: their change notices are not
    // the user's.
    BOOL m_bWritingEdits = FALSE;
};
