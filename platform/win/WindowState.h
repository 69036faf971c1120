// The window manager's shared state: every window, class and thread queue,
// behind one mutex. Nothing in here calls a window procedure; callers take
// the lock, read or change the state, release it and only then send
// messages. A Window* is valid only while the lock is held: between two
// locked sections a window may have been destroyed, so callers look their
// HWND up again.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/ThreadSignal.h"
#include "platform/win/WinApi.h"

namespace quorvel::win::detail {

struct WindowClass {
    std::wstring name;  // as registered
    WNDCLASS wc{};      // lpszClassName points into name
    ATOM atom = 0;
    std::vector<uint8_t> extra;
};

// A top-level window of another process, as that process published it.
struct RemoteWindow {
    std::string socketPath;
    uint64_t remoteHandle = 0;
    DWORD processId = 0;
    std::wstring className;
};

struct Window {
    HWND hwnd = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;       // children only; top-level windows have none
    HWND owner = nullptr;        // top-level windows only
    std::vector<HWND> children;  // z-order, topmost first
    RECT rect{};                 // relative to the parent's client area, or the screen
    std::wstring text;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    std::vector<uint8_t> extra;
    std::map<std::wstring, HANDLE> props;  // names folded to lower case
    HICON icons[2]{};                      // ICON_SMALL, ICON_BIG; not owned
    DWORD threadId = 0;
    bool maximized = false;
    RECT restoreRect{};       // where SW_RESTORE puts a maximised window back
    bool destroying = false;  // DestroyWindow has begun; still valid until WM_NCDESTROY
    // Painting: the update area is kept as one bounding rectangle (client
    // coordinates).
    RECT update{};
    bool erase = false;
    bool frameDirty = false;
    bool internalPaint = false;
    bool noRedraw = false;
    bool paintTaken = false;  // TakeUpdateRegion ran during the current WM_PAINT
    std::unique_ptr<RemoteWindow> remote;
};

// A message sent from another thread, waiting to be served.
struct SentItem {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
    std::shared_ptr<ThreadSignal> sender;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    TIMERPROC proc = nullptr;
    uint64_t due = 0;
    uint64_t seq = 0;  // breaks ties between timers due at the same time
};

struct Queue {
    DWORD threadId = 0;
    std::shared_ptr<ThreadSignal> signal;
    std::deque<MSG> posted;  // posted messages and raw input, in order
    std::deque<std::shared_ptr<SentItem>> sent;
    std::vector<Timer> timers;
    bool quit = false;
    int quitCode = 0;
    int sendDepth = 0;  // > 0 while serving a message sent from another thread
    DWORD lastMessageTime = 0;
    POINT lastMessagePos{};
};

struct State {
    std::mutex mu;
    uintptr_t nextHandle = 0x10010;
    std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevel;  // z-order, topmost first
    HWND desktop = nullptr;
    std::map<std::wstring, std::shared_ptr<WindowClass>> classes;  // lower-case names
    ATOM nextAtom = 0xC000;
    std::unordered_map<DWORD, std::shared_ptr<Queue>> queues;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    SIZE screen{240, 320};
    POINT cursor{};  // where the stylus last touched, screen coordinates
    UINT_PTR nextTimerId = 0x7F00;
    uint64_t timerSeq = 0;
};

using Lock = std::unique_lock<std::mutex>;

State& S();
inline Lock TakeLock() {
    return Lock(S().mu);
}

std::wstring Fold(const std::wstring& s);  // lower case, for names compared without case

// ---- Lookup (lock held) ----
std::shared_ptr<WindowClass> LookupClass(LPCTSTR name);
Window* Find(HWND hwnd);       // null for invalid handles and the desktop
Window* FindLocal(HWND hwnd);  // as Find, but null for remote proxies too
HWND NewHandle();
Window* Parent(const Window* w);
bool IsVisibleChain(const Window* w);  // the window and every ancestor visible
bool IsEnabledChain(const Window* w);  // the window and every ancestor enabled
Window* TopLevelOf(Window* w);
bool IsDescendant(const Window* ancestor, const Window* w);

// ---- Z-order (lock held) ----
std::vector<HWND>& SiblingsOf(const Window* w);
void Unlink(Window* w);
// insertAfter: HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST or a sibling.
void LinkAt(Window* w, HWND insertAfter);
// Owned windows stay above their owner: called after an owner moved up.
void RaiseOwnedAbove(Window* owner);

// ---- Geometry (lock held) ----
RECT FrameInsets(DWORD style, DWORD exStyle);  // left/top/right/bottom widths
RECT ClientRectInWindow(const Window* w);      // client area, window coordinates
POINT ClientOriginOnScreen(const Window* w);
RECT WindowRectOnScreen(const Window* w);
RECT ClientRectOnScreen(const Window* w);

// ---- Queues (lock held) ----
Queue* QueueOf(DWORD threadId);  // null when the thread has none
Queue& CurrentQueue();           // creates the calling thread's queue
void Wake(Queue& q);

// Internal messages: raw input waiting to be turned into key and mouse
// messages when it is retrieved, and a command carried out on a window's own
// thread for another process. They never reach a window procedure.
constexpr UINT kRawKeyMsg = 0xFFF1;
constexpr UINT kRawCharMsg = 0xFFF2;
constexpr UINT kRawStylusMsg = 0xFFF3;  // wParam 1 down, 0 up, kRawHover
constexpr WPARAM kRawHover = 2;
constexpr UINT kRemoteCommandMsg = 0xFFF4;
inline bool IsRawInput(UINT m) {
    return m >= kRawKeyMsg && m <= kRawStylusMsg;
}

// Forgets a window that is going away: pending sends to it return 0, its
// posted messages and timers go, focus, activation and capture let go of
// it, and it leaves the tree and the handle table (lock held).
void CancelSendsTo(HWND hwnd);
void DropWindow(HWND hwnd);

// Calls the window's procedure on this thread (no lock held); 0 for a window
// that is gone or belongs to another thread.
LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues a message for a window or a thread (lock held); false when the
// thread has no queue.
bool PostTo(Queue* q, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Makes another window active when the active one is hidden or destroyed:
// its owner if that can take it, else the topmost visible, enabled
// top-level window of the same thread (no lock held).
void ActivateAnotherThan(HWND leaving);

// Every window of the tree in painting order: top-level windows from the top
// of the z-order, each followed by its descendants (parents before children).
std::vector<HWND> AllWindowsPreOrder();
void CollectPreOrder(const Window* w, std::vector<HWND>* out);

}  // namespace quorvel::win::detail
