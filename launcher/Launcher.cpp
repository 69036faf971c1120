// Index: reading the script; the idle work of a run (backend, signals,
// script, ending); preparing the root; RunLauncher.
#include "launcher/Launcher.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include "launcher/CommandLine.h"
#include "launcher/RootLayout.h"
#include "launcher/ScriptRunner.h"
#include "launcher/Signals.h"
#include "launcher/Snapshots.h"
#include "platform/backends/Backend.h"
#include "platform/base/Thread.h"
#include "platform/base/ThreadSignal.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/DevicePath.h"
#include "platform/framework/Afx.h"
#include "platform/framework/WinApp.h"
#include "platform/serial/PortMap.h"
#include "platform/win/WinInternal.h"

namespace quorvel::launcher {
namespace {

// ---- Reading the script -------------------------------------------------------------
bool LoadScriptFile(const std::string& path, std::vector<ScriptCommand>* commands,
                    std::string* error) {
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!std::filesystem::is_regular_file(path, ec) || !in.is_open()) {
        *error = "cannot read the script " + path;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    if (ParseScript(text.str(), commands, error)) return true;
    *error = path + ": " + *error;
    return false;
}

// Standard input as it comes: a bad line is reported and skipped. The
// thread is left blocked in its read when the program ends first.
void ReadStandardInput(std::shared_ptr<CScriptRunner> runner, DWORD uiThread) {
    std::string line;
    for (int number = 1; std::getline(std::cin, line); ++number) {
        std::optional<ScriptCommand> command;
        std::string error;
        if (!ParseScriptLine(line, number, &command, &error)) {
            std::fprintf(stderr, "quorvel: line %d skipped: %s\n", number, error.c_str());
            continue;
        }
        if (!command) continue;
        runner->Add(std::move(*command));
        if (auto signal = ThreadSignalOf(uiThread)) signal->Kick();
    }
    runner->EndOfInput();
    if (auto signal = ThreadSignalOf(uiThread)) signal->Kick();
}

// ---- The idle work of a run ---------------------------------------------------------
// Runs in the window layer's idle hook on the UI thread: feeds the
// backend, keeps the snapshot current, runs the script, and ends the run
// when a signal, the closed window, the script's end or its failure asks
// for it: open modals end as cancelled (innermost first, again for any
// that the program opens while they close), then the program ends without
// questions.
class CRunSession {
  public:
    CRunSession(backends::Backend& backend, CSnapshotWriter& snapshots,
                std::shared_ptr<CScriptRunner> script, const CSignalWatch& signals,
                const LauncherHooks& hooks)
        : m_backend(backend),
          m_snapshots(snapshots),
          m_script(std::move(script)),
          m_signals(signals),
          m_hooks(hooks) {}

    uint32_t OnIdle() {
        // Idle outside every modal loop: the application's own loop runs,
        // so its start-up went through.
        if (dialogs::ModalDepth() == 0) m_mainLoopRan = true;
        uint32_t wait = m_backend.PollIntervalMs();
        // Closing the window is the person at the desk ending the run, as
        // a signal does.
        if (!m_backend.PollEvents() || m_signals.Signalled()) m_ending = true;
        if (m_script && !m_ending) {
            wait = std::min(wait, m_script->Run());
            if (m_script->GetState() != CScriptRunner::State::kRunning) m_ending = true;
        }
        if (m_ending) wait = std::min(wait, End());
        m_backend.PresentIfChanged();
        return std::min(wait, m_snapshots.Tick());
    }

    bool MainLoopRan() const { return m_mainLoopRan; }
    bool ScriptFailed() const {
        return m_script && m_script->GetState() == CScriptRunner::State::kFailed;
    }

    void RunEndProgram() {
        m_hooks.endProgram();
        m_endPending = false;
    }

  private:
    // While the run ends, how often it looks again whether it has (the
    // program's ending may wait on its other threads).
    static constexpr uint32_t kEndingLookMs = 10;

    static void CALLBACK EndProgramTimer(HWND, UINT, UINT_PTR id, DWORD);

    uint32_t End() {
        // Every thread's boxes end as cancelled, now and whenever one opens
        // from here on (the program's ending may show its own; a receiver
        // reader may be in one, and the program's end waits for it).
        if (!m_modalsCancelled) {
            m_modalsCancelled = true;
            dialogs::CancelEveryModal(true);
        }
        // This thread's ended loops unwind before its ending goes on.
        if (!dialogs::RunningModals().empty()) return kEndingLookMs;
        // The program's own ending is under way (or about to start).
        if (m_endPending) return kEndingLookMs;
        CWnd* main = AfxGetMainWnd();
        const bool alive = main && IsWindow(main->GetSafeHwnd());
        if (!m_endCalled && alive && m_hooks.endProgram) {
            // The ending may show boxes of its own (settings that cannot be
            // written); run from here, inside the idle hook, their loops
            // would get no idle work and nothing would ever close them. A
            // one-shot timer runs it from the message loop instead.
            m_endCalled = m_endPending = true;
            SetTimer(nullptr, 0, 0, EndProgramTimer);
            return 0;
        }
        // The program left its main window up (or has none): it goes anyway.
        if (!m_quitPosted) {
            m_quitPosted = true;
            if (alive) main->DestroyWindow();
            PostQuitMessage(0);
        }
        return kEndingLookMs;
    }

    backends::Backend& m_backend;
    CSnapshotWriter& m_snapshots;
    std::shared_ptr<CScriptRunner> m_script;
    const CSignalWatch& m_signals;
    LauncherHooks m_hooks;
    bool m_ending = false;
    bool m_modalsCancelled = false;
    bool m_endCalled = false;
    bool m_endPending = false;
    bool m_quitPosted = false;
    bool m_mainLoopRan = false;
};

CRunSession* g_session = nullptr;

void CALLBACK CRunSession::EndProgramTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_session) g_session->RunEndProgram();
}

uint32_t SessionIdle() {
    return g_session ? g_session->OnIdle() : UINT32_MAX;
}

// ---- Preparing the root ---------------------------------------------------------------
bool PrepareRoot(const LaunchOptions& options) {
    const std::string root = std::filesystem::absolute(options.root).lexically_normal().string();
    if (RootNeedsLayout(root)) {
        std::string error;
        if (!LayOutFreshRoot(root, &error)) {
            std::fprintf(stderr, "quorvel: cannot lay out the device root: %s\n", error.c_str());
            return false;
        }
    }
    SetDeviceRoot(root);
    // A second copy on the same root finds the first one's windows and hands
    // over to it.
    if (!win::EnableInstanceSharing(root))
        std::fprintf(stderr, "quorvel: cannot share windows with other copies on %s\n",
                     root.c_str());
    for (const auto& [port, path] : options.ports) MapSerialPort(port, path);
    std::printf("quorvel: device root %s\n", root.c_str());
    return true;
}

// A box of another thread that the ending cancelled returns on its own
// thread; the program's objects that join such threads at exit (the
// receiver link's readers) should not find one still inside its box, whose
// loop would then run while the program's objects are torn down. Any box
// that opens from here on ends at once.
void LetOtherThreadsLeaveTheirModals() {
    constexpr auto kLimit = std::chrono::seconds(2);
    dialogs::CancelEveryModal(true);
    const auto start = std::chrono::steady_clock::now();
    while (!dialogs::AllRunningModals().empty() &&
           std::chrono::steady_clock::now() - start < kLimit) {
        // The boxes' threads may send to this one on their way out.
        win::ServeSentMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

int Usage(const std::string& error) {
    std::fprintf(stderr, "quorvel: %s\n%s", error.c_str(), UsageText().c_str());
    return kUsageError;
}

// Another copy's windows show here (shared through the root) as windows of
// another process.
bool AnotherCopyRuns() {
    bool found = false;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            if (process == static_cast<DWORD>(getpid())) return TRUE;
            *reinterpret_cast<bool*>(param) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A file's commands are all there at the start; standard input's come as
// they are typed.
std::shared_ptr<CScriptRunner> StartScript(const LaunchOptions& options,
                                           std::vector<ScriptCommand> commands, DWORD uiThread) {
    if (options.script.empty()) return nullptr;
    auto script = std::make_shared<CScriptRunner>(options.snapshots);
    for (ScriptCommand& c : commands) script->Add(std::move(c));
    if (options.script == "-")
        std::thread(ReadStandardInput, script, uiThread).detach();
    else
        script->EndOfInput();
    return script;
}

// The application runs with an empty command line: every option was ours.
int RunWithSession(const LaunchOptions& options, std::shared_ptr<CScriptRunner> script,
                   const CSignalWatch& signals, const LauncherHooks& hooks, char* argv0) {
    backends::BackendOptions backendOptions;
    backendOptions.headless = options.headless || !backends::ShouldUseSdl(false);
    backendOptions.scale = options.scale;
    std::unique_ptr<backends::Backend> backend = backends::CreateBackend(backendOptions);
    backends::DeviceLink deviceLink(*backend);
    CSnapshotWriter snapshots(backend->IsHeadless() ? options.snapshots : std::string());
    if (backend->IsHeadless() && !options.snapshots.empty())
        std::printf("quorvel: screen in %s\n", snapshots.LatestPath().c_str());
    std::fflush(stdout);

    dialogs::CancelEveryModal(false);
    CRunSession session(*backend, snapshots, std::move(script), signals, hooks);
    g_session = &session;
    const win::IdleHook previous = win::SetIdleHook(SessionIdle);
    const bool handOver = AnotherCopyRuns();
    char* appArgv[] = {argv0, nullptr};
    const int status = framework::RunApplication(1, appArgv);
    win::SetIdleHook(previous);
    g_session = nullptr;
    LetOtherThreadsLeaveTheirModals();
    if (session.ScriptFailed()) return kScriptFailed;
    // A start that never reached the application's loop failed, unless it
    // handed over to the copy already running.
    if (status == kEnded && !session.MainLoopRan() && !handOver) return kStartFailed;
    return status;
}

}  // namespace

// ---- RunLauncher ------------------------------------------------------------------------
int RunLauncher(int argc, char** argv, const LauncherHooks& hooks) {
    LaunchOptions options;
    std::string error;
    if (!ParseCommandLine(argc, argv, &options, &error)) return Usage(error);
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return kEnded;
    }
    std::vector<ScriptCommand> commands;
    if (!options.script.empty() && options.script != "-" &&
        !LoadScriptFile(options.script, &commands, &error))
        return Usage(error);
    if (!AfxGetApp()) {
        std::fprintf(stderr, "quorvel: no application object is linked in\n");
        return kStartFailed;
    }
    const DWORD uiThread = GetCurrentThreadId();
    CSignalWatch signals(uiThread);
    if (!PrepareRoot(options)) return kStartFailed;
    const int status = RunWithSession(options, StartScript(options, std::move(commands), uiThread),
                                      signals, hooks, argv[0]);
    win::DisableInstanceSharing();
    return status;
}

}  // namespace quorvel::launcher
