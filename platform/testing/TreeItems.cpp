#include "platform/testing/TreeItems.h"

#include "platform/win/WinApi.h"

namespace quorvel::testing {
namespace {

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessage(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM FirstChild(HWND tree, HTREEITEM parent) {
    return Next(tree, parent, parent ? TVGN_CHILD : TVGN_ROOT);
}

}  // namespace

HTREEITEM TreeRoot(HWND tree) {
    return FirstChild(tree, nullptr);
}

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[300] = {};
    TVITEM tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = 300;
    ::SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
    return buffer;
}

HTREEITEM TreeChild(HWND tree, HTREEITEM parent, const std::wstring& text) {
    HTREEITEM item = FirstChild(tree, parent);
    while (item && TreeItemText(tree, item) != text) item = Next(tree, item, TVGN_NEXT);
    return item;
}

std::vector<std::wstring> TreeChildTexts(HWND tree, HTREEITEM parent) {
    std::vector<std::wstring> texts;
    for (HTREEITEM item = FirstChild(tree, parent); item; item = Next(tree, item, TVGN_NEXT))
        texts.push_back(TreeItemText(tree, item));
    return texts;
}

}  // namespace quorvel::testing
