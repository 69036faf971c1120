// Threads and events, with waits on the active clock.
//
// Waits on threads and events serve messages sent to the waiting thread
// (see SetSentMessageHook in ThreadSignal.h), so a thread that joins a
// worker blocked in SendMessage to it cannot deadlock. There is no
// TerminateThread: workers stop cooperatively (CWorkerThread).
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "platform/base/Handle.h"
#include "platform/base/WinTypes.h"

typedef DWORD (*LPTHREAD_START_ROUTINE)(LPVOID);

#define STILL_ACTIVE 259
#define CREATE_SUSPENDED 0x00000004
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

// Starts `fn(arg)` on a new thread. The stack size is the host's; attrs is
// ignored; CREATE_SUSPENDED is not supported (NULL, ERROR_NOT_SUPPORTED).
HANDLE CreateThread(void* attrs, size_t stackSize, LPTHREAD_START_ROUTINE fn, LPVOID arg,
                    DWORD flags, LPDWORD threadId);
DWORD GetCurrentThreadId();
// STILL_ACTIVE while the thread runs, then its function's result.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// WAIT_OBJECT_0 when the thread has ended or the event is set (an
// auto-reset event is reset by the wait), WAIT_TIMEOUT after `ms` on the
// active clock (INFINITE: no limit), WAIT_FAILED for a handle that cannot
// be waited on, or a thread waiting for itself to end.
DWORD WaitForSingleObject(HANDLE handle, DWORD ms);

// Events are not shared by name: `name` is accepted and ignored.
HANDLE CreateEvent(void* attrs, BOOL manualReset, BOOL initialState, LPCTSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

namespace quorvel {

// A worker thread that is stopped by asking: the worker's loop polls
// StopRequested(); RequestStop() also kicks the worker's ThreadSignal so a
// wait in it returns. The destructor requests a stop and joins.
class CWorkerThread {
  public:
    CWorkerThread() = default;
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // FALSE when a worker is still attached (join it first) or the thread
    // cannot be created.
    BOOL Start(LPTHREAD_START_ROUTINE fn, LPVOID arg);
    BOOL Start(std::function<DWORD()> body);

    void RequestStop();
    bool StopRequested() const { return m_stop.load(); }

    // Waits for the worker to end, serving messages sent to the calling
    // thread meanwhile, and returns its exit code. Without a worker it
    // returns the last one's code; called by the worker itself it returns
    // STILL_ACTIVE at once.
    DWORD Join();

    bool IsRunning() const;
    DWORD GetThreadId() const { return m_threadId; }
    HANDLE GetHandle() const { return m_handle; }

  private:
    static DWORD Run(LPVOID self);

    HANDLE m_handle = nullptr;
    DWORD m_threadId = 0;
    DWORD m_exitCode = 0;
    std::atomic<bool> m_stop{false};
    std::function<DWORD()> m_body;
    // The worker starts its body only once Start has stored the handle and
    // id, so the body may use GetHandle, GetThreadId and Join.
    std::mutex m_startMutex;
    std::condition_variable m_startCv;
    bool m_attached = false;
};

}  // namespace quorvel
