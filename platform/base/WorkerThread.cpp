#include "platform/base/Thread.h"
#include "platform/base/ThreadSignal.h"

namespace quorvel {

CWorkerThread::~CWorkerThread() {
    if (!m_handle) return;
    RequestStop();
    if (GetCurrentThreadId() == m_threadId) {
        // Destroyed by its own worker: nothing can be joined; let it go.
        CloseHandle(m_handle);
        return;
    }
    Join();
}

BOOL CWorkerThread::Start(LPTHREAD_START_ROUTINE fn, LPVOID arg) {
    if (!fn) return FALSE;
    return Start([fn, arg]() { return fn(arg); });
}

BOOL CWorkerThread::Start(std::function<DWORD()> body) {
    if (m_handle || !body) return FALSE;
    m_body = std::move(body);
    m_stop.store(false);
    {
        std::lock_guard<std::mutex> lock(m_startMutex);
        m_attached = false;
    }
    DWORD id = 0;
    HANDLE handle = CreateThread(nullptr, 0, &CWorkerThread::Run, this, 0, &id);
    if (!handle) return FALSE;
    {
        std::lock_guard<std::mutex> lock(m_startMutex);
        m_handle = handle;
        m_threadId = id;
        m_attached = true;
    }
    m_startCv.notify_all();
    return TRUE;
}

DWORD CWorkerThread::Run(LPVOID self) {
    auto* worker = static_cast<CWorkerThread*>(self);
    {
        std::unique_lock<std::mutex> lock(worker->m_startMutex);
        worker->m_startCv.wait(lock, [worker] { return worker->m_attached; });
    }
    return worker->m_body();
}

void CWorkerThread::RequestStop() {
    m_stop.store(true);
    if (auto signal = ThreadSignalOf(m_threadId)) signal->Kick();
}

DWORD CWorkerThread::Join() {
    if (!m_handle) return m_exitCode;
    if (GetCurrentThreadId() == m_threadId) return STILL_ACTIVE;
    WaitForSingleObject(m_handle, INFINITE);
    GetExitCodeThread(m_handle, &m_exitCode);
    CloseHandle(m_handle);
    m_handle = nullptr;
    return m_exitCode;
}

bool CWorkerThread::IsRunning() const {
    DWORD code = 0;
    return m_handle && GetExitCodeThread(m_handle, &code) && code == STILL_ACTIVE;
}

}  // namespace quorvel
