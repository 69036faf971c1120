// CFileOpenDlg (dialog 15152): picks an existing file in a folder tree that
// lists the files matching its filters. Callers set the filters, the root
// folder and the initial path, run it modally and on OK take the full path
// with GetPathName. The root folder and the initial path start as the
// program's root folder (FileDialogRoot.h).
#pragma once

#include "platform/framework/Afx.h"
#include "ui/FolderTreeCtrl.h"

class CFileOpenDlg : public CDialog {
  public:
    explicit CFileOpenDlg(CWnd* pParent = nullptr);

    // The first pattern added replaces the default "*.*".
    void AddFilter(const CString& strPattern);
    void SetRootFolder(const CString& strRoot) { m_strRootFolder = strRoot; }
    void SetInitialPath(const CString& strPath) { m_strInitialPath = strPath; }
    CString GetPathName() const { return m_strPathName; }

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CFolderTreeCtrl m_tree;
    CString m_strPathName;
    CString m_strInitialPath;
    CStringArray m_arFilters;
    CString m_strRootFolder;
};
