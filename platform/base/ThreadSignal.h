// ThreadSignal: the one blocking primitive every waiting thread uses, so that
// waits, sent messages, clock advances and port closes can all wake a thread.
//
// Each thread has one (CurrentThreadSignal). Another thread Kicks it to say
// "look at your state again"; a kick is never lost: it stays pending until
// the owner's next Wait consumes it. Waiters therefore check their condition
// first and Wait only when there is nothing to do, and must accept a wake
// with nothing new (a kick meant for another of the thread's waits).
//
// Two threads handing work back and forth (a reader sending a message per
// byte, the window's thread answering each) would put each other to sleep
// and wake each other for every hand-off, which costs far more than the
// work. So a wait for a kick on the real clock first spins up to 50 us,
// offering the core to other threads between looks, when the thread's last
// wait was ended by a kick that came that soon, or by one its kicker gave
// within 50 us of its own wake-up; a thread whose kicks come later, or not
// at all, goes straight to sleep, so an idle or slowly fed thread burns
// nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/base/WinTypes.h"

namespace quorvel {

namespace detail {
struct WaitProgress;
}

class ThreadSignal {
  public:
    ThreadSignal();
    ~ThreadSignal();
    ThreadSignal(const ThreadSignal&) = delete;
    ThreadSignal& operator=(const ThreadSignal&) = delete;

    // Wakes the owning thread, now or at its next Wait.
    void Kick();
    // Blocks until kicked (true) or the active clock reaches deadlineMs
    // (false); UINT64_MAX waits without a deadline. Consumes the pending kick.
    bool Wait(uint64_t deadlineMs);
    // An eventfd that is readable while a kick is pending, for poll() loops;
    // after it polls readable, Wait(0) consumes the kick (true) or finds it
    // was only a clock wake-up (false).
    int Fd() const { return m_fd; }

    // Wait that also watches one descriptor (a serial port): the port is
    // ready, the thread was kicked, or the deadline on the active clock came.
    // A pending kick is reported first; kFdReady leaves it pending.
    enum class Result { kKicked, kFdReady, kDeadline, kError };
    Result WaitFd(int fd, short events, uint64_t deadlineMs);

    // Used by the clock: wakes the owner to look at the time again, without
    // a kick.
    void Nudge();
    const std::shared_ptr<detail::WaitProgress>& Progress() const { return m_progress; }

  private:
    bool TakeKick();
    void DrainLocked();
    // Spins until a kick is pending (true) or the spin time is over.
    bool SpinForKick() const;

    std::mutex m_mutex;
    std::atomic<bool> m_kickPending{false};
    std::atomic<int64_t> m_lastKickNs{0};  // monotonic time of the latest kick
    // How long its kicker had been awake when it gave it.
    std::atomic<int64_t> m_lastKickerBusyNs{INT64_MAX};
    bool m_spinNext = false;  // the owner's next wait spins first
    int m_fd = -1;
    std::shared_ptr<detail::WaitProgress> m_progress;
};

// The calling thread's signal, created on first use.
ThreadSignal& CurrentThreadSignal();
// The signal of a live thread of this process; null when the thread is gone
// or never used its signal.
std::shared_ptr<ThreadSignal> ThreadSignalOf(DWORD threadId);

// The window layer installs the function that serves messages sent to the
// calling thread by other threads. Blocking waits on threads and events call
// it each time they wake, so a thread joining a worker keeps serving that
// worker's SendMessage. Sleep does not.
void SetSentMessageHook(void (*hook)());
void RunSentMessageHook();

}  // namespace quorvel
