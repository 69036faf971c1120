// Keyboard and stylus state shared by injection, cooking and the state
// queries; guarded by the window-manager lock.
#pragma once

#include <cstdint>

#include "platform/win/WindowState.h"

namespace quorvel::win::detail {

// Two taps count as a double tap within this square around the first
// (SM_CXDOUBLECLK) and GetDoubleClickTime() milliseconds.
constexpr int kDoubleTapBox = 8;
constexpr UINT kDoubleTapMs = 500;

struct InputState {
    bool asyncDown[256] = {};  // as injected
    BYTE keyState[256] = {};   // as retrieved: 0x80 down, 0x01 toggled
    bool stylusDown = false;   // as retrieved
    bool swallowing = false;   // the current tap went to no window
    POINT lastPoint{};
    DWORD lastTapTime = 0;
    POINT lastTapPoint{};
    HWND lastTapWindow = nullptr;
    HWND tracking = nullptr;  // TrackMouseEvent(TME_LEAVE)
    uint64_t idleResets = 0;
};

InputState& Input();  // lock held

struct Hit {
    HWND hwnd = nullptr;
    LRESULT code = HTNOWHERE;
};
// The window under a screen point: the topmost visible top-level window
// containing it, then down through visible, enabled children; a window that
// answers WM_NCHITTEST with HTTRANSPARENT lets the point through to its
// parent. With `forInput` a disabled top-level window takes the point and
// gives no window (the tap is swallowed) (no lock held).
Hit HitTestAt(POINT screen, bool forInput);
// The top-level window geometrically under the point, no messages (lock held).
Window* TopLevelAt(POINT screen);

}  // namespace quorvel::win::detail
