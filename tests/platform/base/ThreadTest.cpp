// Threads, events, handles, thread signals and the sent-message hook.
#include "platform/base/Thread.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/ThreadSignal.h"

namespace {

using quorvel::ClockNowMs;
using quorvel::CurrentThreadSignal;
using quorvel::ThreadSignal;

struct Gate {
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    DWORD seenId = 0;
};

DWORD WaitAtGate(LPVOID p) {
    auto* gate = static_cast<Gate*>(p);
    gate->seenId = GetCurrentThreadId();
    WaitForSingleObject(gate->event, INFINITE);
    return 42;
}

TEST(Threads, JoinGivesExitCodeAndThreadId) {
    Gate gate;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitAtGate, &gate, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, GetCurrentThreadId());
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(SetEvent(gate.event));
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(gate.seenId, id);
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(quorvel::ThreadSignalOf(id), nullptr);  // gone with the thread
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_TRUE(CloseHandle(gate.event));
}

TEST(Threads, ManualAndAutoResetEvents) {
    HANDLE manual = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    SetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);  // stays set
    ResetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

    HANDLE automatic = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);  // the wait reset it
    CloseHandle(manual);
    CloseHandle(automatic);
}

TEST(Threads, AutoResetEventReleasesOneWaiterPerSet) {
    SYSTEMTIME start{};
    start.wYear = 2012, start.wMonth = 6, start.wDay = 1;
    quorvel::UseVirtualClock(start);
    HANDLE event = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    std::atomic<int> got{0};
    std::atomic<int> timedOut{0};
    auto waiter = [&] { (WaitForSingleObject(event, 1000) == WAIT_OBJECT_0 ? got : timedOut)++; };
    std::thread a(waiter);
    std::thread b(waiter);
    ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(2));
    SetEvent(event);
    quorvel::AdvanceVirtualClock(1000);
    a.join();
    b.join();
    EXPECT_EQ(got.load(), 1);
    EXPECT_EQ(timedOut.load(), 1);
    CloseHandle(event);
    quorvel::UseRealClock();
}

TEST(Threads, BadHandlesFailWithoutHarm) {
    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE), WAIT_FAILED);
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    EXPECT_TRUE(CloseHandle(event));
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(SetEvent(event));
    HANDLE next = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    EXPECT_NE(next, event);  // never reused
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(next, &code));  // not a thread
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
    CloseHandle(next);

    // A thread waiting for its own end would never return.
    std::atomic<DWORD> self{0};
    quorvel::CWorkerThread worker;
    worker.Start([&]() -> DWORD {
        self = WaitForSingleObject(worker.GetHandle(), INFINITE);
        return worker.Join();
    });
    EXPECT_EQ(worker.Join(), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(self.load(), WAIT_FAILED);
}

TEST(ThreadSignals, KickIsNeverLost) {
    ThreadSignal& signal = CurrentThreadSignal();
    signal.Kick();  // before anyone waits
    EXPECT_TRUE(signal.Wait(UINT64_MAX));
    EXPECT_FALSE(signal.Wait(ClockNowMs()));  // consumed

    pollfd p{signal.Fd(), POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 0), 0);
    signal.Kick();
    EXPECT_EQ(poll(&p, 1, 0), 1);
    EXPECT_TRUE(signal.Wait(0));

    // Kicks from another thread, many times, each seen.
    std::shared_ptr<ThreadSignal> mine = quorvel::ThreadSignalOf(GetCurrentThreadId());
    ASSERT_EQ(mine.get(), &signal);
    for (int i = 0; i < 200; ++i) {
        std::thread kicker([&] { mine->Kick(); });
        EXPECT_TRUE(signal.Wait(UINT64_MAX));
        kicker.join();
    }
}

TEST(ThreadSignals, WaitFdSeesDescriptorKickAndDeadline) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ThreadSignal& signal = CurrentThreadSignal();
    EXPECT_EQ(signal.WaitFd(fds[0], POLLIN, ClockNowMs() + 5), ThreadSignal::Result::kDeadline);
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    EXPECT_EQ(signal.WaitFd(fds[0], POLLIN, UINT64_MAX), ThreadSignal::Result::kFdReady);
    signal.Kick();
    EXPECT_EQ(signal.WaitFd(fds[0], POLLIN, UINT64_MAX), ThreadSignal::Result::kKicked);
    close(fds[0]);
    close(fds[1]);
}

// A stand-in for the window layer's SendMessage: the worker leaves a request
// for the UI thread, kicks it and waits for the answer.
std::atomic<int> g_request{0};
std::atomic<int> g_reply{0};
std::atomic<DWORD> g_servedOn{0};
std::atomic<DWORD> g_uiThread{0};
std::shared_ptr<ThreadSignal> g_workerSignal;

void ServeSentMessages() {
    if (GetCurrentThreadId() != g_uiThread || g_request == 0) return;
    g_servedOn = GetCurrentThreadId();
    g_reply = g_request.exchange(0) * 2;
    g_workerSignal->Kick();
}

TEST(Threads, JoiningThreadServesSentMessages) {
    g_uiThread = GetCurrentThreadId();
    g_reply = 0;
    quorvel::SetSentMessageHook(ServeSentMessages);
    quorvel::CWorkerThread worker;
    CurrentThreadSignal();  // so that the worker can find this thread's signal
    std::shared_ptr<ThreadSignal> ui = quorvel::ThreadSignalOf(GetCurrentThreadId());
    ASSERT_NE(ui, nullptr);
    worker.Start([&]() -> DWORD {
        g_workerSignal = quorvel::ThreadSignalOf(GetCurrentThreadId());
        g_request = 21;
        ui->Kick();
        const uint64_t giveUp = ClockNowMs() + 5000;  // fail rather than hang
        while (g_reply == 0 && CurrentThreadSignal().Wait(giveUp)) {
        }
        return g_reply == 42 ? 1 : 0;
    });
    EXPECT_EQ(worker.Join(), 1u);
    EXPECT_EQ(g_servedOn.load(), GetCurrentThreadId());
    quorvel::SetSentMessageHook(nullptr);
    g_workerSignal.reset();
}

TEST(Threads, WorkerStopsWhenAsked) {
    quorvel::CWorkerThread worker;
    EXPECT_FALSE(worker.IsRunning());
    ASSERT_TRUE(worker.Start([&]() -> DWORD {
        int wakes = 0;
        while (!worker.StopRequested()) {
            CurrentThreadSignal().Wait(UINT64_MAX);
            ++wakes;
        }
        return 5;
    }));
    EXPECT_FALSE(worker.Start([]() -> DWORD { return 0; }));  // one at a time
    EXPECT_TRUE(worker.IsRunning());
    worker.RequestStop();
    EXPECT_EQ(worker.Join(), 5u);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(worker.Join(), 5u);
    // It can be started again, and the destructor stops and joins it.
    ASSERT_TRUE(worker.Start([&]() -> DWORD {
        while (!worker.StopRequested()) CurrentThreadSignal().Wait(UINT64_MAX);
        return 6;
    }));
}

}  // namespace
