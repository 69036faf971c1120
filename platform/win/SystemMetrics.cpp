// The handheld's screen and metrics, and the screen-change counter backends
// poll.
#include <atomic>

#include "platform/win/InputState.h"
#include "platform/win/RectMath.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

namespace quorvel::win {
namespace {

std::atomic<uint64_t> g_screenGeneration{0};

}  // namespace

// Scroll bars and thumbs of the handheld's classic look.
constexpr int kScrollBar = 13;
// The command bar (menu and toolbar) height.
constexpr int kMenuBar = 26;

void SetScreenSize(int width, int height) {
    detail::Lock lock = detail::TakeLock();
    detail::S().screen = SIZE{width, height};
}

SIZE ScreenSize() {
    detail::Lock lock = detail::TakeLock();
    return detail::S().screen;
}

uint64_t ScreenGeneration() {
    return g_screenGeneration.load();
}

void NoteScreenChanged() {
    g_screenGeneration.fetch_add(1);
}

}  // namespace quorvel::win

int GetSystemMetrics(int index) {
    const SIZE screen = quorvel::win::ScreenSize();
    switch (index) {
        case SM_CXSCREEN:
        case SM_CXFULLSCREEN:
            return screen.cx;
        case SM_CYSCREEN:
        case SM_CYFULLSCREEN:
            return screen.cy;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
        case SM_CXMENUCHECK:
        case SM_CYMENUCHECK:
            return quorvel::win::kScrollBar;
        case SM_CYCAPTION:
            return quorvel::win::kCaptionHeight;
        case SM_CXBORDER:
        case SM_CYBORDER:
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
        case SM_CXFRAME:
        case SM_CYFRAME:
            return quorvel::win::kBorderWidth;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYMENU:
            return quorvel::win::kMenuBar;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return quorvel::win::detail::kDoubleTapBox;
        default:
            return 0;  // SM_MOUSEPRESENT, SM_DEBUG...: a stylus device, no debugger
    }
}

UINT GetDoubleClickTime() {
    return 500;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
    if (!rect) return FALSE;
    const RECT in = quorvel::win::detail::FrameInsets(style, exStyle);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    return TRUE;
}
