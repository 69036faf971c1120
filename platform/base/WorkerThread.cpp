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
    if (m_handle || !fn) return FALSE;
    m_stop.store(false);
    m_handle = CreateThread(nullptr, 0, fn, arg, 0, &m_threadId);
    return m_handle ? TRUE : FALSE;
}

BOOL CWorkerThread::Start(std::function<DWORD()> body) {
    if (m_handle || !body) return FALSE;
    m_body = std::move(body);
    return Start(&CWorkerThread::RunBody, this);
}

DWORD CWorkerThread::RunBody(LPVOID self) {
    return static_cast<CWorkerThread*>(self)->m_body();
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
