// Queues, posting, sending within and across threads, nested loops,
// destroyed targets, joins and broadcast.
#include <atomic>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/ThreadSignal.h"
#include "tests/platform/win/WinTestSupport.h"

using namespace wintest;

namespace {

class Messages : public WinTest {};

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kNest = WM_APP + 1;

TEST_F(Messages, SameThreadSendCallsTheProcedureDirectly) {
    HWND h = Top();
    Log::Get().On(h, kPing, [](HWND, UINT, WPARAM wp, LPARAM lp) { return LRESULT(wp + lp); });
    EXPECT_EQ(SendMessage(h, kPing, 40, 2), 42);
    MSG m;
    EXPECT_FALSE(PeekMessage(&m, nullptr, kPing, kPing, PM_NOREMOVE));
}

TEST_F(Messages, PostedInOrderAndQuitOnlyAfterTheQueueEmpties) {
    HWND h = Top();
    quorvel::win::PumpUntilIdle();
    PostMessage(h, kPing, 1, 0);
    PostQuitMessage(7);
    PostMessage(h, kPing, 2, 0);
    PostThreadMessage(GetCurrentThreadId(), kPing, 3, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(m.wParam, 1u);  // not removed: seen again
    std::vector<WPARAM> got;
    while (GetMessage(&m, nullptr, 0, 0)) got.push_back(m.wParam);
    EXPECT_EQ(got, (std::vector<WPARAM>{1, 2, 3}));
    EXPECT_EQ(m.message, UINT{WM_QUIT});
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_FALSE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, FiltersLeaveOtherMessagesQueued) {
    HWND a = Top();
    HWND b = Top();
    quorvel::win::PumpUntilIdle();
    PostMessage(a, kPing, 1, 0);
    PostMessage(b, kPing + 1, 2, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.wParam, 2u);
    EXPECT_FALSE(PeekMessage(&m, nullptr, kPing + 1, kPing + 1, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.hwnd, a);
}

// Runs a message loop on this thread until *done; each kNest message
// handled opens one more loop inside it, as nested modal dialogs do. Odd
// levels use GetMessage, even ones the idle-time shape PeekMessage then
// WaitMessage.
void NestedLoop(const std::atomic<bool>* done, int level) {
    MSG m;
    if (level % 2) {
        while (!done->load() && GetMessage(&m, nullptr, 0, 0))
            quorvel::win::DispatchLoopMessage(&m);
        return;
    }
    while (!done->load()) {
        if (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
            quorvel::win::DispatchLoopMessage(&m);
        else
            WaitMessage();
    }
}

TEST_F(Messages, WorkerSendsAreServedInOrderInsideLoopsNestedFourDeep) {
    HWND h = Top();
    const DWORD ui = GetCurrentThreadId();
    constexpr int kCount = 10000;
    std::atomic<bool> done{false};
    int depth = 0, maxDepth = 0, next = 0, wrongThread = 0, outOfOrder = 0;
    Log::Get().On(h, kNest, [&](HWND w, UINT, WPARAM, LPARAM) {
        maxDepth = std::max(maxDepth, ++depth);
        if (depth < 4) PostMessage(w, kNest, 0, 0);
        NestedLoop(&done, depth + 1);
        --depth;
        return LRESULT{0};
    });
    Log::Get().On(h, kPing, [&](HWND, UINT, WPARAM wp, LPARAM) {
        if (GetCurrentThreadId() != ui) ++wrongThread;
        if (static_cast<int>(wp) != next++) ++outOfOrder;
        if (next == kCount) {
            done = true;
            PostMessage(h, WM_NULL, 0, 0);  // lets every loop look at `done` again
        }
        return LRESULT(wp + 1);
    });
    std::atomic<int> badReplies{0};
    quorvel::CWorkerThread worker;
    worker.Start([&]() -> DWORD {
        for (int i = 0; i < kCount; ++i)
            if (SendMessage(h, kPing, static_cast<WPARAM>(i), 0) != i + 1) ++badReplies;
        return 0;
    });
    PostMessage(h, kNest, 0, 0);
    NestedLoop(&done, 1);
    worker.Join();
    EXPECT_EQ(maxDepth, 4);
    EXPECT_EQ(next, kCount);
    EXPECT_EQ(wrongThread, 0);
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(badReplies.load(), 0);
}

// On the real clock, where both threads spin briefly before they sleep: a
// reader's message per byte arrives whole and in order while the window's
// thread runs nested loops, and once the window is destroyed under the
// stream every later send returns 0 at once; none is lost, none hangs.
TEST_F(Messages, AStreamOfSendsOnTheRealClockArrivesInOrderAndEndsWithItsWindow) {
    quorvel::UseRealClock();
    HWND h = Top();
    constexpr int kCount = 40000;
    constexpr int kDestroyAfter = 25000;
    std::atomic<bool> done{false};
    int depth = 0, next = 0, outOfOrder = 0;
    Log::Get().On(h, kNest, [&](HWND w, UINT, WPARAM, LPARAM) {
        if (++depth < 4) PostMessage(w, kNest, 0, 0);
        NestedLoop(&done, depth + 1);
        --depth;
        return LRESULT{0};
    });
    Log::Get().On(h, kPing, [&](HWND w, UINT, WPARAM wp, LPARAM) {
        if (static_cast<int>(wp) != next++) ++outOfOrder;
        if (next == kDestroyAfter) {
            done = true;
            PostMessage(w, WM_NULL, 0, 0);
        }
        return LRESULT(wp + 1);
    });
    std::atomic<int> badReplies{0}, zeros{0};
    quorvel::CWorkerThread worker;
    worker.Start([&]() -> DWORD {
        for (int i = 0; i < kCount; ++i) {
            const LRESULT r = SendMessage(h, kPing, static_cast<WPARAM>(i), 0);
            if (r == 0)
                ++zeros;
            else if (r != i + 1 || zeros > 0)
                ++badReplies;
        }
        return 0;
    });
    PostMessage(h, kNest, 0, 0);
    NestedLoop(&done, 1);
    DestroyWindow(h);
    worker.Join();
    EXPECT_GE(next, kDestroyAfter);
    EXPECT_EQ(next + zeros.load(), kCount);
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(badReplies.load(), 0);
}

TEST_F(Messages, SendToADestroyedWindowReturnsZeroAtOnce) {
    HWND h = Top();
    DestroyWindow(h);
    std::atomic<LRESULT> result{-1};
    std::thread t([&] { result = SendMessage(h, kPing, 1, 1); });
    t.join();  // would hang if the send waited for a reply
    EXPECT_EQ(result.load(), 0);
}

TEST_F(Messages, PendingSendReturnsZeroWhenItsTargetIsDestroyed) {
    HWND h = Top();
    quorvel::win::PumpUntilIdle();
    quorvel::CurrentThreadSignal().Wait(0);  // drop a stale kick
    std::atomic<LRESULT> result{-1};
    quorvel::CWorkerThread worker;
    worker.Start([&]() -> DWORD {
        result = SendMessage(h, kPing, 1, 1);
        return 0;
    });
    // The worker's send kicks this thread once it is queued; this thread
    // then destroys the window without ever serving the send.
    quorvel::CurrentThreadSignal().Wait(UINT64_MAX);
    DestroyWindow(h);
    worker.Join();
    EXPECT_EQ(result.load(), 0);
    EXPECT_TRUE(Log::Get().Of(h, kPing).empty());
}

TEST_F(Messages, JoiningAWorkerBlockedInSendToTheJoinerFinishes) {
    HWND h = Top();
    std::atomic<int> handledHere{0};
    const DWORD ui = GetCurrentThreadId();
    Log::Get().On(h, kPing, [&](HWND, UINT, WPARAM, LPARAM) {
        if (GetCurrentThreadId() == ui) ++handledHere;
        return LRESULT{1};
    });
    quorvel::CWorkerThread worker;
    worker.Start([&]() -> DWORD {
        DWORD sum = 0;
        for (int i = 0; i < 100; ++i) sum += static_cast<DWORD>(SendMessage(h, kPing, 0, 0));
        return sum;
    });
    EXPECT_EQ(worker.Join(), 100u);  // no pumping here: the join serves the sends
    EXPECT_EQ(handledHere.load(), 100);
}

TEST_F(Messages, ThreadsSendingToEachOtherDoNotDeadlock) {
    HWND mine = Top();
    std::atomic<HWND> theirs{nullptr};
    std::atomic<bool> stop{false};
    std::thread other([&] {
        HWND w =
            CreateWindow(L"Rec", L"other", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        Log::Get().On(w, kPing, [&](HWND, UINT, WPARAM, LPARAM) {
            return SendMessage(mine, kPing + 1, 0, 0) + 1;  // back to the first thread
        });
        theirs = w;
        MSG m;
        while (!stop && GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
        DestroyWindow(w);
    });
    Log::Get().On(mine, kPing + 1, [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{41}; });
    while (!theirs) std::this_thread::yield();
    EXPECT_EQ(SendMessage(theirs, kPing, 0, 0), 42);
    stop = true;
    PostMessage(theirs, WM_NULL, 0, 0);
    other.join();
}

TEST_F(Messages, WindowsOfAnEndedThreadAreGone) {
    HWND w = nullptr;
    std::thread([&] {
        w = CreateWindow(L"Rec", L"gone", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }).join();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(SendMessage(w, kPing, 0, 0), 0);
}

TEST_F(Messages, BroadcastReachesEveryTopLevelWindowIncludingOwnedAndDisabled) {
    HWND main = Top();
    HWND owned = Top(WS_POPUP | WS_VISIBLE, {0, 0, 10, 10}, main);
    HWND hidden = Top(WS_DISABLED);
    HWND child = Child(main, {0, 0, 5, 5});
    SendMessage(HWND_BROADCAST, 0xFB8, 0, 1);
    for (HWND h : {main, owned, hidden}) EXPECT_EQ(Log::Get().Of(h, 0xFB8).size(), 1u);
    EXPECT_TRUE(Log::Get().Of(child, 0xFB8).empty());
    PostMessage(HWND_BROADCAST, 0xFB9, 0, 0);
    quorvel::win::PumpUntilIdle();
    for (HWND h : {main, owned, hidden}) EXPECT_EQ(Log::Get().Of(h, 0xFB9).size(), 1u);
}

TEST_F(Messages, ThreadMessagesNeedAQueue) {
    EXPECT_FALSE(PostThreadMessage(0x7FFFFFFF, kPing, 0, 0));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_THREAD_ID});
}

TEST_F(Messages, PreTranslateHookSeesMessagesBeforeDispatch) {
    HWND h = Top();
    static HWND swallowFor = nullptr;
    swallowFor = h;
    auto previous = quorvel::win::SetPreTranslateHook(
        [](MSG* m) { return m->hwnd == swallowFor && m->message == kPing; });
    PostMessage(h, kPing, 0, 0);
    PostMessage(h, kPing + 1, 0, 0);
    quorvel::win::PumpUntilIdle();
    quorvel::win::SetPreTranslateHook(previous);
    EXPECT_TRUE(Log::Get().Of(h, kPing).empty());
    EXPECT_EQ(Log::Get().Of(h, kPing + 1).size(), 1u);
}

}  // namespace
