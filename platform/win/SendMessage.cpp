// SendMessage: a direct call on the window's own thread; from another thread
// the message waits in the target's queue until that thread serves it, in
// any loop it runs, while the sender keeps serving messages sent to itself.
#include "platform/base/Thread.h"
#include "platform/win/InstanceShare.h"
#include "platform/win/WinInternal.h"
#include "platform/win/WindowState.h"

namespace quorvel::win::detail {

LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = nullptr;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w || w->threadId != GetCurrentThreadId()) return 0;
        proc = w->proc;
    }
    if (msg == kRemoteCommandMsg) return RunRemoteCommand(hwnd, wParam, lParam);
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

namespace {

LRESULT WaitForReply(const std::shared_ptr<SentItem>& item) {
    ThreadSignal& signal = CurrentThreadSignal();
    for (;;) {
        {
            Lock lock = TakeLock();
            if (item->done) return item->result;
        }
        // Two threads sending to each other must not deadlock: serve what is
        // sent to this one while it waits.
        if (ServeSentMessages()) continue;
        signal.Wait(UINT64_MAX);
    }
}

LRESULT Broadcast(UINT msg, WPARAM wParam, LPARAM lParam) {
    std::vector<HWND> targets;
    {
        Lock lock = TakeLock();
        for (HWND h : S().topLevel)
            if (FindLocal(h)) targets.push_back(h);
    }
    for (HWND h : targets) SendMessage(h, msg, wParam, lParam);
    return 0;
}

}  // namespace
}  // namespace quorvel::win::detail

using namespace quorvel::win::detail;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd == HWND_BROADCAST) return Broadcast(msg, wParam, lParam);
    const DWORD self = GetCurrentThreadId();
    std::shared_ptr<SentItem> item;
    {
        Lock lock = TakeLock();
        Window* w = FindLocal(hwnd);
        if (!w) {
            if (!Find(hwnd)) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        if (w->threadId != self) {
            Queue* q = QueueOf(w->threadId);
            if (!q) return 0;
            quorvel::CurrentThreadSignal();
            item = std::make_shared<SentItem>();
            *item = SentItem{hwnd, msg, wParam, lParam, 0, false, quorvel::ThreadSignalOf(self)};
            q->sent.push_back(item);
            Wake(*q);
        }
    }
    if (!item) return Deliver(hwnd, msg, wParam, lParam);
    return WaitForReply(item);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

BOOL InSendMessage() {
    Lock lock = TakeLock();
    Queue* q = QueueOf(GetCurrentThreadId());
    return q && q->sendDepth > 0;
}

bool quorvel::win::ServeSentMessages() {
    std::shared_ptr<Queue> q;
    {
        Lock lock = TakeLock();
        auto it = S().queues.find(GetCurrentThreadId());
        if (it == S().queues.end()) return false;
        q = it->second;
    }
    bool any = false;
    for (;;) {
        std::shared_ptr<SentItem> item;
        {
            Lock lock = TakeLock();
            if (q->sent.empty()) break;
            item = q->sent.front();
            q->sent.pop_front();
            ++q->sendDepth;
        }
        const LRESULT r = Deliver(item->hwnd, item->message, item->wParam, item->lParam);
        {
            Lock lock = TakeLock();
            --q->sendDepth;
            item->result = r;
            item->done = true;
        }
        item->sender->Kick();
        any = true;
    }
    return any;
}
