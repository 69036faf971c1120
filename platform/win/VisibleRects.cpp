// What of each window shows on the screen, and which parts of the screen a
// change of the tree uncovered, so that exactly those get repainted.
#include "platform/win/Exposure.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {
namespace {

// A transparent sibling (a group box around its radio buttons) lies above
// the controls it frames in the z-order, yet draws only its frame: it must
// not hide what lies below it.
bool HidesWhatLiesBelow(const Window* w) {
    return (w->style & WS_VISIBLE) && !(w->exStyle & WS_EX_TRANSPARENT);
}

void CutSiblingsAbove(const Window* w, std::vector<RECT>* rects) {
    for (const Window* cur = w; cur; cur = Parent(cur)) {
        for (HWND s : SiblingsOf(cur)) {
            if (s == cur->hwnd) break;
            Window* sw = FindLocal(s);
            if (sw && HidesWhatLiesBelow(sw)) Subtract(rects, WindowRectOnScreen(sw));
        }
    }
}

}  // namespace

std::vector<RECT> VisibleRectsLocked(const Window* w, bool clientOnly) {
    if (w->remote || !IsVisibleChain(w)) return {};
    RECT base = clientOnly ? ClientRectOnScreen(w) : WindowRectOnScreen(w);
    base = Intersect(base, RECT{0, 0, S().screen.cx, S().screen.cy});
    for (const Window* p = Parent(w); p; p = Parent(p))
        base = Intersect(base, ClientRectOnScreen(p));
    if (Empty(base)) return {};
    std::vector<RECT> rects{base};
    CutSiblingsAbove(w, &rects);
    for (HWND c : w->children) {
        Window* cw = Find(c);
        if (cw && (cw->style & WS_VISIBLE)) Subtract(&rects, WindowRectOnScreen(cw));
    }
    return rects;
}

Exposure::Exposure(const RECT& screenArea) : m_area(screenArea) {
    for (HWND h : AllWindowsPreOrder()) {
        Window* w = FindLocal(h);
        std::vector<RECT> rects = VisibleRectsLocked(w, false);
        for (RECT& r : rects) r = Intersect(r, m_area);
        m_before.emplace(h, std::move(rects));
    }
}

void Exposure::Finish(std::vector<RECT>* desktopPieces) {
    std::vector<RECT> desktop{Intersect(m_area, RECT{0, 0, S().screen.cx, S().screen.cy})};
    for (HWND h : AllWindowsPreOrder()) {
        Window* w = FindLocal(h);
        if (!w->parent && (w->style & WS_VISIBLE)) Subtract(&desktop, WindowRectOnScreen(w));
        std::vector<RECT> now{};
        for (const RECT& r : VisibleRectsLocked(w, false)) {
            const RECT x = Intersect(r, m_area);
            if (!Empty(x)) now.push_back(x);
        }
        auto it = m_before.find(h);
        if (it != m_before.end())
            for (const RECT& old : it->second) Subtract(&now, old);
        for (const RECT& piece : now) InvalidateScreenPiece(w, piece);
    }
    if (desktopPieces) {
        for (const RECT& r : desktop)
            if (!Empty(r)) desktopPieces->push_back(r);
    }
}

}  // namespace quorvel::win::detail

std::vector<RECT> quorvel::win::VisibleRects(HWND hwnd, bool clientOnly) {
    using namespace detail;
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    return w ? VisibleRectsLocked(w, clientOnly) : std::vector<RECT>{};
}
