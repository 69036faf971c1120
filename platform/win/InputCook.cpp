// Raw input turned into messages when it is retrieved, so focus, capture and
// hit testing are those of that moment, after everything before it in the
// queue has been handled.
#include <cstdlib>

#include "platform/base/Thread.h"
#include "platform/win/InputState.h"
#include "platform/win/MessageParts.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {
namespace {

// Puts cooked messages where the raw event was in this thread's queue, or
// posts them to another thread that owns the target.
void Place(const std::vector<MSG>& cooked, size_t at) {
    Lock lock = TakeLock();
    Queue& own = CurrentQueue();
    for (const MSG& m : cooked) {
        Window* w = FindLocal(m.hwnd);
        if (!w) continue;
        if (w->threadId == own.threadId) {
            at = std::min(at, own.posted.size());
            own.posted.insert(own.posted.begin() + static_cast<ptrdiff_t>(at++), m);
        } else {
            PostTo(QueueOf(w->threadId), m.hwnd, m.message, m.wParam, m.lParam);
        }
    }
}

HWND KeyTarget() {
    return S().focus ? S().focus : S().active;
}

LPARAM ClientPoint(HWND hwnd, POINT p) {
    Window* w = FindLocal(hwnd);
    if (!w) return 0;
    const POINT o = ClientOriginOnScreen(w);
    return MAKELPARAM(p.x - o.x, p.y - o.y);
}

bool IsDoubleTap(InputState& in, HWND hwnd, const MSG& raw, POINT p) {
    Window* w = FindLocal(hwnd);
    if (!w || !(w->cls->wc.style & CS_DBLCLKS) || in.lastTapWindow != hwnd) return false;
    const int box = kDoubleTapBox / 2;
    return raw.time - in.lastTapTime <= kDoubleTapMs && std::abs(p.x - in.lastTapPoint.x) <= box &&
           std::abs(p.y - in.lastTapPoint.y) <= box;
}

UINT ButtonDown(InputState& in, HWND hwnd, const MSG& raw, POINT p) {
    if (IsDoubleTap(in, hwnd, raw, p)) {
        in.lastTapWindow = nullptr;  // a third tap starts over
        return WM_LBUTTONDBLCLK;
    }
    in.lastTapWindow = hwnd;
    in.lastTapTime = raw.time;
    in.lastTapPoint = p;
    return WM_LBUTTONDOWN;
}

// Works out the stylus messages (lock held); *activate gets the top-level
// window a new tap should activate first.
std::vector<MSG> StylusMessages(const MSG& raw, const Hit& hit, HWND* activate) {
    std::vector<MSG> out;
    InputState& in = Input();
    const POINT p{GET_X_LPARAM(raw.lParam), GET_Y_LPARAM(raw.lParam)};
    const bool down = raw.wParam == 1, wasDown = in.stylusDown;
    auto emit = [&](HWND h, UINT msg, WPARAM keys, LPARAM lp) {
        out.push_back(MSG{h, msg, keys, lp, raw.time, p});
    };
    if (in.tracking && in.tracking != hit.hwnd) {
        emit(in.tracking, WM_MOUSELEAVE, 0, 0);
        in.tracking = nullptr;
    }
    if (raw.wParam == kRawHover) {
        if (!wasDown && hit.hwnd && hit.code == HTCLIENT &&
            (p.x != in.lastPoint.x || p.y != in.lastPoint.y))
            emit(hit.hwnd, WM_MOUSEMOVE, 0, ClientPoint(hit.hwnd, p));
        if (!wasDown) in.lastPoint = p;
        return out;
    }
    in.stylusDown = down;
    // The stylus is the left button, and its state follows retrieval as a
    // key's does.
    if (down && !wasDown) in.keyState[VK_LBUTTON] ^= 0x01;
    in.keyState[VK_LBUTTON] =
        static_cast<BYTE>((in.keyState[VK_LBUTTON] & 0x01) | (down ? 0x80 : 0));
    if (down && !wasDown) {
        in.swallowing = !hit.hwnd || hit.code != HTCLIENT;
        Window* top = hit.hwnd ? TopLevelOf(FindLocal(hit.hwnd)) : nullptr;
        // A drop-down list or other WS_EX_NOACTIVATE popup takes the tap and
        // leaves its owner active, so the dialog under it keeps the focus.
        if (top && top->hwnd != S().active && !(top->exStyle & WS_EX_NOACTIVATE))
            *activate = top->hwnd;
        if (!in.swallowing)
            emit(hit.hwnd, ButtonDown(in, hit.hwnd, raw, p), MK_LBUTTON, ClientPoint(hit.hwnd, p));
    } else if (down && wasDown) {
        if (!in.swallowing && (p.x != in.lastPoint.x || p.y != in.lastPoint.y))
            emit(hit.hwnd, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(hit.hwnd, p));
    } else if (wasDown) {
        if (!in.swallowing) emit(hit.hwnd, WM_LBUTTONUP, 0, ClientPoint(hit.hwnd, p));
        in.swallowing = false;
    }
    in.lastPoint = p;
    return out;
}

void CookStylus(const MSG& raw, size_t at) {
    const POINT p{GET_X_LPARAM(raw.lParam), GET_Y_LPARAM(raw.lParam)};
    HWND capture = GetCapture();
    const Hit hit = capture ? Hit{capture, HTCLIENT} : HitTestAt(p, true);
    HWND activate = nullptr;
    std::vector<MSG> out;
    {
        Lock lock = TakeLock();
        out = StylusMessages(raw, hit, &activate);
    }
    if (activate) SetActiveWindow(activate);
    Place(out, at);
}

MSG KeyMessage(const MSG& raw, HWND target) {
    InputState& in = Input();
    const UINT vk = static_cast<UINT>(raw.wParam) & 0xFF;
    const bool down = raw.lParam != 0;
    const bool wasDown = (in.keyState[vk] & 0x80) != 0;
    auto set = [&](UINT key) {
        if (down && !wasDown) in.keyState[key] ^= 0x01;
        in.keyState[key] =
            static_cast<BYTE>(down ? (in.keyState[key] | 0x80) : (in.keyState[key] & ~0x80));
    };
    set(vk);
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) set(VK_SHIFT);
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) set(VK_CONTROL);
    if (vk == VK_LMENU || vk == VK_RMENU) set(VK_MENU);
    const bool alt = (in.keyState[VK_MENU] & 0x80) != 0;
    const bool sys = alt || vk == VK_MENU;
    const UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM lp = 1;
    if (alt) lp |= LPARAM{1} << 29;
    if (wasDown) lp |= LPARAM{1} << 30;
    if (!down) lp |= LPARAM{1} << 31;
    return MSG{target, msg, vk, static_cast<LPARAM>(static_cast<DWORD>(lp)), raw.time, raw.pt};
}

void CookKey(const MSG& raw, size_t at) {
    std::vector<MSG> out;
    {
        Lock lock = TakeLock();
        HWND target = KeyTarget();
        MSG m = KeyMessage(raw, target);
        if (target) out.push_back(m);
    }
    Place(out, at);
}

void CookChar(const MSG& raw, size_t at) {
    std::vector<MSG> out;
    {
        Lock lock = TakeLock();
        if (HWND target = KeyTarget())
            out.push_back(MSG{target, WM_CHAR, raw.wParam, 1, raw.time, raw.pt});
    }
    Place(out, at);
}

}  // namespace

void CookRawInput(const MSG& raw, size_t at) {
    switch (raw.message) {
        case kRawKeyMsg:
            CookKey(raw, at);
            break;
        case kRawCharMsg:
            CookChar(raw, at);
            break;
        case kRawStylusMsg:
            CookStylus(raw, at);
            break;
        default:
            break;
    }
}

}  // namespace quorvel::win::detail
