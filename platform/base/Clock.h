// The one clock of the program: Sleep, tick counts, system time, time-outs
// and timers all read it.
//
// The program runs on the real clock. Tests switch to a virtual clock that
// moves only when the test moves it: on it nothing waits in real time, so
// Sleep(1000) returns once the test has advanced the clock by 1000 ms, and a
// 10-second watchdog costs no real time.
//
// AdvanceVirtualClock moves in steps, from one waiting thread's deadline to
// the next: at each step it wakes the threads whose deadline has come and
// lets them run until they wait again (or end) before it goes on, so a
// thread that sleeps in a loop sees every one of its pauses, in order, as it
// would in real time. A woken thread that blocks outside this layer's waits
// holds a step up for at most kSettleLimitMs of real time.
//
// Switch clocks only while no thread is waiting on the clock: a deadline is
// a time on the clock that was active when it was taken.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"

// Milliseconds since the clock started, wrapping after 49.7 days as on the
// device.
DWORD GetTickCount();
// Suspends the calling thread for `ms` on the active clock. Sleep(0) only
// yields. Messages sent to the thread are not served while it sleeps.
void Sleep(DWORD ms);
void GetLocalTime(SYSTEMTIME* st);
void GetSystemTime(SYSTEMTIME* st);

namespace quorvel {

// Monotonic milliseconds of the active clock; deadlines are given in it.
uint64_t ClockNowMs();
bool IsVirtualClock();

// Switches to the virtual clock with the wall clock at `startUtc` (UTC) and
// local time `localOffsetMinutes` ahead of UTC. The virtual monotonic time
// never goes back, also when this is called again.
void UseVirtualClock(const SYSTEMTIME& startUtc, int localOffsetMinutes = 0);
void UseRealClock();

// Moves virtual time forward by `ms` and wakes, step by step, every waiter
// whose deadline has passed (see above). Does nothing on the real clock.
void AdvanceVirtualClock(uint64_t ms);

// Opt-in for tests whose own thread runs program code that sleeps (a
// close that pauses 1000 ms on the UI thread): Sleep on the driver thread
// advances the virtual clock itself, as AdvanceVirtualClock(ms) would, so it
// neither hangs nor skips other threads' pauses. 0 (the default) means no
// driver: every Sleep waits for a test to move the clock.
void SetVirtualClockDriver(DWORD threadId);

// For tests: how many threads wait on the virtual clock with a deadline
// now, and a bounded real-time wait until at least `count` do (true when
// they do), so that a test advances the clock only once a thread sleeps.
int VirtualClockWaiterCount();
bool WaitForVirtualClockWaiters(int count, uint32_t realTimeoutMs = 5000);

// Real time one step of AdvanceVirtualClock grants woken threads to settle.
inline constexpr uint32_t kSettleLimitMs = 2000;

// Calendar helpers shared with the file layer: SYSTEMTIME to and from
// milliseconds since 1970-01-01 UTC. The day of week is computed; fields
// out of range are carried over (month 13 is January of the next year).
int64_t SystemTimeToUnixMs(const SYSTEMTIME& st);
SYSTEMTIME UnixMsToSystemTime(int64_t ms);

}  // namespace quorvel
