// Timers on the virtual clock: each elapsed period once, in time order.
#include <atomic>
#include <thread>

#include "tests/platform/win/WinTestSupport.h"

using namespace wintest;

namespace {

class Timers : public WinTest {
  protected:
    std::vector<UINT_PTR> Ticks(HWND h) {
        std::vector<UINT_PTR> ids;
        for (const Entry& e : Log::Get().Of(h, WM_TIMER)) ids.push_back(e.wParam);
        return ids;
    }
};

TEST_F(Timers, OneSecondTimerFiresTenTimesInTenSecondsAdvancedAtOnce) {
    HWND h = Top();
    SetTimer(h, 1, 1000, nullptr);
    quorvel::win::PumpUntilIdle();
    EXPECT_TRUE(Ticks(h).empty());
    quorvel::AdvanceVirtualClock(10000);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Ticks(h).size(), 10u);
    quorvel::AdvanceVirtualClock(999);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Ticks(h).size(), 10u);
}

TEST_F(Timers, OneSecondTimerFiresTenTimesInTenOneSecondSteps) {
    HWND h = Top();
    SetTimer(h, 1, 1000, nullptr);
    for (int i = 0; i < 10; ++i) {
        quorvel::AdvanceVirtualClock(1000);
        quorvel::win::PumpUntilIdle();
        EXPECT_EQ(Ticks(h).size(), static_cast<size_t>(i + 1));
    }
}

TEST_F(Timers, TwoTimersInterleaveInTimeOrder) {
    HWND h = Top();
    SetTimer(h, 3, 300, nullptr);
    SetTimer(h, 5, 500, nullptr);
    quorvel::AdvanceVirtualClock(1500);
    quorvel::win::PumpUntilIdle();
    // 300 500 600 900 1000 1200 1500(3, set first) 1500(5)
    EXPECT_EQ(Ticks(h), (std::vector<UINT_PTR>{3, 5, 3, 3, 5, 3, 3, 5}));
}

TEST_F(Timers, SettingAnExistingIdReplacesItAndKillStopsIt) {
    HWND h = Top();
    SetTimer(h, 1, 1000, nullptr);
    quorvel::AdvanceVirtualClock(900);
    SetTimer(h, 1, 2000, nullptr);  // restarts with the new period
    quorvel::AdvanceVirtualClock(1900);
    quorvel::win::PumpUntilIdle();
    EXPECT_TRUE(Ticks(h).empty());
    quorvel::AdvanceVirtualClock(100);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Ticks(h).size(), 1u);
    EXPECT_TRUE(KillTimer(h, 1));
    EXPECT_FALSE(KillTimer(h, 1));
    quorvel::AdvanceVirtualClock(10000);
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(Ticks(h).size(), 1u);
}

std::vector<std::pair<HWND, UINT_PTR>> g_callbacks;

void CALLBACK HoverProc(HWND h, UINT msg, UINT_PTR id, DWORD) {
    if (msg == WM_TIMER) g_callbacks.emplace_back(h, id);
}

TEST_F(Timers, CallbackTimersCallTheirProcedureNotTheWindow) {
    HWND h = Top();
    g_callbacks.clear();
    SetTimer(h, 1, 50, HoverProc);
    const UINT_PTR threadTimer = SetTimer(nullptr, 0, 100, HoverProc);
    EXPECT_NE(threadTimer, 0u);
    quorvel::AdvanceVirtualClock(100);
    quorvel::win::PumpUntilIdle();
    const std::vector<std::pair<HWND, UINT_PTR>> want{{h, 1}, {h, 1}, {nullptr, threadTimer}};
    EXPECT_EQ(g_callbacks, want);
    EXPECT_TRUE(Ticks(h).empty());
    KillTimer(nullptr, threadTimer);
}

TEST_F(Timers, DestroyedWindowsLoseTheirTimers) {
    HWND h = Top();
    SetTimer(h, 1, 100, nullptr);
    DestroyWindow(h);
    quorvel::AdvanceVirtualClock(1000);
    EXPECT_FALSE(quorvel::win::PumpUntilIdle());
}

TEST_F(Timers, TimersComeAfterPostedMessagesAndPaints) {
    HWND h = Top();
    quorvel::win::PumpUntilIdle();
    SetTimer(h, 1, 100, nullptr);
    quorvel::AdvanceVirtualClock(100);
    InvalidateRect(h, nullptr, FALSE);
    PostMessage(h, WM_USER, 0, 0);
    Log::Get().Take();
    quorvel::win::PumpUntilIdle();
    auto seq = Only(Log::Get().Take(), {WM_USER, WM_PAINT, WM_TIMER});
    const std::vector<std::pair<HWND, UINT>> want{{h, WM_USER}, {h, WM_PAINT}, {h, WM_TIMER}};
    EXPECT_EQ(seq, want);
}

TEST_F(Timers, AWaitingLoopOnAnotherThreadIsWokenByTheClock) {
    std::atomic<int> ticks{0};
    std::atomic<DWORD> tid{0};
    std::thread ui([&] {
        HWND w = CreateWindow(L"Rec", L"ui", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetTimer(w, 1, 1000, nullptr);
        tid = GetCurrentThreadId();
        MSG m;
        while (GetMessage(&m, nullptr, 0, 0))
            if (m.message == WM_TIMER) ++ticks;
        DestroyWindow(w);
    });
    while (!tid) std::this_thread::yield();
    ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
    quorvel::AdvanceVirtualClock(10000);
    EXPECT_EQ(ticks.load(), 10);
    PostThreadMessage(tid, WM_QUIT, 0, 0);
    ui.join();
}

}  // namespace
