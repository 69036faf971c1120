// CFolderTreeCtrl: item paths, finding items by name and selecting a path.
#include "platform/files/FileApi.h"
#include "ui/FolderTreeCtrl.h"

CString CFolderTreeCtrl::GetItemPath(HTREEITEM hItem) const {
    if (!hItem) return CString();
    CString strPath = GetItemText(hItem);
    for (HTREEITEM hParent = GetParentItem(hItem); hParent; hParent = GetParentItem(hParent))
        strPath = GetItemText(hParent) + L"\\" + strPath;
    return strPath;
}

HTREEITEM CFolderTreeCtrl::FindChildItem(HTREEITEM hParent, const CString& strName) const {
    const bool topLevel = !hParent || strName.IsEmpty() || strName.Find(L'\\') >= 0;
    for (HTREEITEM hItem = topLevel ? GetRootItem() : GetChildItem(hParent); hItem;
         hItem = GetNextSiblingItem(hItem)) {
        CString strText = GetItemText(hItem);
        if (strText.MakeUpper() == strName) return hItem;
    }
    return nullptr;
}

// An item expanded at some time is collapsed with a reset first: the tree
// tells of a programmatic expansion only until an item has been expanded
// once, and the expansion that follows must read the folder again.
void CFolderTreeCtrl::RefreshItem(HTREEITEM hItem) {
    if (GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE) {
        Expand(hItem, TVE_EXPAND);
        Expand(hItem, TVE_COLLAPSE | TVE_COLLAPSERESET);
        AddDummyChild(hItem);
    }
    Expand(hItem, TVE_EXPAND);
}

BOOL CFolderTreeCtrl::SelectPath(const CString& strPath) {
    if (::GetFileAttributes(strPath) == INVALID_FILE_ATTRIBUTES) return FALSE;
    CString strUpper = strPath;
    strUpper.MakeUpper();
    if (strUpper.Right(1) != L"\\") strUpper += L"\\";

    HTREEITEM hRoot = GetRootItem();
    if (!hRoot) return FALSE;
    CString strRootText = GetItemText(hRoot);
    strRootText.MakeUpper();
    HTREEITEM hCurrent = nullptr;
    int nStart = 0;
    SetRedraw(FALSE);
    if (strRootText.Find(L'\\') >= 0) {
        // Only paths inside the root can be in the tree.
        const CString strPrefix = strRootText + L"\\";
        if (strUpper.Left(strPrefix.GetLength()) != strPrefix) {
            SetRedraw(TRUE);
            return FALSE;
        }
        hCurrent = FindChildItem(nullptr, strRootText);
        RefreshItem(hCurrent);
        nStart = strPrefix.GetLength();
    }
    for (int nSlash = strUpper.Find(L'\\', nStart); nSlash >= 0;
         nStart = nSlash + 1, nSlash = strUpper.Find(L'\\', nStart)) {
        HTREEITEM hChild = FindChildItem(hCurrent, strUpper.Mid(nStart, nSlash - nStart));
        if (!hChild) {
            SetRedraw(TRUE);
            return FALSE;
        }
        RefreshItem(hChild);
        hCurrent = hChild;
    }
    if (hCurrent) SelectItem(hCurrent);
    SetRedraw(TRUE);
    return hCurrent != nullptr;
}
