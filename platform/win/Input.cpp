// Input injection from backends and tests, key state, the cursor (where the
// stylus last touched), mouse-leave tracking and character translation.
#include "platform/base/Thread.h"
#include "platform/win/InputState.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {

InputState& Input() {
    static InputState* state = new InputState;
    return *state;
}

}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

namespace {

// The thread whose queue takes a raw event: the one owning the window that
// will most likely get it; cooking decides for good.
Queue* InputQueue(HWND preferred) {
    Window* w = FindLocal(preferred);
    if (!w) w = FindLocal(S().focus);
    if (!w) w = FindLocal(S().active);
    return w ? QueueOf(w->threadId) : nullptr;
}

WCHAR Shifted(WCHAR plain, WCHAR shifted, bool shift) {
    return shift ? shifted : plain;
}

WCHAR OemChar(UINT vk, bool shift) {
    switch (vk) {
        case VK_OEM_1:
            return Shifted(L';', L':', shift);
        case VK_OEM_PLUS:
            return Shifted(L'=', L'+', shift);
        case VK_OEM_COMMA:
            return Shifted(L',', L'<', shift);
        case VK_OEM_MINUS:
            return Shifted(L'-', L'_', shift);
        case VK_OEM_PERIOD:
            return Shifted(L'.', L'>', shift);
        case VK_OEM_2:
            return Shifted(L'/', L'?', shift);
        case VK_OEM_3:
            return Shifted(L'`', L'~', shift);
        case VK_OEM_4:
            return Shifted(L'[', L'{', shift);
        case VK_OEM_5:
            return Shifted(L'\\', L'|', shift);
        case VK_OEM_6:
            return Shifted(L']', L'}', shift);
        case VK_OEM_7:
            return Shifted(L'\'', L'"', shift);
        default:
            return 0;
    }
}

WCHAR CharForKey(UINT vk, bool shift, bool ctrl, bool caps) {
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<WCHAR>(vk - 'A' + 1);
        return static_cast<WCHAR>(shift != caps ? vk : vk - 'A' + 'a');
    }
    if (vk >= '0' && vk <= '9') return shift ? L")!@#$%^&*("[vk - '0'] : static_cast<WCHAR>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<WCHAR>(L'0' + vk - VK_NUMPAD0);
    switch (vk) {
        case VK_SPACE:
            return L' ';
        case VK_RETURN:
            return L'\r';
        case VK_ESCAPE:
            return 0x1B;
        case VK_TAB:
            return L'\t';
        case VK_BACK:
            return 0x08;
        case VK_MULTIPLY:
            return L'*';
        case VK_ADD:
            return L'+';
        case VK_SUBTRACT:
            return L'-';
        case VK_DECIMAL:
            return L'.';
        case VK_DIVIDE:
            return L'/';
        default:
            return OemChar(vk, shift);
    }
}

}  // namespace

namespace quorvel::win {

void InjectKey(UINT virtualKey, bool down) {
    Lock lock = TakeLock();
    Input().asyncDown[virtualKey & 0xFF] = down;
    PostTo(InputQueue(nullptr), nullptr, kRawKeyMsg, virtualKey & 0xFF, down ? 1 : 0);
}

void InjectChar(WCHAR ch) {
    Lock lock = TakeLock();
    PostTo(InputQueue(nullptr), nullptr, kRawCharMsg, static_cast<WPARAM>(ch), 0);
}

void InjectStylus(int x, int y, bool down) {
    Lock lock = TakeLock();
    S().cursor = POINT{x, y};
    Input().asyncDown[VK_LBUTTON] = down;
    Window* top = TopLevelAt(S().cursor);
    HWND preferred = S().capture ? S().capture : top ? top->hwnd : nullptr;
    PostTo(InputQueue(preferred), nullptr, kRawStylusMsg, down ? 1 : 0, MAKELPARAM(x, y));
}

void InjectHover(int x, int y) {
    Lock lock = TakeLock();
    S().cursor = POINT{x, y};
    Window* top = TopLevelAt(S().cursor);
    HWND preferred = S().capture ? S().capture : top ? top->hwnd : nullptr;
    PostTo(InputQueue(preferred), nullptr, kRawStylusMsg, kRawHover, MAKELPARAM(x, y));
}

uint64_t IdleResetCount() {
    Lock lock = TakeLock();
    return Input().idleResets;
}

}  // namespace quorvel::win

BOOL TranslateMessage(const MSG* msg) {
    const UINT m = msg->message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN) return m == WM_KEYUP || m == WM_SYSKEYUP;
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool caps = GetKeyState(VK_CAPITAL) & 1;
    const WCHAR ch = CharForKey(static_cast<UINT>(msg->wParam), shift, ctrl, caps);
    if (!ch) return TRUE;
    Lock lock = TakeLock();
    // The character is the very next message the thread retrieves.
    CurrentQueue().posted.push_front(MSG{msg->hwnd,
                                         m == WM_KEYDOWN ? UINT{WM_CHAR} : UINT{WM_SYSCHAR},
                                         static_cast<WPARAM>(ch), msg->lParam, msg->time, msg->pt});
    return TRUE;
}

SHORT GetKeyState(int virtualKey) {
    Lock lock = TakeLock();
    const BYTE s = Input().keyState[virtualKey & 0xFF];
    return static_cast<SHORT>(((s & 0x80) ? 0x8000 : 0) | (s & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
    Lock lock = TakeLock();
    return static_cast<SHORT>(Input().asyncDown[virtualKey & 0xFF] ? 0x8000 : 0);
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    Lock lock = TakeLock();
    *point = S().cursor;
    return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    if (!track) return FALSE;
    Lock lock = TakeLock();
    InputState& in = Input();
    if (track->dwFlags & TME_QUERY) {
        track->dwFlags = in.tracking ? TME_LEAVE : 0;
        track->hwndTrack = in.tracking;
        return TRUE;
    }
    if (track->dwFlags & TME_CANCEL) {
        if (in.tracking == track->hwndTrack) in.tracking = nullptr;
        return TRUE;
    }
    if (!(track->dwFlags & TME_LEAVE)) return TRUE;
    Window* w = FindLocal(track->hwndTrack);
    if (!w) return FALSE;
    // Asked while the stylus is already elsewhere: the leave is due at once.
    if (!Contains(WindowRectOnScreen(w), S().cursor))
        return PostTo(QueueOf(w->threadId), w->hwnd, WM_MOUSELEAVE, 0, 0);
    in.tracking = w->hwnd;
    return TRUE;
}

void keybd_event(BYTE, BYTE, DWORD, ULONG_PTR) {
    Lock lock = TakeLock();
    ++Input().idleResets;
}
