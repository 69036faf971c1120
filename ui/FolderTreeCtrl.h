// CFolderTreeCtrl: a tree of the device's folders (and, when asked, the
// files matching its filters) below one root folder, with the system's
// small icons (0 a file, 1 a folder). A folder's children are read from
// disk each time it expands; collapsing drops them and leaves one empty
// dummy child, which keeps its expand button. The browsing part of the file
// open and save dialogs.
//
// Filters compare the last three characters of a name with those of each
// pattern, without regard to case, once per matching pattern: "*.dat" also
// takes "x.udat", and two patterns ending alike list a file twice.
//
// Files: building and filling (FolderTreeCtrl.cpp), finding and selecting
// paths (FolderTreeSelect.cpp).
#pragma once

#include "platform/framework/Afx.h"

class CFolderTreeCtrl : public CTreeCtrl {
  public:
    static constexpr int kFileImage = 0;
    static constexpr int kFolderImage = 1;

    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Appends a pattern such as "*.dat"; the default "*.*" goes first.
    void SetFileFilter(const CString& strPattern);
    // Rebuilds the tree below the root; FALSE when the system image list
    // cannot be attached (GetErrorText says why).
    BOOL ShowTree(const CString& strRoot, BOOL bShowFiles);
    // Expands the tree along the path and selects its item. FALSE when the
    // path does not exist, lies outside the root or a component is not in
    // the tree.
    BOOL SelectPath(const CString& strPath);
    // The texts from the root down to the item joined by "\".
    CString GetItemPath(HTREEITEM hItem) const;
    // The part after the last "\" (one final "\" ignored).
    static CString GetFileName(const CString& strPath);
    static BOOL IsDirectory(const CString& strPath);
    // The child whose text in upper case equals `strName` (given in upper
    // case); a name that is empty or holds "\" is looked for among the
    // top-level items.
    HTREEITEM FindChildItem(HTREEITEM hParent, const CString& strName) const;
    // One item at the end of the parent's children, named and pictured
    // after the path.
    HTREEITEM InsertPathItem(HTREEITEM hParent, const CString& strPath);
    void FillFolder(HTREEITEM hItem, const CString& strFolder);

    const CString& GetErrorText() const { return m_strError; }
    const CString& GetRootPath() const { return m_strRoot; }

  protected:
    afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

  private:
    BOOL AttachSystemImageList();
    HTREEITEM InsertItemAtEnd(HTREEITEM hParent, const CString& strPath, BOOL bFolder);
    void DeleteChildren(HTREEITEM hItem);
    void AddDummyChild(HTREEITEM hItem);
    BOOL HasDefaultFilterOnly() const;
    int FilterMatches(const CString& strName) const;
    void RefreshItem(HTREEITEM hItem);

    BOOL m_bShowFiles = FALSE;
    CString m_strError;
    CImageList m_imgSystem;
    CString m_strRoot;
    CStringArray m_arFilters;
};
