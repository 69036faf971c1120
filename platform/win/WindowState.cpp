// The shared state, handle allocation, the tree's links and z-order, and the
// geometry every other part of the window manager reads.
#include "platform/win/WindowState.h"

#include <algorithm>
#include <cwctype>

#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {

State& S() {
    // Never destroyed: threads may still end (and clean up their queues)
    // while static objects are being torn down.
    static State* state = [] {
        auto* s = new State;
        auto desktop = std::make_unique<Window>();
        desktop->hwnd = reinterpret_cast<HWND>(s->nextHandle);
        s->nextHandle += 4;
        desktop->style = WS_VISIBLE;
        s->desktop = desktop->hwnd;
        s->windows.emplace(reinterpret_cast<uintptr_t>(desktop->hwnd), std::move(desktop));
        return s;
    }();
    return *state;
}

std::wstring Fold(const std::wstring& s) {
    std::wstring out(s);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

Window* Find(HWND hwnd) {
    if (!hwnd || hwnd == S().desktop) return nullptr;
    auto it = S().windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == S().windows.end() ? nullptr : it->second.get();
}

Window* FindLocal(HWND hwnd) {
    Window* w = Find(hwnd);
    return w && !w->remote ? w : nullptr;
}

HWND NewHandle() {
    // Handles only grow, so a destroyed window's value never comes back.
    HWND h = reinterpret_cast<HWND>(S().nextHandle);
    S().nextHandle += 4;
    return h;
}

Window* Parent(const Window* w) {
    return w->parent ? Find(w->parent) : nullptr;
}

bool IsVisibleChain(const Window* w) {
    for (; w; w = Parent(w))
        if (!(w->style & WS_VISIBLE)) return false;
    return true;
}

bool IsEnabledChain(const Window* w) {
    for (; w; w = Parent(w))
        if (w->style & WS_DISABLED) return false;
    return true;
}

Window* TopLevelOf(Window* w) {
    while (w && w->parent) w = Parent(w);
    return w;
}

bool IsDescendant(const Window* ancestor, const Window* w) {
    for (w = w ? Parent(w) : nullptr; w; w = Parent(w))
        if (w == ancestor) return true;
    return false;
}

std::vector<HWND>& SiblingsOf(const Window* w) {
    Window* p = Parent(w);
    return p ? p->children : S().topLevel;
}

void Unlink(Window* w) {
    auto& list = SiblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w->hwnd), list.end());
}

namespace {

bool IsTopmost(HWND h) {
    Window* w = Find(h);
    return w && (w->exStyle & WS_EX_TOPMOST);
}

// Where a window of the topmost band (or not) may go among top-level
// windows: topmost windows always stay above the others.
size_t BandStart(const std::vector<HWND>& list, bool topmost) {
    if (topmost) return 0;
    size_t i = 0;
    while (i < list.size() && IsTopmost(list[i])) ++i;
    return i;
}

size_t BandEnd(const std::vector<HWND>& list, bool topmost) {
    return topmost ? BandStart(list, false) : list.size();
}

}  // namespace

void LinkAt(Window* w, HWND insertAfter) {
    auto& list = SiblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w->hwnd), list.end());
    if (insertAfter == HWND_TOPMOST && !w->parent) w->exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST && !w->parent) w->exStyle &= ~WS_EX_TOPMOST;
    const bool topmost = !w->parent && (w->exStyle & WS_EX_TOPMOST);
    const size_t start = w->parent ? 0 : BandStart(list, topmost);
    const size_t end = w->parent ? list.size() : BandEnd(list, topmost);
    size_t pos = start;
    if (insertAfter == HWND_BOTTOM) {
        pos = end;
    } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST &&
               insertAfter != HWND_NOTOPMOST) {
        auto it = std::find(list.begin(), list.end(), insertAfter);
        if (it != list.end()) pos = std::clamp<size_t>(it - list.begin() + 1, start, end);
    }
    list.insert(list.begin() + static_cast<ptrdiff_t>(pos), w->hwnd);
}

void RaiseOwnedAbove(Window* owner) {
    if (owner->parent) return;
    // Collect the windows owned (directly or not) by `owner`, in their
    // current order, and put them back just above it.
    std::vector<HWND> owned;
    for (HWND h : S().topLevel) {
        for (Window* o = Find(h); o && o->owner; o = Find(o->owner)) {
            if (o->owner == owner->hwnd) {
                owned.push_back(h);
                break;
            }
        }
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        Window* o = Find(*it);
        auto& list = S().topLevel;
        list.erase(std::remove(list.begin(), list.end(), o->hwnd), list.end());
        auto at = std::find(list.begin(), list.end(), owner->hwnd);
        // A topmost owned window stays in its band; otherwise just above.
        list.insert(at, o->hwnd);
    }
}

RECT FrameInsets(DWORD style, DWORD exStyle) {
    RECT in{0, 0, 0, 0};
    (void)exStyle;  // no extended style changes the frame on the handheld
    if (style & (WS_BORDER | WS_DLGFRAME))
        in = {kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth};
    if ((style & WS_CAPTION) == WS_CAPTION) in.top += kCaptionHeight;
    return in;
}

RECT ClientRectInWindow(const Window* w) {
    const RECT in = FrameInsets(w->style, w->exStyle);
    const LONG width = w->rect.right - w->rect.left;
    const LONG height = w->rect.bottom - w->rect.top;
    RECT r{in.left, in.top, width - in.right, height - in.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

POINT ClientOriginOnScreen(const Window* w) {
    const RECT wr = WindowRectOnScreen(w);
    const RECT in = ClientRectInWindow(w);
    return {wr.left + in.left, wr.top + in.top};
}

RECT WindowRectOnScreen(const Window* w) {
    RECT r = w->rect;
    if (Window* p = Parent(w)) {
        const POINT o = ClientOriginOnScreen(p);
        r.left += o.x;
        r.right += o.x;
        r.top += o.y;
        r.bottom += o.y;
    }
    return r;
}

RECT ClientRectOnScreen(const Window* w) {
    const RECT wr = WindowRectOnScreen(w);
    RECT c = ClientRectInWindow(w);
    c.left += wr.left;
    c.right += wr.left;
    c.top += wr.top;
    c.bottom += wr.top;
    return c;
}

void CollectPreOrder(const Window* w, std::vector<HWND>* out) {
    out->push_back(w->hwnd);
    for (HWND c : w->children)
        if (Window* cw = Find(c)) CollectPreOrder(cw, out);
}

std::vector<HWND> AllWindowsPreOrder() {
    std::vector<HWND> out;
    for (HWND h : S().topLevel)
        if (Window* w = FindLocal(h)) CollectPreOrder(w, &out);
    return out;
}

}  // namespace quorvel::win::detail
