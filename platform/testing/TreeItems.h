// A tree-view control read the way a test looks at it: items by their
// texts, as the surveyor sees them.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/TreeViewDefs.h"
#include "platform/win/WinApi.h"

namespace quorvel::testing {

// The first root item; nullptr in an empty tree.
HTREEITEM TreeRoot(HWND tree);
std::wstring TreeItemText(HWND tree, HTREEITEM item);
// The child of `parent` (nullptr: among the root items) whose text is
// `text`; nullptr when there is none.
HTREEITEM TreeChild(HWND tree, HTREEITEM parent, const std::wstring& text);
// The texts of the children of `parent` (nullptr: the root items), in order.
std::vector<std::wstring> TreeChildTexts(HWND tree, HTREEITEM parent);

}  // namespace quorvel::testing
