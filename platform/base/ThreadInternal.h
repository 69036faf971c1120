// Internals shared by the clock, the thread signals and the threads of this
// library; not for use outside platform/base.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/base/ThreadSignal.h"
#include "platform/base/WinTypes.h"

namespace quorvel::detail {

// What the virtual clock watches to know that a woken thread has settled:
// it has taken the wake-up (seen reached the nudge count) and blocks again,
// or it has ended.
struct WaitProgress {
    std::atomic<bool> blocked{false};
    std::atomic<bool> alive{true};
    std::atomic<uint64_t> nudges{0};
    std::atomic<uint64_t> seen{0};
};

// Tells whoever waits for threads to settle that one blocked, ended, or
// started or stopped waiting on the virtual clock.
void NoteWaitProgress();

// One timed wait of a thread. On the virtual clock it is registered so that
// AdvanceVirtualClock can wake it; on the real clock it only computes the
// poll time-out.
class ClockWait {
  public:
    ClockWait(ThreadSignal& signal, uint64_t deadlineMs);
    ~ClockWait();
    ClockWait(const ClockWait&) = delete;
    ClockWait& operator=(const ClockWait&) = delete;

    // False when the deadline has come; otherwise the poll time-out in ms
    // (-1: wait until woken).
    bool Timeout(int* pollMs) const;

    struct Entry;

  private:
    uint64_t m_deadline;
    bool m_expired = false;
    Entry* m_entry = nullptr;
};

// Thread identities and per-thread signals.
DWORD NewThreadId();
std::shared_ptr<ThreadSignal> CreateSignalFor(DWORD threadId);
void AdoptThread(DWORD threadId, std::shared_ptr<ThreadSignal> signal);
void ReleaseCurrentThreadSignal();
void NudgeAllThreads();

}  // namespace quorvel::detail
