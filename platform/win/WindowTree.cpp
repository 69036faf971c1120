// Walking and changing the tree: parents, owners, siblings in z-order,
// enumeration and search. Top-level lists include the proxies of other
// processes' published windows.
#include <algorithm>

#include "platform/win/Exposure.h"
#include "platform/win/InstanceShare.h"
#include "platform/win/WinInternal.h"

using namespace quorvel::win::detail;

namespace {

std::vector<HWND> TopLevelSnapshot() {
    RefreshRemoteWindows();
    Lock lock = TakeLock();
    return S().topLevel;
}

HWND Sibling(Window* w, UINT relation) {
    const std::vector<HWND>& list = SiblingsOf(w);
    if (list.empty()) return nullptr;
    if (relation == GW_HWNDFIRST) return list.front();
    if (relation == GW_HWNDLAST) return list.back();
    auto it = std::find(list.begin(), list.end(), w->hwnd);
    if (it == list.end()) return nullptr;
    if (relation == GW_HWNDNEXT) return it + 1 == list.end() ? nullptr : *(it + 1);
    return it == list.begin() ? nullptr : *(it - 1);
}

bool SameText(const std::wstring& a, LPCTSTR b) {
    return Fold(a) == Fold(b);
}

}  // namespace

HWND GetDesktopWindow() {
    Lock lock = TakeLock();
    return S().desktop;
}

HWND GetParent(HWND hwnd) {
    Lock lock = TakeLock();
    Window* w = Find(hwnd);
    if (!w) return nullptr;
    if (w->parent) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    Lock lock = TakeLock();
    Window* p = Find(parent);
    Window* w = Find(hwnd);
    return p && w && IsDescendant(p, w);
}

HWND GetWindow(HWND hwnd, UINT relation) {
    const bool ends = relation == GW_HWNDFIRST || relation == GW_HWNDLAST;
    if (ends || hwnd == GetDesktopWindow()) RefreshRemoteWindows();
    Lock lock = TakeLock();
    if (hwnd == S().desktop) {
        if (relation != GW_CHILD || S().topLevel.empty()) return nullptr;
        return S().topLevel.front();
    }
    Window* w = Find(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    switch (relation) {
        case GW_OWNER:
            return w->owner && Find(w->owner) ? w->owner : nullptr;
        case GW_CHILD:
            return w->children.empty() ? nullptr : w->children.front();
        case GW_HWNDFIRST:
        case GW_HWNDLAST:
        case GW_HWNDNEXT:
        case GW_HWNDPREV:
            return Sibling(w, relation);
        default:
            return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD);
}

HWND SetParent(HWND hwnd, HWND newParent) {
    std::vector<RECT> desktop;
    HWND old;
    {
        Lock lock = TakeLock();
        if (newParent == S().desktop) newParent = nullptr;
        Window* w = FindLocal(hwnd);
        Window* p = newParent ? FindLocal(newParent) : nullptr;
        if (!w || (newParent && (!p || p == w || IsDescendant(w, p)))) return nullptr;
        old = w->parent ? w->parent : S().desktop;
        Exposure exposure(WindowRectOnScreen(w));
        Unlink(w);
        w->parent = p ? newParent : nullptr;
        if (p) w->owner = nullptr;
        LinkAt(w, HWND_TOP);
        InvalidateSubtree(w);
        exposure.Finish(&desktop);
    }
    PaintDesktop(desktop);
    return old;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    for (HWND h : TopLevelSnapshot())
        if (IsWindow(h) && !proc(h, lParam)) return FALSE;
    return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    std::vector<HWND> all;
    {
        Lock lock = TakeLock();
        Window* p = FindLocal(parent);
        if (!p) return FALSE;
        for (HWND c : p->children)
            if (Window* cw = Find(c)) CollectPreOrder(cw, &all);
    }
    for (HWND h : all)
        if (IsWindow(h) && !proc(h, lParam)) return FALSE;
    return TRUE;
}

HWND FindWindow(LPCTSTR className, LPCTSTR windowName) {
    const std::vector<HWND> tops = TopLevelSnapshot();
    Lock lock = TakeLock();
    for (HWND h : tops) {
        Window* w = Find(h);
        if (!w) continue;
        const std::wstring& cls = w->remote ? w->remote->className : w->cls->name;
        if (className && !SameText(cls, className)) continue;
        if (windowName && !SameText(w->text, windowName)) continue;
        return h;
    }
    return nullptr;
}
