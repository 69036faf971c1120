// Message retrieval in the platform's order: messages sent from other
// threads are served first, then posted messages and input in arrival
// order, then WM_QUIT, then WM_PAINT, then WM_TIMER.
#include <algorithm>
#include <atomic>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/win/MessageParts.h"
#include "platform/win/WinInternal.h"

namespace quorvel::win::detail {

bool PassesWindowFilter(HWND hwnd, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
    if (hwnd == filter) return true;
    Window* f = Find(filter);
    Window* w = Find(hwnd);
    return f && w && IsDescendant(f, w);
}

namespace {

std::atomic<quorvel::win::PreTranslateHook> g_preTranslate{nullptr};

bool InRange(UINT msg, UINT lo, UINT hi) {
    return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi);
}

struct Filter {
    HWND hwnd;
    UINT lo;
    UINT hi;
    bool remove;
    bool takeQuit;
};

enum class Step { kFound, kNone, kAgain };

void Remember(Queue& q, const MSG& m) {
    q.lastMessageTime = m.time;
    q.lastMessagePos = m.pt;
}

Step FromPosted(Lock& lock, Queue& q, const Filter& f, MSG* out) {
    for (size_t i = 0; i < q.posted.size(); ++i) {
        const MSG m = q.posted[i];
        if (IsRawInput(m.message)) {
            q.posted.erase(q.posted.begin() + static_cast<ptrdiff_t>(i));
            lock.unlock();
            CookRawInput(m, i);
            return Step::kAgain;
        }
        if (!InRange(m.message, f.lo, f.hi) || !PassesWindowFilter(m.hwnd, f.hwnd)) continue;
        *out = m;
        if (f.remove) q.posted.erase(q.posted.begin() + static_cast<ptrdiff_t>(i));
        Remember(q, m);
        return Step::kFound;
    }
    return Step::kNone;
}

Step Generated(Queue& q, const Filter& f, MSG* out) {
    const MSG base{nullptr, 0, 0, 0, GetTickCount(), S().cursor};
    if (q.quit && f.takeQuit) {
        *out = base;
        out->message = WM_QUIT;
        out->wParam = static_cast<WPARAM>(q.quitCode);
        if (f.remove) q.quit = false;
        return Step::kFound;
    }
    if (InRange(WM_PAINT, f.lo, f.hi)) {
        if (HWND h = FindPaintTarget(q.threadId, f.hwnd)) {
            *out = base;
            out->hwnd = h;
            out->message = WM_PAINT;
            return Step::kFound;
        }
    }
    if (InRange(WM_TIMER, f.lo, f.hi) && TakeDueTimer(q, f.hwnd, f.remove, out)) {
        Remember(q, *out);
        return Step::kFound;
    }
    return Step::kNone;
}

// One look at the queue; false when nothing matches now.
bool Retrieve(const Filter& f, MSG* out) {
    for (;;) {
        ServeSentMessages();
        Lock lock = TakeLock();
        Queue& q = CurrentQueue();
        Step s = FromPosted(lock, q, f, out);
        if (s == Step::kAgain) continue;
        if (s == Step::kFound) return true;
        return Generated(q, f, out) == Step::kFound;
    }
}

thread_local quorvel::win::IdleHook t_idleHook = nullptr;
thread_local bool t_inIdleHook = false;

// The deadline the idle hook asks for; UINT64_MAX without one.
uint64_t CallIdleHook() {
    if (!t_idleHook || t_inIdleHook) return UINT64_MAX;
    t_inIdleHook = true;
    const uint32_t ms = t_idleHook();
    t_inIdleHook = false;
    return ms == UINT32_MAX ? UINT64_MAX : ClockNowMs() + ms;
}

void WaitForMessage(uint64_t idleDeadline) {
    uint64_t deadline;
    {
        Lock lock = TakeLock();
        deadline = NextTimerDue(CurrentQueue());
    }
    CurrentThreadSignal().Wait(std::min(deadline, idleDeadline));
}

// Looks again after the idle hook, which may have posted or injected
// something (a quit posted to the thread itself wakes nobody).
bool RetrieveOrWait(const Filter& f, MSG* out) {
    if (Retrieve(f, out)) return true;
    const uint64_t idleDeadline = CallIdleHook();
    if (Retrieve(f, out)) return true;
    WaitForMessage(idleDeadline);
    return false;
}

}  // namespace
}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1)) {
        Lock lock = TakeLock();
        if (!FindLocal(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return -1;
        }
    }
    const Filter f{hwnd, filterMin, filterMax, true, true};
    while (!RetrieveOrWait(f, msg)) {
    }
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    const Filter f{hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0, true};
    return Retrieve(f, msg) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    MSG m;
    const Filter f{nullptr, 0, 0, false, true};
    while (!RetrieveOrWait(f, &m)) {
    }
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) return 0;
    if (msg->message != WM_PAINT) return Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    {
        Lock lock = TakeLock();
        if (Window* w = FindLocal(msg->hwnd)) w->paintTaken = false;
    }
    const LRESULT r = Deliver(msg->hwnd, WM_PAINT, msg->wParam, msg->lParam);
    Lock lock = TakeLock();
    ValidateAfterUnhandledPaint(msg->hwnd);
    return r;
}

DWORD GetMessageTime() {
    Lock lock = TakeLock();
    return CurrentQueue().lastMessageTime;
}

DWORD GetMessagePos() {
    Lock lock = TakeLock();
    const POINT p = CurrentQueue().lastMessagePos;
    return MAKELONG(p.x, p.y);
}

namespace quorvel::win {

IdleHook SetIdleHook(IdleHook hook) {
    return std::exchange(detail::t_idleHook, hook);
}

PreTranslateHook SetPreTranslateHook(PreTranslateHook hook) {
    return g_preTranslate.exchange(hook);
}

bool PreTranslate(MSG* msg) {
    PreTranslateHook hook = g_preTranslate.load();
    return hook && hook(msg);
}

void DispatchLoopMessage(MSG* msg) {
    if (PreTranslate(msg)) return;
    TranslateMessage(msg);
    DispatchMessage(msg);
}

bool PumpUntilIdle() {
    bool any = false;
    MSG m;
    const Filter f{nullptr, 0, 0, true, false};
    for (;;) {
        if (ServeSentMessages()) any = true;
        if (!Retrieve(f, &m)) return any;
        DispatchLoopMessage(&m);
        any = true;
    }
}

}  // namespace quorvel::win
