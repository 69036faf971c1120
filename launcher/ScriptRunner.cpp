// Index: the message box a script sees; input; answer and expect; files;
// the runner's step.
#include "launcher/ScriptRunner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "launcher/Snapshots.h"
#include "launcher/WindowTree.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/framework/Afx.h"
#include "platform/win/WinInternal.h"

namespace quorvel::launcher {
namespace {

// How often a waiting `expect` or `answer` looks again, and how often an
// answered box is looked at until it has closed.
constexpr uint32_t kLookIntervalMs = 50;
constexpr uint32_t kCloseLookMs = 5;
constexpr int kDragSteps = 8;

std::string Quoted(const CString& text) {
    return "\"" + ToUtf8(text) + "\"";
}

// ---- The message box a script sees ----------------------------------------------------
// Boxes of every thread: a worker's box (a port that cannot be opened) is
// as much in the way as the UI thread's. The latest first: on one thread
// only the innermost loop can end now. A box already ended is gone.
std::optional<dialogs::ModalInfo> ShownBox(const CString& part = CString()) {
    const std::vector<dialogs::ModalInfo> modals = dialogs::AllRunningModals();
    for (auto it = modals.rbegin(); it != modals.rend(); ++it)
        if (it->messageBox && !it->ended && IsWindow(it->dialog) && it->text.Find(part) >= 0)
            return *it;
    return std::nullopt;
}

// The boxes that show instead of the one a script waited for: the program
// may well have shown another (a receiver that has not yet identified
// itself gets "GPS主机类型不匹配!" where one that has gets its own box).
std::string BoxesUp() {
    std::string texts;
    for (const dialogs::ModalInfo& info : dialogs::AllRunningModals())
        if (info.messageBox && !info.ended)
            texts += (texts.empty() ? "" : ", ") + Quoted(info.text);
    return texts.empty() ? std::string() : " (the boxes up: " + texts + ")";
}

bool StillRuns(HWND dialog) {
    for (const dialogs::ModalInfo& info : dialogs::AllRunningModals())
        if (info.dialog == dialog && !info.ended) return true;
    return false;
}

HWND MainWindow() {
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

// ---- Input ---------------------------------------------------------------------------
void Stylus(const ScriptCommand& c) {
    win::InjectStylus(c.x1, c.y1, true);
    if (c.op == ScriptOp::kDrag) {
        for (int i = 1; i <= kDragSteps; ++i)
            win::InjectStylus(c.x1 + (c.x2 - c.x1) * i / kDragSteps,
                              c.y1 + (c.y2 - c.y1) * i / kDragSteps, true);
        win::InjectStylus(c.x2, c.y2, false);
    } else {
        win::InjectStylus(c.x1, c.y1, false);
    }
}

}  // namespace

CScriptRunner::CScriptRunner(std::string outputDir) : m_outputDir(std::move(outputDir)) {}

void CScriptRunner::Add(ScriptCommand command) {
    std::lock_guard lock(m_mutex);
    m_queue.push_back(std::move(command));
}

void CScriptRunner::EndOfInput() {
    std::lock_guard lock(m_mutex);
    m_inputEnded = true;
}

std::string CScriptRunner::OutputPath(const std::string& path) const {
    const std::filesystem::path p(path);
    if (p.is_absolute() || m_outputDir.empty()) return path;
    return (std::filesystem::path(m_outputDir) / p).string();
}

CScriptRunner::Result CScriptRunner::Input(const ScriptCommand& c) {
    if (auto box = ShownBox())
        return Failure("input while a message box shows " + Quoted(box->text));
    HWND main = MainWindow();
    switch (c.op) {
        case ScriptOp::kKey:
            for (int i = 0; i < c.count; ++i) {
                win::InjectKey(c.key, true);
                win::InjectKey(c.key, false);
            }
            break;
        case ScriptOp::kChar:
        case ScriptOp::kType:
            for (int i = 0; i < c.text.GetLength(); ++i) win::InjectChar(c.text[i]);
            break;
        case ScriptOp::kTap:
        case ScriptOp::kDrag:
            Stylus(c);
            break;
        default:
            if (!main) return Failure("no main window");
            if (c.op == ScriptOp::kQuit)
                PostMessage(main, WM_CLOSE, 0, 0);
            else
                PostMessage(main, WM_COMMAND, c.id, 0);
    }
    return Done();
}

// The answer is done once the box has ended: a box of another thread
// handles the click in its own time, and the next line must not find it
// still showing.
CScriptRunner::Result CScriptRunner::Answer(const ScriptCommand& c, uint64_t elapsedMs) {
    if (m_clicked) {
        if (!StillRuns(m_clicked)) return Done();
        // As long again as the box was waited for.
        if (elapsedMs - m_clickedMs >= c.ms)
            return Failure("the message box showing " + Quoted(c.text) + " did not close within " +
                           std::to_string(c.ms) + " ms");
        return Waiting(kCloseLookMs);
    }
    if (auto box = ShownBox(c.text)) {
        HWND button = GetDlgItem(box->dialog, c.button);
        if (!button) return Failure("the message box " + Quoted(box->text) + " has no such button");
        PostMessage(button, BM_CLICK, 0, 0);
        m_clicked = box->dialog;
        m_clickedMs = elapsedMs;
        return Waiting(0);
    }
    if (elapsedMs >= c.ms)
        return Failure("no message box showing " + Quoted(c.text) + " within " +
                       std::to_string(c.ms) + " ms" + BoxesUp());
    return Waiting(static_cast<uint32_t>(std::min<uint64_t>(kLookIntervalMs, c.ms - elapsedMs)));
}

CScriptRunner::Result CScriptRunner::Expect(const ScriptCommand& c, uint64_t elapsedMs) {
    if (VisibleWindowShows(c.text)) return Done();
    if (elapsedMs >= c.ms)
        return Failure("nothing showed " + Quoted(c.text) + " within " + std::to_string(c.ms) +
                       " ms");
    return Waiting(static_cast<uint32_t>(std::min<uint64_t>(kLookIntervalMs, c.ms - elapsedMs)));
}

CScriptRunner::Result CScriptRunner::Write(const ScriptCommand& c) {
    const std::string path = OutputPath(c.path);
    bool written = false;
    if (c.op == ScriptOp::kSnapshot) {
        written = WriteScreenPng(path);
    } else {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << DumpWindowTree();
        out.close();
        written = static_cast<bool>(out);
    }
    if (written) return Done();
    return Failure("cannot write " + path);
}

CScriptRunner::Result CScriptRunner::Execute(const ScriptCommand& c, uint64_t elapsedMs) {
    switch (c.op) {
        case ScriptOp::kWait:
            if (elapsedMs >= c.ms) return Done();
            return Waiting(static_cast<uint32_t>(c.ms - elapsedMs));
        case ScriptOp::kAnswer:
            return Answer(c, elapsedMs);
        case ScriptOp::kExpect:
            return Expect(c, elapsedMs);
        case ScriptOp::kSnapshot:
        case ScriptOp::kDump:
            return Write(c);
        default:
            return Input(c);
    }
}

bool CScriptRunner::TakeNext() {
    std::lock_guard lock(m_mutex);
    if (m_queue.empty()) return false;
    m_current = std::move(m_queue.front());
    m_queue.pop_front();
    m_clicked = nullptr;
    m_startedMs = ClockNowMs();
    return true;
}

void CScriptRunner::Fail(const std::string& where, const std::string& reason) {
    m_state = State::kFailed;
    const std::string picture = OutputPath("failure.png");
    std::fprintf(stderr, "quorvel: script failed at %s: %s\n", where.c_str(), reason.c_str());
    if (!WriteScreenPng(picture))
        std::fprintf(stderr, "quorvel: cannot write %s\n", picture.c_str());
}

// Input ends the step, so the loop handles it before the next line runs;
// other commands that are done let the next line run at once.
uint32_t CScriptRunner::Run() {
    while (m_state == State::kRunning) {
        if (!m_current && !TakeNext()) {
            bool ended;
            {
                std::lock_guard lock(m_mutex);
                ended = m_inputEnded && m_queue.empty();
            }
            if (!ended) return UINT32_MAX;
            if (auto box = ShownBox()) {
                Fail("the end of the script", "a message box is left: " + Quoted(box->text));
            } else {
                m_state = State::kFinished;
            }
            return 0;
        }
        const ScriptCommand& c = *m_current;
        const Result r = Execute(c, ClockNowMs() - m_startedMs);
        if (!r.failure.empty()) {
            Fail("line " + std::to_string(c.line) + " (" + c.source + ")", r.failure);
            return 0;
        }
        if (!r.done) return r.waitMs;
        const bool input = c.op != ScriptOp::kWait && c.op != ScriptOp::kExpect &&
                           c.op != ScriptOp::kSnapshot && c.op != ScriptOp::kDump;
        m_current.reset();
        if (input) return 0;
    }
    return 0;
}

}  // namespace quorvel::launcher
