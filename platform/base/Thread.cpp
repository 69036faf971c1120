#include "platform/base/Thread.h"

#include <mutex>
#include <system_error>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/ThreadInternal.h"
#include "platform/base/ThreadSignal.h"

namespace quorvel {
namespace {

class ThreadObject : public KernelObject {
  public:
    explicit ThreadObject(DWORD id) : m_id(id) {}
    bool IsSignaled() const override { return m_done.load(); }
    void Finish(DWORD code) {
        m_exitCode.store(code);
        m_done.store(true);
    }
    DWORD ExitCode() const { return m_done.load() ? m_exitCode.load() : STILL_ACTIVE; }
    DWORD Id() const { return m_id; }

  private:
    const DWORD m_id;
    std::atomic<DWORD> m_exitCode{STILL_ACTIVE};
    std::atomic<bool> m_done{false};
};

class EventObject : public KernelObject {
  public:
    EventObject(bool manual, bool initial) : m_manual(manual), m_signaled(initial) {}
    bool IsSignaled() const override {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_signaled;
    }
    bool TryAcquire() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_signaled) return false;
        if (!m_manual) m_signaled = false;
        return true;
    }
    void Set(bool on) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_signaled = on;
    }

  private:
    mutable std::mutex m_mutex;
    const bool m_manual;
    bool m_signaled;
};

template <typename T>
std::shared_ptr<T> LookupAs(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(LookupHandle(handle));
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

HANDLE FailNull(DWORD error) {
    SetLastError(error);
    return nullptr;
}

DWORD FailWait(DWORD error) {
    SetLastError(error);
    return WAIT_FAILED;
}

}  // namespace
}  // namespace quorvel

using quorvel::EventObject;
using quorvel::ThreadObject;

HANDLE CreateThread(void* /*attrs*/, size_t /*stackSize*/, LPTHREAD_START_ROUTINE fn, LPVOID arg,
                    DWORD flags, LPDWORD threadId) {
    if (!fn) return quorvel::FailNull(ERROR_INVALID_PARAMETER);
    if (flags & CREATE_SUSPENDED) return quorvel::FailNull(ERROR_NOT_SUPPORTED);
    const DWORD id = quorvel::detail::NewThreadId();
    auto object = std::make_shared<ThreadObject>(id);
    auto signal = quorvel::detail::CreateSignalFor(id);
    try {
        std::thread([object, signal, fn, arg]() mutable {
            quorvel::detail::AdoptThread(object->Id(), std::move(signal));
            const DWORD code = fn(arg);
            // Gone for ThreadSignalOf before anyone sees the thread end.
            quorvel::detail::ReleaseCurrentThreadSignal();
            object->Finish(code);
            quorvel::NotifyWaiters(*object);
        }).detach();
    } catch (const std::system_error&) {
        return quorvel::FailNull(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (threadId) *threadId = id;
    return quorvel::RegisterHandle(object);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
    auto object = quorvel::LookupAs<ThreadObject>(thread);
    if (!object) return quorvel::Fail(ERROR_INVALID_HANDLE);
    if (!exitCode) return quorvel::Fail(ERROR_INVALID_PARAMETER);
    *exitCode = object->ExitCode();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD ms) {
    auto object = quorvel::LookupHandle(handle);
    if (!object) return quorvel::FailWait(ERROR_INVALID_HANDLE);
    auto* thread = dynamic_cast<ThreadObject*>(object.get());
    if (thread && thread->Id() == GetCurrentThreadId() && !thread->IsSignaled())
        return quorvel::FailWait(ERROR_INVALID_PARAMETER);

    quorvel::ThreadSignal& signal = quorvel::CurrentThreadSignal();
    const uint64_t deadline = ms == INFINITE ? UINT64_MAX : quorvel::ClockNowMs() + ms;
    quorvel::ObjectWaitScope scope(*object, signal);
    bool kicked = false;
    DWORD result = WAIT_TIMEOUT;
    for (;;) {
        quorvel::RunSentMessageHook();
        if (object->TryAcquire()) {
            result = WAIT_OBJECT_0;
            break;
        }
        if (!signal.Wait(deadline)) {
            if (object->TryAcquire()) result = WAIT_OBJECT_0;
            break;
        }
        kicked = true;
    }
    // Kicks can also be meant for the thread's message loop; keep one pending.
    if (kicked) signal.Kick();
    return result;
}

HANDLE CreateEvent(void* /*attrs*/, BOOL manualReset, BOOL initialState, LPCTSTR /*name*/) {
    return quorvel::RegisterHandle(std::make_shared<EventObject>(manualReset, initialState));
}

BOOL SetEvent(HANDLE event) {
    auto object = quorvel::LookupAs<EventObject>(event);
    if (!object) return quorvel::Fail(ERROR_INVALID_HANDLE);
    object->Set(true);
    quorvel::NotifyWaiters(*object);
    return TRUE;
}

BOOL ResetEvent(HANDLE event) {
    auto object = quorvel::LookupAs<EventObject>(event);
    if (!object) return quorvel::Fail(ERROR_INVALID_HANDLE);
    object->Set(false);
    return TRUE;
}
