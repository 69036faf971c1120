// The real and the virtual clock, the registry of timed waits on the virtual
// clock, and the stepping of AdvanceVirtualClock.
#include "platform/base/Clock.h"

#include <chrono>
#include <climits>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/base/ThreadInternal.h"
#include "platform/base/ThreadSignal.h"

namespace quorvel::detail {

struct ClockWait::Entry {
    ThreadSignal* signal;
    uint64_t deadline;
    bool nudged;
};

}  // namespace quorvel::detail

namespace {

using quorvel::detail::ClockWait;
using quorvel::detail::WaitProgress;

struct ClockState {
    std::mutex mutex;  // guards everything below that is not atomic
    std::atomic<bool> isVirtual{false};
    std::atomic<uint64_t> virtualNow{0};
    int64_t wallBaseMs = 0;  // virtual UTC, in Unix ms, at virtual time wallBaseAt
    uint64_t wallBaseAt = 0;
    int localOffsetMin = 0;
    std::vector<ClockWait::Entry*> waiters;
    std::atomic<int> pendingWaiters{0};  // registered and not yet woken
    std::atomic<DWORD> driver{0};        // thread whose Sleep advances the clock

    std::mutex advanceMutex;  // one advance at a time
    std::mutex settleMutex;
    std::condition_variable settleCv;
    std::atomic<int> watchers{0};
};

ClockState& State() {
    static ClockState* state = new ClockState;  // outlives every thread
    return *state;
}

uint64_t RealNowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int64_t RealUnixMs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Waits (bounded in real time) until `ready` holds, re-checked whenever a
// thread reports progress.
template <typename Pred>
bool WaitForProgress(uint32_t limitMs, Pred ready) {
    ClockState& s = State();
    s.watchers.fetch_add(1);
    bool ok;
    {
        std::unique_lock<std::mutex> lock(s.settleMutex);
        ok = s.settleCv.wait_for(lock, std::chrono::milliseconds(limitMs), ready);
    }
    s.watchers.fetch_sub(1);
    return ok;
}

struct Woken {
    std::shared_ptr<WaitProgress> progress;
    uint64_t nudge;
};

// A woken thread has settled once it has taken its nudge and blocked again.
// The thread clears `blocked` before it takes the nudge, so `seen` must be
// read first: read the other way round, a thread that wakes between the two
// reads looks blocked and done while it runs, and the clock would move on
// without it (its next pause would start late, past the time the caller
// moves the clock to).
bool Settled(const Woken& w) {
    if (!w.progress->alive.load()) return true;
    const bool tookNudge = w.progress->seen.load() >= w.nudge;
    return tookNudge && w.progress->blocked.load();
}

// One step: moves to the earliest deadline not beyond `target` and wakes
// the waiters it reaches. Returns the threads woken.
std::vector<Woken> Step(uint64_t target) {
    ClockState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    uint64_t next = target;
    for (auto* w : s.waiters)
        if (!w->nudged && w->deadline < next) next = w->deadline;
    if (next > s.virtualNow.load()) s.virtualNow.store(next);
    std::vector<Woken> woken;
    for (auto* w : s.waiters) {
        if (w->nudged || w->deadline > s.virtualNow.load()) continue;
        w->nudged = true;
        s.pendingWaiters.fetch_sub(1);
        w->signal->Nudge();
        woken.push_back({w->signal->Progress(), w->signal->Progress()->nudges.load()});
    }
    return woken;
}

}  // namespace

namespace quorvel::detail {

void NoteWaitProgress() {
    ClockState& s = State();
    if (s.watchers.load() == 0) return;
    std::lock_guard<std::mutex> lock(s.settleMutex);
    s.settleCv.notify_all();
}

ClockWait::ClockWait(ThreadSignal& signal, uint64_t deadlineMs) : m_deadline(deadlineMs) {
    if (deadlineMs == UINT64_MAX) return;
    ClockState& s = State();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.isVirtual.load()) return;
        if (s.virtualNow.load() >= deadlineMs) {
            m_expired = true;
            return;
        }
        m_entry = new Entry{&signal, deadlineMs, false};
        s.waiters.push_back(m_entry);
        s.pendingWaiters.fetch_add(1);
    }
    NoteWaitProgress();
}

ClockWait::~ClockWait() {
    if (!m_entry) return;
    ClockState& s = State();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        std::erase(s.waiters, m_entry);
        if (!m_entry->nudged) s.pendingWaiters.fetch_sub(1);
    }
    delete m_entry;
    NoteWaitProgress();
}

bool ClockWait::Timeout(int* pollMs) const {
    *pollMs = -1;
    if (m_deadline == UINT64_MAX) return true;
    if (m_expired) return false;
    if (m_entry) return State().virtualNow.load() < m_deadline;
    const uint64_t now = RealNowMs();
    if (now >= m_deadline) return false;
    const uint64_t left = m_deadline - now;
    *pollMs = left > static_cast<uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(left);
    return true;
}

}  // namespace quorvel::detail

namespace quorvel {

uint64_t ClockNowMs() {
    ClockState& s = State();
    return s.isVirtual.load() ? s.virtualNow.load() : RealNowMs();
}

bool IsVirtualClock() {
    return State().isVirtual.load();
}

void UseVirtualClock(const SYSTEMTIME& startUtc, int localOffsetMinutes) {
    ClockState& s = State();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.wallBaseMs = SystemTimeToUnixMs(startUtc);
        s.wallBaseAt = s.virtualNow.load();
        s.localOffsetMin = localOffsetMinutes;
        s.isVirtual.store(true);
    }
    detail::NudgeAllThreads();
}

void UseRealClock() {
    ClockState& s = State();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.isVirtual.store(false);
        for (auto* w : s.waiters) w->signal->Nudge();
    }
    detail::NudgeAllThreads();
}

void AdvanceVirtualClock(uint64_t ms) {
    ClockState& s = State();
    std::lock_guard<std::mutex> serial(s.advanceMutex);
    if (!s.isVirtual.load()) return;
    const uint64_t now = s.virtualNow.load();
    const uint64_t target = ms > UINT64_MAX - now ? UINT64_MAX : now + ms;
    for (;;) {
        std::vector<Woken> woken = Step(target);
        if (woken.empty()) break;
        WaitForProgress(kSettleLimitMs, [&] {
            for (const Woken& w : woken)
                if (!Settled(w)) return false;
            return true;
        });
    }
}

void SetVirtualClockDriver(DWORD threadId) {
    State().driver.store(threadId);
}

int VirtualClockWaiterCount() {
    return State().pendingWaiters.load();
}

bool WaitForVirtualClockWaiters(int count, uint32_t realTimeoutMs) {
    return WaitForProgress(realTimeoutMs, [&] { return State().pendingWaiters.load() >= count; });
}

int64_t SystemTimeToUnixMs(const SYSTEMTIME& st) {
    std::tm tm{};
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    return static_cast<int64_t>(timegm(&tm)) * 1000 + st.wMilliseconds;
}

SYSTEMTIME UnixMsToSystemTime(int64_t ms) {
    int64_t secs = ms / 1000;
    int64_t rem = ms % 1000;
    if (rem < 0) rem += 1000, secs -= 1;
    const time_t t = static_cast<time_t>(secs);
    std::tm tm{};
    gmtime_r(&t, &tm);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(tm.tm_year + 1900);
    st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    st.wDay = static_cast<WORD>(tm.tm_mday);
    st.wHour = static_cast<WORD>(tm.tm_hour);
    st.wMinute = static_cast<WORD>(tm.tm_min);
    st.wSecond = static_cast<WORD>(tm.tm_sec);
    st.wMilliseconds = static_cast<WORD>(rem);
    return st;
}

}  // namespace quorvel

namespace {

// The wall clock in Unix ms, UTC, and the local offset in minutes.
int64_t WallUtcMs(int* offsetMin) {
    ClockState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.isVirtual.load()) {
        *offsetMin = s.localOffsetMin;
        return s.wallBaseMs + static_cast<int64_t>(s.virtualNow.load() - s.wallBaseAt);
    }
    const int64_t now = RealUnixMs();
    const time_t t = static_cast<time_t>(now / 1000);
    std::tm local{};
    localtime_r(&t, &local);
    *offsetMin = static_cast<int>(local.tm_gmtoff / 60);
    return now;
}

}  // namespace

DWORD GetTickCount() {
    return static_cast<DWORD>(quorvel::ClockNowMs());
}

void Sleep(DWORD ms) {
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    if (quorvel::IsVirtualClock() && ms != INFINITE &&
        State().driver.load() == GetCurrentThreadId()) {
        quorvel::AdvanceVirtualClock(ms);
        return;
    }
    quorvel::ThreadSignal& signal = quorvel::CurrentThreadSignal();
    const uint64_t deadline = ms == INFINITE ? UINT64_MAX : quorvel::ClockNowMs() + ms;
    bool kicked = false;
    while (signal.Wait(deadline)) kicked = true;
    // A kick that came during the sleep belongs to a later wait of this
    // thread (its message loop): hand it back.
    if (kicked) signal.Kick();
}

void GetSystemTime(SYSTEMTIME* st) {
    if (!st) return;
    int offset = 0;
    *st = quorvel::UnixMsToSystemTime(WallUtcMs(&offset));
}

void GetLocalTime(SYSTEMTIME* st) {
    if (!st) return;
    int offset = 0;
    const int64_t utc = WallUtcMs(&offset);
    *st = quorvel::UnixMsToSystemTime(utc + static_cast<int64_t>(offset) * 60000);
}
