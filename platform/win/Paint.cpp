// Invalidation, validation, the paint cycle (WM_PAINT generated when a
// thread has nothing else to do, or sent at once by UpdateWindow) and the
// update area handed to BeginPaint.
#include "platform/base/Thread.h"
#include "platform/win/Exposure.h"
#include "platform/win/MessageParts.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {
namespace {

bool HasFrame(const Window* w) {
    const RECT in = FrameInsets(w->style, w->exStyle);
    return in.left || in.top || in.right || in.bottom;
}

RECT ClientBox(const Window* w) {
    const RECT c = ClientRectInWindow(w);
    return {0, 0, c.right - c.left, c.bottom - c.top};
}

bool RedrawOff(const Window* w) {
    for (; w; w = Parent(w))
        if (w->noRedraw) return true;
    return false;
}

bool Paintable(const Window* w) {
    return IsVisibleChain(w) && !RedrawOff(w);
}

bool NeedsPaintLocked(const Window* w) {
    return !Empty(w->update) || w->frameDirty || w->internalPaint;
}

// Children that show inside `clientRect` of their parent get the same
// invalidation: a parent without WS_CLIPCHILDREN would paint over them.
void InvalidateChildren(Window* w, const RECT& clientRect, bool erase, bool all) {
    if (!all && (w->style & WS_CLIPCHILDREN)) return;
    for (HWND c : w->children) {
        Window* cw = Find(c);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        const RECT cr = ClientRectInWindow(cw);
        const RECT inChild =
            Offset(clientRect, -(cw->rect.left + cr.left), -(cw->rect.top + cr.top));
        AddUpdate(cw, inChild, erase);
        InvalidateChildren(cw, inChild, erase, all);
    }
}

void ValidateLocked(Window* w, const RECT* rect) {
    if (!rect) {
        w->update = {0, 0, 0, 0};
        w->erase = false;
        w->internalPaint = false;
        return;
    }
    std::vector<RECT> left{w->update};
    Subtract(&left, *rect);
    w->update = BoundAll(left);
    if (Empty(w->update)) w->erase = false;
}

void Invalidate(Window* w, const RECT* rect, UINT flags) {
    const RECT box = ClientBox(w);
    const RECT r = rect ? Intersect(*rect, box) : box;
    const bool erase = (flags & RDW_ERASE) != 0;
    AddUpdate(w, r, erase);
    if ((flags & RDW_FRAME) && HasFrame(w) && Paintable(w)) w->frameDirty = true;
    if ((flags & RDW_INTERNALPAINT) && Paintable(w)) w->internalPaint = true;
    if (!(flags & RDW_NOCHILDREN)) InvalidateChildren(w, r, erase, flags & RDW_ALLCHILDREN);
}

std::vector<HWND> Subtree(HWND hwnd) {
    std::vector<HWND> out;
    if (Window* w = FindLocal(hwnd)) CollectPreOrder(w, &out);
    return out;
}

}  // namespace

void AddUpdate(Window* w, const RECT& clientRect, bool erase) {
    if (w->remote || !Paintable(w)) return;
    const RECT r = Intersect(clientRect, ClientBox(w));
    if (Empty(r)) return;
    w->update = Bound(w->update, r);
    w->erase = w->erase || erase;
}

void InvalidateWhole(Window* w) {
    AddUpdate(w, ClientBox(w), true);
    if (HasFrame(w) && Paintable(w)) w->frameDirty = true;
}

void InvalidateSubtree(Window* w) {
    std::vector<HWND> all;
    CollectPreOrder(w, &all);
    for (HWND h : all) InvalidateWhole(Find(h));
}

void InvalidateScreenPiece(Window* w, const RECT& piece) {
    const RECT client = ClientRectOnScreen(w);
    const RECT inClient = Intersect(piece, client);
    if (!Empty(inClient)) AddUpdate(w, Offset(inClient, -client.left, -client.top), true);
    std::vector<RECT> outside{piece};
    Subtract(&outside, client);
    if (!outside.empty() && HasFrame(w) && Paintable(w)) w->frameDirty = true;
}

HWND FindPaintTarget(DWORD threadId, HWND filter) {
    for (HWND h : AllWindowsPreOrder()) {
        Window* w = FindLocal(h);
        if (w->threadId != threadId || !NeedsPaintLocked(w) || !Paintable(w)) continue;
        if (PassesWindowFilter(h, filter)) return h;
    }
    return nullptr;
}

void ValidateAfterUnhandledPaint(HWND hwnd) {
    Window* w = FindLocal(hwnd);
    if (!w || w->paintTaken) return;
    ValidateLocked(w, nullptr);
    w->frameDirty = false;
}

void PaintNow(const std::vector<HWND>& windows) {
    for (HWND h : windows) {
        {
            Lock lock = TakeLock();
            Window* w = FindLocal(h);
            if (!w || !NeedsPaintLocked(w) || !Paintable(w)) continue;
            w->paintTaken = false;
        }
        SendMessage(h, WM_PAINT, 0, 0);
        Lock lock = TakeLock();
        ValidateAfterUnhandledPaint(h);
    }
}

}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

bool quorvel::win::TakeUpdateRegion(HWND hwnd, RECT* bounds, bool* erase) {
    bool frame = false;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) return false;
        *bounds = w->update;
        *erase = w->erase;
        ValidateLocked(w, nullptr);
        w->paintTaken = true;
        frame = w->frameDirty;
        w->frameDirty = false;
    }
    if (frame) SendMessage(hwnd, WM_NCPAINT, 1, 0);
    return true;
}

bool quorvel::win::NeedsPaint(HWND hwnd) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    return w && NeedsPaintLocked(w);
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN, UINT flags) {
    std::vector<HWND> paint;
    {
        Lock lock = TakeLock();
        std::vector<HWND> targets;
        if (hwnd) {
            if (!FindLocal(hwnd)) return FALSE;
            targets.push_back(hwnd);
        } else {
            for (HWND h : S().topLevel)
                if (FindLocal(h)) targets.push_back(h);
            rect = nullptr;
        }
        for (HWND h : targets) {
            Window* w = FindLocal(h);
            if (flags & RDW_INVALIDATE) Invalidate(w, rect, flags);
            if (flags & RDW_VALIDATE) ValidateLocked(w, rect);
            if (flags & RDW_NOERASE) w->erase = false;
            if (flags & RDW_NOFRAME) w->frameDirty = false;
            if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
            if (!(flags & (RDW_UPDATENOW | RDW_ERASENOW))) continue;
            if (flags & RDW_NOCHILDREN)
                paint.push_back(h);
            else
                for (HWND s : Subtree(h)) paint.push_back(s);
        }
    }
    PaintNow(paint);
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    if (!hwnd) return TRUE;
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
    Lock lock = TakeLock();
    Window* w = FindLocal(hwnd);
    if (!w) return FALSE;
    if (rect) *rect = w->update;
    return !Empty(w->update);
}

BOOL UpdateWindow(HWND hwnd) {
    std::vector<HWND> paint;
    {
        Lock lock = TakeLock();
        if (!FindLocal(hwnd)) return FALSE;
        paint = Subtree(hwnd);
    }
    PaintNow(paint);
    return TRUE;
}
