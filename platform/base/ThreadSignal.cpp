// Thread signals, thread identities and the per-thread registry.
#include "platform/base/ThreadSignal.h"

#include <poll.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unordered_map>

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/base/ThreadInternal.h"

namespace quorvel {
namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<DWORD, std::weak_ptr<ThreadSignal>> signals;
};

Registry& Threads() {
    static Registry* registry = new Registry;  // outlives every thread
    return *registry;
}

std::atomic<DWORD> g_nextThreadId{1};

std::atomic<void (*)()> g_sentMessageHook{nullptr};

// Long enough for a thread that answers at once to answer, even one that
// has first to wake up (tens of microseconds on an idle machine); a miss
// costs no more than that.
constexpr int64_t kSpinNs = 50'000;
// Hand-offs further apart than this are no exchange worth spinning for.
constexpr int64_t kExchangeNs = 1'000'000;

// When the calling thread last came out of a wait: a kick it gives soon
// after tells the kicked thread that it answers at once once awake.
thread_local int64_t t_wokeNs = 0;

int64_t MonotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

// The calling thread's identity and signal; the signal is released when the
// thread ends, so ThreadSignalOf stops finding it.
struct ThreadSlot {
    DWORD id = 0;
    std::shared_ptr<ThreadSignal> signal;
    ~ThreadSlot() { detail::ReleaseCurrentThreadSignal(); }
};
thread_local ThreadSlot t_slot;

void Register(DWORD id, const std::shared_ptr<ThreadSignal>& signal) {
    Registry& r = Threads();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.signals[id] = signal;
}

}  // namespace

ThreadSignal::ThreadSignal() : m_progress(std::make_shared<detail::WaitProgress>()) {
    m_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_fd < 0) {
        // Without it no thread can wait; this is descriptor exhaustion, not
        // anything the program's input can cause.
        std::perror("quorvel: eventfd for a thread signal");
        std::abort();
    }
}

ThreadSignal::~ThreadSignal() {
    m_progress->alive.store(false);
    detail::NoteWaitProgress();
    close(m_fd);
}

void ThreadSignal::Kick() {
    std::lock_guard<std::mutex> lock(m_mutex);
    const int64_t now = MonotonicNs();
    m_lastKickNs.store(now, std::memory_order_relaxed);
    m_lastKickerBusyNs.store(t_wokeNs != 0 ? now - t_wokeNs : INT64_MAX, std::memory_order_relaxed);
    m_kickPending.store(true, std::memory_order_release);
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(m_fd, &one, sizeof(one));
}

void ThreadSignal::Nudge() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_progress->nudges.fetch_add(1);
    const uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(m_fd, &one, sizeof(one));
}

void ThreadSignal::DrainLocked() {
    uint64_t count = 0;
    [[maybe_unused]] ssize_t n = read(m_fd, &count, sizeof(count));
    m_progress->seen.store(m_progress->nudges.load());
}

bool ThreadSignal::TakeKick() {
    // A kick sets the flag before it writes the eventfd, so a kick missed
    // here still wakes the poll that follows.
    if (!m_kickPending.load(std::memory_order_acquire)) return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_kickPending.load(std::memory_order_relaxed)) return false;
    m_kickPending.store(false, std::memory_order_relaxed);
    DrainLocked();
    return true;
}

// Between looks the core is offered to whoever else is ready: on a busy
// machine that may be the very thread whose kick this one waits for.
bool ThreadSignal::SpinForKick() const {
    const int64_t until = MonotonicNs() + kSpinNs;
    for (unsigned i = 1;; ++i) {
        if (m_kickPending.load(std::memory_order_acquire)) return true;
        if ((i & 15) == 0) {
            if (MonotonicNs() >= until) return false;
            sched_yield();
        }
        CpuRelax();
    }
}

bool ThreadSignal::Wait(uint64_t deadlineMs) {
    return WaitFd(-1, 0, deadlineMs) == Result::kKicked;
}

ThreadSignal::Result ThreadSignal::WaitFd(int fd, short events, uint64_t deadlineMs) {
    const int64_t began = MonotonicNs();
    bool spun = false;
    for (;;) {
        if (TakeKick()) {
            t_wokeNs = MonotonicNs();
            // Spin next time when the kick came soon (one already pending
            // counts), or when it came from a thread that gave it at once
            // after its own wake-up: two threads that both slept pay two
            // wake-ups per hand-off, and would otherwise never see a kick
            // come soon enough to start spinning again.
            const int64_t latency = m_lastKickNs.load(std::memory_order_relaxed) - began;
            const int64_t busy = m_lastKickerBusyNs.load(std::memory_order_relaxed);
            m_spinNext = latency <= kSpinNs || (busy <= kSpinNs && latency <= kExchangeNs);
            return Result::kKicked;
        }
        detail::ClockWait clockWait(*this, deadlineMs);
        int timeout = -1;
        if (!clockWait.Timeout(&timeout)) {
            t_wokeNs = MonotonicNs();
            m_spinNext = false;
            return Result::kDeadline;
        }
        // Only waits for a kick alone spin, and never on the virtual clock,
        // whose waiters must block for time to move.
        if (!spun && m_spinNext && fd < 0 && timeout != 0 && !IsVirtualClock()) {
            spun = true;
            if (SpinForKick()) continue;
        }
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {fd, events, 0}};
        m_progress->blocked.store(true);
        detail::NoteWaitProgress();
        const int r = poll(fds, fd >= 0 ? 2 : 1, timeout);
        // Cleared before the nudge is taken: the clock reads them in the
        // other order to know that this thread has settled.
        m_progress->blocked.store(false);
        if (r < 0 && errno != EINTR) {
            t_wokeNs = MonotonicNs();
            return Result::kError;
        }
        if (r > 0 && (fds[0].revents & POLLIN)) {
            std::lock_guard<std::mutex> lock(m_mutex);
            DrainLocked();  // a pending kick stays in m_kickPending
        }
        if (fd >= 0 && r > 0 && fds[1].revents != 0) {
            t_wokeNs = MonotonicNs();
            return Result::kFdReady;
        }
    }
}

ThreadSignal& CurrentThreadSignal() {
    if (!t_slot.signal) {
        t_slot.signal = std::make_shared<ThreadSignal>();
        Register(GetCurrentThreadId(), t_slot.signal);
    }
    return *t_slot.signal;
}

std::shared_ptr<ThreadSignal> ThreadSignalOf(DWORD threadId) {
    Registry& r = Threads();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.signals.find(threadId);
    return it == r.signals.end() ? nullptr : it->second.lock();
}

void SetSentMessageHook(void (*hook)()) {
    g_sentMessageHook.store(hook);
}

void RunSentMessageHook() {
    if (auto hook = g_sentMessageHook.load()) hook();
}

namespace detail {

DWORD NewThreadId() {
    return g_nextThreadId.fetch_add(1);
}

std::shared_ptr<ThreadSignal> CreateSignalFor(DWORD threadId) {
    auto signal = std::make_shared<ThreadSignal>();
    Register(threadId, signal);
    return signal;
}

void AdoptThread(DWORD threadId, std::shared_ptr<ThreadSignal> signal) {
    t_slot.id = threadId;
    t_slot.signal = std::move(signal);
}

void ReleaseCurrentThreadSignal() {
    if (!t_slot.signal) return;
    {
        Registry& r = Threads();
        std::lock_guard<std::mutex> lock(r.mutex);
        auto it = r.signals.find(t_slot.id);
        if (it != r.signals.end() && it->second.lock() == t_slot.signal) r.signals.erase(it);
    }
    t_slot.signal->Progress()->alive.store(false);
    t_slot.signal.reset();
    NoteWaitProgress();
}

void NudgeAllThreads() {
    std::vector<std::shared_ptr<ThreadSignal>> all;
    {
        Registry& r = Threads();
        std::lock_guard<std::mutex> lock(r.mutex);
        for (auto& [id, weak] : r.signals)
            if (auto s = weak.lock()) all.push_back(s);
    }
    for (auto& s : all) s->Nudge();
}

}  // namespace detail
}  // namespace quorvel

DWORD GetCurrentThreadId() {
    using quorvel::t_slot;
    if (t_slot.id == 0) t_slot.id = quorvel::detail::NewThreadId();
    return t_slot.id;
}
