// Modal dialogs: the nested message loop, the owner disabled while it runs,
// the modal hook that lets tests answer every modal, the watchdog that
// keeps a forgotten modal from hanging a test, and the list of every
// thread's running modals through which the launcher sees and ends them.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/base/Thread.h"
#include "platform/dialogs/DialogInternal.h"
#include "platform/win/WinInternal.h"

namespace quorvel::dialogs {
namespace {

std::mutex g_mutex;
ModalHook g_hook;
ModalFailureHandler g_failureHandler;
std::vector<ModalFailure> g_failures;
std::atomic<uint32_t> g_watchdogMs{0};
thread_local int t_depth = 0;
thread_local std::vector<ModalInfo> t_running;

// Every thread's running modals, in the order they started.
struct Running {
    ModalInfo info;
    std::shared_ptr<detail::ModalRun> run;
};
struct RunningList {
    std::mutex mutex;
    std::vector<Running> modals;
};
// Never destroyed: a worker's box may still come and go while static
// objects are torn down at exit.
RunningList& All() {
    static RunningList* list = new RunningList;
    return *list;
}
std::atomic<bool> g_cancelEvery{false};

void Register(const ModalInfo& info, const std::shared_ptr<detail::ModalRun>& run) {
    std::lock_guard lock(All().mutex);
    All().modals.push_back({info, run});
}

void Unregister(const detail::ModalRun* run) {
    std::lock_guard lock(All().mutex);
    std::erase_if(All().modals, [&](const Running& r) { return r.run.get() == run; });
}

// Marks its modal loop overdue once it has run `ms` on the active clock or
// in real time, and wakes it with a WM_NULL (harmless to whichever loop
// retrieves it: a nested loop may, and the overdue loop sees its mark when
// it runs again). Stops when the loop ends first.
class Watchdog {
  public:
    Watchdog(HWND dialog, detail::ModalRun* run, uint32_t ms)
        : m_realStart(std::chrono::steady_clock::now()), m_clockStart(ClockNowMs()) {
        if (ms) m_thread = std::thread([=, this] { Watch(dialog, run, ms); });
    }
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable()) m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    void Watch(HWND dialog, detail::ModalRun* run, uint32_t ms) {
        std::unique_lock lock(m_mutex);
        while (!m_stop) {
            m_wake.wait_for(lock, std::chrono::milliseconds(10));
            if (m_stop) return;
            const auto real = std::chrono::steady_clock::now() - m_realStart;
            if (real >= std::chrono::milliseconds(ms) || ClockNowMs() - m_clockStart >= ms) {
                run->overdue = true;
                PostMessage(dialog, WM_NULL, 0, 0);
                return;
            }
        }
    }

    const std::chrono::steady_clock::time_point m_realStart;
    const uint64_t m_clockStart;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

void Finish(detail::ModalRun& run, INT_PTR result) {
    run.result = result;
    run.ended = true;
}

// True when the watchdog has ended the run.
bool Overdue(detail::ModalRun& run, const ModalInfo& info) {
    if (!run.overdue || run.ended) return false;
    detail::RecordFailure(
        info, "still running after " + std::to_string(g_watchdogMs.load()) + " ms (watchdog)");
    Finish(run, IDCANCEL);
    return true;
}

void Loop(HWND dialog, detail::ModalRun& run, const ModalInfo& info) {
    while (!run.ended && IsWindow(dialog) && !Overdue(run, info)) {
        MSG msg{};
        const BOOL got = GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is quitting: the quit goes on to the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            if (!run.ended) Finish(run, IDCANCEL);
            return;
        }
        if (got < 0) return;
        if (win::PreTranslate(&msg)) continue;
        if (IsDialogMessage(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

bool SameThread(HWND hwnd) {
    return hwnd && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

CString WindowText(HWND hwnd) {
    wchar_t text[512] = {};
    GetWindowText(hwnd, text, 512);
    return CString(text);
}

}  // namespace

namespace detail {

ModalVerdict CallModalHook(const ModalInfo& info) {
    ModalHook hook;
    {
        std::lock_guard lock(g_mutex);
        hook = g_hook;
    }
    return hook ? hook(info) : ModalVerdict::kProceed;
}

void RecordFailure(const ModalInfo& info, const std::string& reason) {
    ModalFailure failure{info, reason};
    ModalFailureHandler handler;
    {
        std::lock_guard lock(g_mutex);
        g_failures.push_back(failure);
        handler = g_failureHandler;
    }
    if (handler) {
        handler(failure);
        return;
    }
    std::fprintf(stderr, "modal failure: template %u \"%s\" \"%s\": %s\n", info.templateId,
                 ToUtf8(info.caption).c_str(), ToUtf8(info.text).c_str(), reason.c_str());
}

INT_PTR RunModal(HWND dialog, HWND owner, ModalInfo info) {
    DialogState* state = StateOf(dialog);
    if (!state) return -1;
    if (state->endedEarly) {
        const INT_PTR result = state->result;
        DestroyWindow(dialog);
        return result;
    }
    auto run = std::make_shared<ModalRun>();
    state->run = run;
    if (!SameThread(owner)) owner = nullptr;
    const bool disabled = owner && IsWindowEnabled(owner);
    if (disabled) EnableWindow(owner, FALSE);
    info.dialog = dialog;
    info.depth = ++t_depth;
    info.thread = GetCurrentThreadId();
    ShowBuiltDialog(dialog, true);
    if (info.caption.IsEmpty()) info.caption = WindowText(dialog);
    {
        // Started before the hook: time the hook takes is the modal's too.
        Watchdog watchdog(dialog, run.get(), g_watchdogMs.load());
        t_running.push_back(info);
        Register(info, run);
        // Listed before the flag is read: an ending that starts meanwhile
        // either finds it in the list or is seen here.
        if (g_cancelEvery.load() && !run->ended) Finish(*run, IDCANCEL);
        if (!run->ended && CallModalHook(info) == ModalVerdict::kUnexpected && !run->ended) {
            RecordFailure(info, "unexpected modal");
            Finish(*run, IDCANCEL);
        }
        Loop(dialog, *run, info);
        Unregister(run.get());
        t_running.pop_back();
    }
    --t_depth;
    if (disabled) EnableWindow(owner, TRUE);
    if (owner && GetActiveWindow() == dialog) SetActiveWindow(owner);
    if (IsWindow(dialog)) DestroyWindow(dialog);
    return run->result;
}

}  // namespace detail

ModalHook SetModalHook(ModalHook hook) {
    std::lock_guard lock(g_mutex);
    std::swap(hook, g_hook);
    return hook;
}

ModalFailureHandler SetModalFailureHandler(ModalFailureHandler handler) {
    std::lock_guard lock(g_mutex);
    std::swap(handler, g_failureHandler);
    return handler;
}

std::vector<ModalFailure> TakeModalFailures() {
    std::lock_guard lock(g_mutex);
    return std::exchange(g_failures, {});
}

void SetModalWatchdog(uint32_t ms) {
    g_watchdogMs = ms;
}

int ModalDepth() {
    return t_depth;
}

std::vector<ModalInfo> RunningModals() {
    return t_running;
}

std::vector<ModalInfo> AllRunningModals() {
    std::lock_guard lock(All().mutex);
    std::vector<ModalInfo> all;
    all.reserve(All().modals.size());
    for (const Running& r : All().modals) {
        all.push_back(r.info);
        all.back().ended = r.run->ended.load();
    }
    return all;
}

bool EndModal(HWND dialog, INT_PTR result) {
    {
        std::lock_guard lock(All().mutex);
        std::vector<Running>& modals = All().modals;
        auto it = std::find_if(modals.begin(), modals.end(), [&](const Running& r) {
            return r.info.dialog == dialog && !r.run->ended.load();
        });
        if (it == modals.end()) return false;
        Finish(*it->run, result);
    }
    // Wakes the loop on its own thread (harmless to any loop nested in it).
    PostMessage(dialog, WM_NULL, 0, 0);
    return true;
}

void CancelEveryModal(bool on) {
    g_cancelEvery = on;
    if (!on) return;
    for (const ModalInfo& info : AllRunningModals())
        if (!info.ended) EndModal(info.dialog, IDCANCEL);
}

}  // namespace quorvel::dialogs

using namespace quorvel::dialogs;

INT_PTR DialogBoxIndirectParam(HINSTANCE, LPCDLGTEMPLATE dialogTemplate, HWND parent, DLGPROC proc,
                               LPARAM initParam) {
    if (!dialogTemplate) return -1;
    HWND dialog = detail::BuildDialog(*dialogTemplate, parent, proc, initParam);
    if (!dialog) return -1;
    ModalInfo info;
    info.templateId = dialogTemplate->id;
    return detail::RunModal(dialog, detail::OwnerFor(parent), info);
}

INT_PTR DialogBoxParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam) {
    return DialogBoxIndirectParam(instance, detail::FindTemplate(templateName), parent, proc,
                                  initParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    detail::DialogState* state = detail::StateOf(dialog);
    if (!state) return FALSE;
    state->result = result;
    if (state->run) {
        Finish(*state->run, result);
        PostMessage(dialog, WM_NULL, 0, 0);  // wakes the loop
    } else {
        state->endedEarly = true;
    }
    return TRUE;
}
