// Finding the window under a point.
#include "platform/win/InputState.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {
namespace {

// Visible children of `hwnd` that contain the point, topmost first, and
// whether each is enabled.
std::vector<std::pair<HWND, bool>> ChildrenAt(HWND hwnd, POINT p) {
    std::vector<std::pair<HWND, bool>> out;
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w || !Contains(ClientRectOnScreen(w), p)) return out;
    for (HWND c : w->children) {
        Window* cw = Find(c);
        if (cw && (cw->style & WS_VISIBLE) && Contains(WindowRectOnScreen(cw), p))
            out.emplace_back(c, !(cw->style & WS_DISABLED));
    }
    return out;
}

Hit Descend(HWND hwnd, POINT p) {
    for (const auto& [child, enabled] : ChildrenAt(hwnd, p)) {
        if (!enabled) continue;
        Hit hit = Descend(child, p);
        if (hit.hwnd) return hit;
    }
    const LRESULT code = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    if (code == HTTRANSPARENT) return {};
    return {hwnd, code};
}

}  // namespace

Window* TopLevelAt(POINT p) {
    for (HWND h : S().topLevel) {
        Window* w = FindLocal(h);
        if (w && (w->style & WS_VISIBLE) && Contains(WindowRectOnScreen(w), p)) return w;
    }
    return nullptr;
}

Hit HitTestAt(POINT p, bool forInput) {
    std::vector<std::pair<HWND, bool>> tops;
    {
        Lock lock = TakeLock();
        for (HWND h : S().topLevel) {
            Window* w = FindLocal(h);
            if (w && (w->style & WS_VISIBLE) && Contains(WindowRectOnScreen(w), p))
                tops.emplace_back(h, !(w->style & WS_DISABLED));
        }
    }
    for (const auto& [top, enabled] : tops) {
        if (!enabled && forInput) return {};
        Hit hit = Descend(top, p);
        if (hit.hwnd) return hit;
    }
    return {};
}

}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

HWND WindowFromPoint(POINT screenPoint) {
    return HitTestAt(screenPoint, false).hwnd;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint) {
    Lock lock = TakeLock();
    Window* w = FindLocal(parent);
    if (!w) return nullptr;
    const RECT client = ClientRectOnScreen(w);
    const POINT p{clientPoint.x + client.left, clientPoint.y + client.top};
    if (!Contains(client, p)) return nullptr;
    // Hidden and disabled children count here, as on the device.
    for (HWND c : w->children) {
        Window* cw = Find(c);
        if (cw && Contains(WindowRectOnScreen(cw), p)) return c;
    }
    return parent;
}
