// Timers on the active clock.
//
// Each timer remembers when its next period ends. On the virtual clock every
// elapsed period is delivered once, in time order across timers: a test
// that advances the clock by 10 s in one step stands for ten idle seconds in
// which the device would have delivered ten ticks of a 1-s timer. On the real
// clock periods missed while the thread was busy coalesce into one tick, as
// on the device, so a long blocking operation does not produce a burst.
#include <algorithm>

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/win/MessageParts.h"

namespace quorvel::win::detail {
namespace {

// The device's shortest timer period.
constexpr UINT kMinPeriodMs = 10;

Queue* TimerQueue(HWND hwnd) {
    if (!hwnd) return &CurrentQueue();
    Window* w = FindLocal(hwnd);
    if (!w) return nullptr;
    return w->threadId == GetCurrentThreadId() ? &CurrentQueue() : QueueOf(w->threadId);
}

Timer* FindTimer(Queue& q, HWND hwnd, UINT_PTR id) {
    for (Timer& t : q.timers)
        if (t.hwnd == hwnd && t.id == id) return &t;
    return nullptr;
}

bool Earlier(const Timer& a, const Timer& b) {
    return a.due != b.due ? a.due < b.due : a.seq < b.seq;
}

}  // namespace

bool TakeDueTimer(Queue& q, HWND filter, bool remove, MSG* out) {
    const uint64_t now = ClockNowMs();
    Timer* best = nullptr;
    for (Timer& t : q.timers) {
        if (t.due > now || !PassesWindowFilter(t.hwnd, filter)) continue;
        if (!best || Earlier(t, *best)) best = &t;
    }
    if (!best) return false;
    *out = MSG{best->hwnd,     WM_TIMER,  best->id, reinterpret_cast<LPARAM>(best->proc),
               GetTickCount(), S().cursor};
    if (!remove) return true;
    best->due += best->period;
    if (!IsVirtualClock() && best->due <= now)
        best->due += (now - best->due) / best->period * best->period + best->period;
    return true;
}

uint64_t NextTimerDue(const Queue& q) {
    // A timer already due was left by the caller's filter: it must not turn
    // the wait into a spin.
    const uint64_t now = ClockNowMs();
    uint64_t next = UINT64_MAX;
    for (const Timer& t : q.timers)
        if (t.due > now) next = std::min(next, t.due);
    return next;
}

}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    Lock lock = TakeLock();
    Queue* q = TimerQueue(hwnd);
    if (!q) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    Timer* t = FindTimer(*q, hwnd, id);
    if (!t) {
        // A thread timer (no window) gets an id of its own unless it names an
        // existing one.
        if (!hwnd) id = S().nextTimerId++;
        q->timers.push_back(Timer{hwnd, id, 0, nullptr, 0, ++S().timerSeq});
        t = &q->timers.back();
    }
    t->period = std::max(elapseMs, kMinPeriodMs);
    t->proc = proc;
    t->due = quorvel::ClockNowMs() + t->period;
    Wake(*q);
    return hwnd && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    Lock lock = TakeLock();
    Queue* q = TimerQueue(hwnd);
    if (!q) return FALSE;
    auto& timers = q->timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}
