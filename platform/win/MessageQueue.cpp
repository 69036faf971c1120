// Thread queues: created on demand, dropped when their thread ends; posting
// to windows and threads; forgetting windows that go away.
#include <algorithm>

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

namespace quorvel::win::detail {
namespace {

void ServeFromBaseWait() {
    ServeSentMessages();
}

void CollectPostOrder(Window* w, std::vector<HWND>* out) {
    for (HWND c : w->children)
        if (Window* cw = Find(c)) CollectPostOrder(cw, out);
    out->push_back(w->hwnd);
}

// A thread that ends takes its queue and its windows with it. The windows go
// without messages: their procedures' objects may already be gone. Whoever
// still waits on a send to the thread gets 0.
void ForgetThread(DWORD threadId) {
    Lock lock = TakeLock();
    std::vector<HWND> doomed;
    std::vector<HWND> all = AllWindowsPreOrder();
    for (HWND h : all) {
        Window* w = FindLocal(h);
        if (w && w->threadId == threadId && !(Parent(w) && Parent(w)->threadId == threadId))
            CollectPostOrder(w, &doomed);
    }
    for (HWND h : doomed)
        if (Find(h)) DropWindow(h);
    auto it = S().queues.find(threadId);
    if (it == S().queues.end()) return;
    for (auto& item : it->second->sent) {
        item->done = true;
        item->result = 0;
        item->sender->Kick();
    }
    S().queues.erase(it);
}

struct QueueOwner {
    DWORD threadId = 0;
    ~QueueOwner() {
        if (threadId) ForgetThread(threadId);
    }
};

}  // namespace

Queue* QueueOf(DWORD threadId) {
    auto it = S().queues.find(threadId);
    return it == S().queues.end() ? nullptr : it->second.get();
}

Queue& CurrentQueue() {
    const DWORD tid = GetCurrentThreadId();
    if (Queue* q = QueueOf(tid)) return *q;
    CurrentThreadSignal();  // registers the signal before the owner below exists
    thread_local QueueOwner owner;
    owner.threadId = tid;
    auto q = std::make_shared<Queue>();
    q->threadId = tid;
    q->signal = ThreadSignalOf(tid);
    S().queues.emplace(tid, q);
    SetSentMessageHook(&ServeFromBaseWait);
    return *q;
}

void Wake(Queue& q) {
    if (q.signal) q.signal->Kick();
}

bool PostTo(Queue* q, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!q) return false;
    q->posted.push_back(MSG{hwnd, msg, wParam, lParam, GetTickCount(), S().cursor});
    Wake(*q);
    return true;
}

void CancelSendsTo(HWND hwnd) {
    for (auto& [tid, q] : S().queues) {
        auto& sent = q->sent;
        for (auto it = sent.begin(); it != sent.end();) {
            if ((*it)->hwnd != hwnd) {
                ++it;
                continue;
            }
            (*it)->done = true;
            (*it)->result = 0;
            (*it)->sender->Kick();
            it = sent.erase(it);
        }
    }
}

void DropWindow(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    CancelSendsTo(hwnd);
    if (Queue* q = QueueOf(w->threadId)) {
        auto& posted = q->posted;
        posted.erase(std::remove_if(posted.begin(), posted.end(),
                                    [&](const MSG& m) { return m.hwnd == hwnd; }),
                     posted.end());
        auto& timers = q->timers;
        timers.erase(std::remove_if(timers.begin(), timers.end(),
                                    [&](const Timer& t) { return t.hwnd == hwnd; }),
                     timers.end());
    }
    if (S().focus == hwnd) S().focus = nullptr;
    if (S().active == hwnd) S().active = nullptr;
    if (S().capture == hwnd) S().capture = nullptr;
    Unlink(w);
    S().windows.erase(reinterpret_cast<uintptr_t>(hwnd));
}

}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!hwnd) return PostThreadMessage(GetCurrentThreadId(), msg, wParam, lParam);
    Lock lock = TakeLock();
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : S().topLevel)
            if (Window* w = FindLocal(h)) PostTo(QueueOf(w->threadId), h, msg, wParam, lParam);
        return TRUE;
    }
    Window* w = FindLocal(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return PostTo(QueueOf(w->threadId), hwnd, msg, wParam, lParam) ? TRUE : FALSE;
}

BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
    Lock lock = TakeLock();
    Queue* q = threadId == GetCurrentThreadId() ? &CurrentQueue() : QueueOf(threadId);
    if (!q) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return PostTo(q, nullptr, msg, wParam, lParam) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
    Lock lock = TakeLock();
    Queue& q = CurrentQueue();
    q.quit = true;
    q.quitCode = exitCode;
}
