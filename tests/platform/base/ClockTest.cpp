// The virtual clock: sleeps and time-outs wake exactly when a test moves the
// clock past them, and system time follows it.
#include "platform/base/Clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/base/ThreadSignal.h"
#include "platform/testing/WaitUntil.h"

namespace {

SYSTEMTIME Utc(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
    SYSTEMTIME st{};
    st.wYear = y, st.wMonth = mo, st.wDay = d, st.wHour = h, st.wMinute = mi, st.wSecond = s;
    return st;
}

// Joins in bounded real time so that a broken clock fails instead of hanging.
::testing::AssertionResult Finished(HANDLE thread, int realMs = 5000) {
    return quorvel::testing::WaitUntil(
        [thread] {
            DWORD code = STILL_ACTIVE;
            return !GetExitCodeThread(thread, &code) || code != STILL_ACTIVE;
        },
        "the thread to finish", realMs,
        [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); });
}

class VirtualClock : public ::testing::Test {
  protected:
    void SetUp() override { quorvel::UseVirtualClock(Utc(2012, 6, 1, 23, 59, 30), 8 * 60); }
    void TearDown() override { quorvel::UseRealClock(); }
};

std::atomic<bool> g_woke{false};

DWORD SleepOneSecond(LPVOID) {
    Sleep(1000);
    // Real work takes real time; the advance must wait for it.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    g_woke = true;
    return 7;
}

TEST_F(VirtualClock, SleepWakesOnlyWhenTheClockReachesIt) {
    g_woke = false;
    HANDLE thread = CreateThread(nullptr, 0, SleepOneSecond, nullptr, 0, nullptr);
    ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
    quorvel::AdvanceVirtualClock(999);
    // No real time passes for it: the sleeper stays asleep however long.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(g_woke);
    EXPECT_EQ(quorvel::VirtualClockWaiterCount(), 1);
    quorvel::AdvanceVirtualClock(1);
    EXPECT_TRUE(g_woke);  // the advance returns once the woken thread settled
    ASSERT_TRUE(Finished(thread));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    CloseHandle(thread);
}

TEST_F(VirtualClock, OneAdvanceRunsEveryPauseOfASleepLoopInOrder) {
    std::vector<uint64_t> wakes;
    std::atomic<bool> done{false};
    const uint64_t start = quorvel::ClockNowMs();
    std::thread sleeper([&] {
        for (int i = 0; i < 10; ++i) {
            Sleep(100);
            wakes.push_back(quorvel::ClockNowMs() - start);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));  // work between pauses
        }
        done = true;
    });
    ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
    quorvel::AdvanceVirtualClock(1000);
    EXPECT_TRUE(done) << "pauses left after one advance";
    while (!done) quorvel::AdvanceVirtualClock(1000);  // release it anyway
    sleeper.join();
    ASSERT_EQ(wakes.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(wakes[i], 100u * (i + 1));
}

TEST_F(VirtualClock, DriverThreadSleepMovesTheClockForEveryone) {
    std::vector<uint64_t> wakes;
    const uint64_t start = quorvel::ClockNowMs();
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            Sleep(300);
            wakes.push_back(quorvel::ClockNowMs() - start);
        }
    });
    ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
    quorvel::SetVirtualClockDriver(GetCurrentThreadId());
    Sleep(1000);  // would never return without the driver setting
    quorvel::SetVirtualClockDriver(0);
    EXPECT_EQ(quorvel::ClockNowMs() - start, 1000u);
    worker.join();
    EXPECT_EQ(wakes, (std::vector<uint64_t>{300, 600, 900}));
}

TEST_F(VirtualClock, EventWaitTimesOutOnTheVirtualClock) {
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::atomic<DWORD> result{0xDEAD};
    std::thread waiter([&] { result = WaitForSingleObject(event, 500); });
    ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
    quorvel::AdvanceVirtualClock(499);
    EXPECT_EQ(result.load(), 0xDEADu);
    quorvel::AdvanceVirtualClock(1);
    waiter.join();
    EXPECT_EQ(result.load(), WAIT_TIMEOUT);
    CloseHandle(event);
}

TEST_F(VirtualClock, WallClockFollowsStartAndAdvances) {
    SYSTEMTIME local{};
    SYSTEMTIME utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    EXPECT_EQ(utc.wHour, 23);
    EXPECT_EQ(utc.wDay, 1);
    EXPECT_EQ(local.wDay, 2);  // eight hours ahead crosses midnight
    EXPECT_EQ(local.wHour, 7);
    EXPECT_EQ(local.wMinute, 59);
    EXPECT_EQ(local.wSecond, 30);
    const DWORD ticks = GetTickCount();
    quorvel::AdvanceVirtualClock(45250);
    EXPECT_EQ(GetTickCount() - ticks, 45250u);
    GetLocalTime(&local);
    GetSystemTime(&utc);
    EXPECT_EQ(utc.wYear, 2012);
    EXPECT_EQ(utc.wMonth, 6);
    EXPECT_EQ(utc.wDay, 2);
    EXPECT_EQ(utc.wDayOfWeek, 6);  // a Saturday
    EXPECT_EQ(utc.wHour, 0);
    EXPECT_EQ(utc.wMinute, 0);
    EXPECT_EQ(utc.wSecond, 15);
    EXPECT_EQ(utc.wMilliseconds, 250);
    EXPECT_EQ(local.wHour, 8);
    EXPECT_EQ(local.wMinute, 0);
    EXPECT_EQ(local.wSecond, 15);
}

TEST(ClockCalendar, SystemTimeConversions) {
    SYSTEMTIME st = Utc(2012, 6, 1, 0, 0, 0);
    EXPECT_EQ(quorvel::SystemTimeToUnixMs(st), 1338508800000LL);
    st = quorvel::UnixMsToSystemTime(-1);
    EXPECT_EQ(st.wYear, 1969);
    EXPECT_EQ(st.wMilliseconds, 999);
    st = Utc(2012, 13, 1, 0, 0, 0);  // carried into the next year
    EXPECT_EQ(quorvel::UnixMsToSystemTime(quorvel::SystemTimeToUnixMs(st)).wYear, 2013);
}

TEST(RealClock, SleepKeepsAKickForTheNextWait) {
    ASSERT_FALSE(quorvel::IsVirtualClock());
    quorvel::ThreadSignal& signal = quorvel::CurrentThreadSignal();
    signal.Kick();
    Sleep(2);
    EXPECT_TRUE(signal.Wait(0));
    EXPECT_FALSE(signal.Wait(0));
    GetSystemTime(nullptr);  // tolerated
}

}  // namespace
