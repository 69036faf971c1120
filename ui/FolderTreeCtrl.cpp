// CFolderTreeCtrl: the system image list, building the tree, reading a
// folder into it and the expansion that reads it again.
#include "ui/FolderTreeCtrl.h"

#include <vector>

#include "platform/controls/ShellFileInfo.h"
#include "platform/files/FileApi.h"
#include "ui/SortStringArray.h"

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
END_MESSAGE_MAP()

CFolderTreeCtrl::CFolderTreeCtrl() {
    m_arFilters.Add(L"*.*");
}

// The system image list belongs to the shell.
CFolderTreeCtrl::~CFolderTreeCtrl() {
    m_imgSystem.Detach();
}

BOOL CFolderTreeCtrl::HasDefaultFilterOnly() const {
    return m_arFilters.GetSize() == 1 && m_arFilters[0] == L"*.*";
}

void CFolderTreeCtrl::SetFileFilter(const CString& strPattern) {
    if (HasDefaultFilterOnly()) m_arFilters.RemoveAll();
    m_arFilters.Add(strPattern);
}

BOOL CFolderTreeCtrl::AttachSystemImageList() {
    m_imgSystem.Detach();
    SHFILEINFO info{};
    auto hList = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfo(L"\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (!hList) {
        m_strError = L"Cannot retrieve the Handle of SystemImageList!";
        return FALSE;
    }
    if (!m_imgSystem.Attach(hList)) {
        m_strError = L"Cannot Attach SystemImageList-Handle";
        return FALSE;
    }
    SetImageList(&m_imgSystem, TVSIL_NORMAL);
    return TRUE;
}

BOOL CFolderTreeCtrl::ShowTree(const CString& strRoot, BOOL bShowFiles) {
    if (GetStyle() & TVS_EDITLABELS) ModifyStyle(TVS_EDITLABELS, 0);
    DeleteAllItems();
    if (!AttachSystemImageList()) return FALSE;
    m_bShowFiles = bShowFiles;
    m_strRoot = strRoot;
    if (m_strRoot.Right(1) != L"\\") m_strRoot += L"\\";
    const CString strText = m_strRoot.Left(m_strRoot.GetLength() - 1);
    HTREEITEM hRoot = InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, strText, kFolderImage,
                                 kFolderImage, 0, 0, 0, TVI_ROOT, TVI_LAST);
    FillFolder(hRoot, strText);
    return TRUE;
}

CString CFolderTreeCtrl::GetFileName(const CString& strPath) {
    CString strName = strPath;
    if (strName.Right(1) == L"\\") strName = strName.Left(strName.GetLength() - 1);
    return strName.Mid(strName.ReverseFind(L'\\') + 1);
}

BOOL CFolderTreeCtrl::IsDirectory(const CString& strPath) {
    const DWORD dwAttributes = ::GetFileAttributes(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

HTREEITEM CFolderTreeCtrl::InsertPathItem(HTREEITEM hParent, const CString& strPath) {
    return InsertItemAtEnd(hParent, strPath, IsDirectory(strPath));
}

HTREEITEM CFolderTreeCtrl::InsertItemAtEnd(HTREEITEM hParent, const CString& strPath,
                                           BOOL bFolder) {
    const int nImage = bFolder ? kFolderImage : kFileImage;
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, GetFileName(strPath), nImage,
                      nImage, 0, 0, 0, hParent, TVI_LAST);
}

void CFolderTreeCtrl::AddDummyChild(HTREEITEM hItem) {
    InsertItem(L"", hItem);
}

// The last first: a folder of thousands of files goes in one pass.
void CFolderTreeCtrl::DeleteChildren(HTREEITEM hItem) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM hChild = GetChildItem(hItem); hChild; hChild = GetNextSiblingItem(hChild))
        children.push_back(hChild);
    SetRedraw(FALSE);
    for (auto hChild = children.rbegin(); hChild != children.rend(); ++hChild) DeleteItem(*hChild);
    SetRedraw(TRUE);
}

// How many of the patterns take the name: all of "*.*" alone, else those
// whose last three characters are the name's, ignoring case.
int CFolderTreeCtrl::FilterMatches(const CString& strName) const {
    if (HasDefaultFilterOnly()) return 1;
    const CString strEnd = strName.Right(3);
    int nMatches = 0;
    for (INT_PTR i = 0; i < m_arFilters.GetSize(); ++i)
        if (strEnd.CompareNoCase(m_arFilters[i].Right(3)) == 0) ++nMatches;
    return nMatches;
}

void CFolderTreeCtrl::FillFolder(HTREEITEM hItem, const CString& strFolder) {
    CString strBase = strFolder;
    if (strBase.Right(1) != L"\\") strBase += L"\\";
    WIN32_FIND_DATA fd{};
    HANDLE hFind = ::FindFirstFile(strBase + L"*.*", &fd);
    if (hFind == INVALID_HANDLE_VALUE) return;
    CStringArray arFolders;
    CStringArray arFiles;
    // The listing is taken whole at the first look, each entry checked as
    // it is taken: an entry that went before that is not in it.
    do {
        const CString strPath = strBase + fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            arFolders.Add(strPath);
            continue;
        }
        const int nMatches = FilterMatches(fd.cFileName);
        for (int i = 0; i < nMatches; ++i) arFiles.Add(strPath);
    } while (::FindNextFile(hFind, &fd));
    ::FindClose(hFind);

    SortStringArray::Sort(arFolders);
    SetRedraw(FALSE);
    BeginWaitCursor();
    for (INT_PTR i = 0; i < arFolders.GetSize(); ++i)
        AddDummyChild(InsertItemAtEnd(hItem, arFolders[i], TRUE));
    if (m_bShowFiles) {
        SortStringArray::Sort(arFiles);
        for (INT_PTR i = 0; i < arFiles.GetSize(); ++i) InsertItemAtEnd(hItem, arFiles[i], FALSE);
    }
    EndWaitCursor();
    SetRedraw(TRUE);
}

// Every expansion reads the folder again; a collapsed folder keeps only a
// dummy child for its expand button.
void CFolderTreeCtrl::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pTree = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    const HTREEITEM hItem = pTree->itemNew.hItem;
    *pResult = 0;
    const BOOL bExpanded = (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    DeleteChildren(hItem);
    if (bExpanded)
        FillFolder(hItem, GetItemPath(hItem));
    else
        AddDummyChild(hItem);
}
