#include "platform/testing/ModalScript.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/base/Collections.h"
#include "platform/base/TextConv.h"
#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/win/WinInternal.h"

namespace quorvel::testing {
namespace {

// Posted to a modal after its actions: reaching the dialog means its loop
// is still running.
constexpr UINT kCheckMessage = WM_APP + 0x3FA1;
constexpr WPARAM kCheckCookie = 0x5C41F7ED;

std::string Quoted(const CString& text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out + "\"";
}

std::string Header(const dialogs::ModalInfo& info) {
    if (info.templateId == 0) {
        return "message box " + Quoted(info.caption) + " " + Quoted(info.text);
    }
    return "dialog " + std::to_string(info.templateId) + " " + Quoted(info.caption);
}

// The script watches each modal it answers through a procedure put in front
// of the dialog's own: the check after the actions, and the end.
struct Watched {
    WNDPROC previous;
    ModalScript* script;
    int depth;
};
std::mutex g_watchMutex;
std::map<HWND, Watched> g_watched;

std::string Indent(int depth) {
    return std::string(static_cast<size_t>(2 * (depth > 0 ? depth - 1 : 0)), ' ');
}

bool FindWatched(HWND hwnd, Watched& out) {
    std::lock_guard lock(g_watchMutex);
    auto it = g_watched.find(hwnd);
    if (it == g_watched.end()) return false;
    out = it->second;
    return true;
}

LRESULT WatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Watched w{};
    if (!FindWatched(hwnd, w)) return DefWindowProc(hwnd, msg, wParam, lParam);
    // A modal that outlives its script (a box on a worker thread) is only
    // passed on.
    if (w.script && msg == kCheckMessage && wParam == kCheckCookie) {
        ADD_FAILURE() << "modal still open after its scripted actions";
        dialogs::ModalInfo info;
        info.depth = w.depth;
        w.script->OnFailure({info, "left open"});
        EndDialog(hwnd, IDCANCEL);
        return 0;
    }
    if (w.script && msg == WM_DESTROY) w.script->OnClosed(w.depth);
    if (msg == WM_NCDESTROY) {
        std::lock_guard lock(g_watchMutex);
        g_watched.erase(hwnd);
    }
    return CallWindowProc(w.previous, hwnd, msg, wParam, lParam);
}

void Watch(HWND dialog, ModalScript* script, int depth) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(dialog, GWL_WNDPROC));
    {
        std::lock_guard lock(g_watchMutex);
        g_watched[dialog] = Watched{previous, script, depth};
    }
    SetWindowLongPtr(dialog, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchProc));
}

HWND Control(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) ADD_FAILURE() << "the modal has no control " << id;
    return control;
}

bool ClassIs(HWND hwnd, const wchar_t* name) {
    wchar_t cls[64] = {};
    GetClassName(hwnd, cls, 64);
    return lstrcmpiW(cls, name) == 0;
}

}  // namespace

void PumpDialogMessages(HWND dialog) {
    MSG m{};
    for (int guard = 0; guard < 10000 && PeekMessage(&m, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        if (win::PreTranslate(&m)) continue;
        if (IsWindow(dialog) && IsDialogMessage(dialog, &m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}

// ---- Steps ----

ModalStep& ModalStep::Add(std::string description, std::function<void(HWND)> run) {
    m_actions.push_back(Action{std::move(description), std::move(run)});
    return *this;
}

ModalStep& ModalStep::SetText(int id, LPCTSTR text) {
    const CString value(text);
    return Add("set " + std::to_string(id) + " " + Quoted(value), [id, value](HWND dialog) {
        if (HWND c = Control(dialog, id))
            SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.GetString()));
        PumpDialogMessages(dialog);
    });
}

ModalStep& ModalStep::Type(int id, LPCTSTR text) {
    const CString value(text);
    return Add("type " + std::to_string(id) + " " + Quoted(value), [id, value](HWND dialog) {
        HWND c = Control(dialog, id);
        if (!c) return;
        SetFocus(c);
        for (int i = 0; i < value.GetLength(); ++i) {
            win::InjectChar(value[i]);
            PumpDialogMessages(dialog);
        }
    });
}

ModalStep& ModalStep::Click(int id) {
    return Add("click " + std::to_string(id), [id](HWND dialog) {
        if (HWND c = Control(dialog, id)) SendMessage(c, BM_CLICK, 0, 0);
        PumpDialogMessages(dialog);
    });
}

ModalStep& ModalStep::Check(int id, bool checked) {
    return Add((checked ? "check " : "uncheck ") + std::to_string(id), [id, checked](HWND dialog) {
        HWND c = Control(dialog, id);
        if (!c) return;
        const auto want = static_cast<WPARAM>(checked ? BST_CHECKED : BST_UNCHECKED);
        if (static_cast<WPARAM>(SendMessage(c, BM_GETCHECK, 0, 0)) != want) {
            SendMessage(c, BM_CLICK, 0, 0);
        }
        // A button that does not check itself gets the state as its
        // dialog would give it.
        if (static_cast<WPARAM>(SendMessage(c, BM_GETCHECK, 0, 0)) != want) {
            SendMessage(c, BM_SETCHECK, want, 0);
        }
        PumpDialogMessages(dialog);
    });
}

ModalStep& ModalStep::Select(int id, int index) {
    return Add(
        "select " + std::to_string(id) + " " + std::to_string(index), [id, index](HWND dialog) {
            HWND c = Control(dialog, id);
            if (!c) return;
            if (ClassIs(c, WC_LISTVIEW)) {
                // As a tap does: the row alone selected and focused.
                LVITEM item{};
                item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessage(c, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(&item));
                item.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessage(c, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&item));
                PumpDialogMessages(dialog);
                return;
            }
            const bool combo = ClassIs(c, WC_COMBOBOX);
            SendMessage(c, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            const bool notify = combo || (GetWindowLong(c, GWL_STYLE) & LBS_NOTIFY);
            if (notify) {
                const WPARAM code = MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE);
                SendMessage(GetParent(c), WM_COMMAND, code, reinterpret_cast<LPARAM>(c));
            }
            PumpDialogMessages(dialog);
        });
}

ModalStep& ModalStep::Key(UINT virtualKey) {
    return Add("key " + std::to_string(virtualKey), [virtualKey](HWND dialog) {
        win::InjectKey(virtualKey, true);
        win::InjectKey(virtualKey, false);
        PumpDialogMessages(dialog);
    });
}

ModalStep& ModalStep::Answer(int buttonId) {
    return Add("answer " + std::to_string(buttonId), [buttonId](HWND dialog) {
        if (HWND c = Control(dialog, buttonId)) SendMessage(c, BM_CLICK, 0, 0);
        PumpDialogMessages(dialog);
    });
}

ModalStep& ModalStep::Do(std::function<void(HWND dialog)> action) {
    return Add("do", std::move(action));
}

ModalStep& ModalStep::EndsLater() {
    m_endsLater = true;
    return *this;
}

// ---- The script ----

ModalScript::ModalScript(uint32_t watchdogMs) {
    m_previousHook =
        dialogs::SetModalHook([this](const dialogs::ModalInfo& info) { return OnModal(info); });
    m_previousFailure = dialogs::SetModalFailureHandler(
        [this](const dialogs::ModalFailure& failure) { OnFailure(failure); });
    dialogs::SetModalWatchdog(watchdogMs);
}

ModalScript::~ModalScript() {
    {
        std::lock_guard lock(g_watchMutex);
        for (auto& [hwnd, watched] : g_watched) {
            if (watched.script == this) watched.script = nullptr;
        }
    }
    dialogs::SetModalWatchdog(0);
    dialogs::SetModalHook(m_previousHook);
    dialogs::SetModalFailureHandler(m_previousFailure);
    dialogs::TakeModalFailures();
    for (size_t i = m_next; i < m_steps.size(); ++i) {
        const ModalStep& s = *m_steps[i];
        ADD_FAILURE() << "expected modal never shown: "
                      << (s.m_isBox ? "message box with " + Quoted(s.m_text)
                                    : "dialog " + std::to_string(s.m_templateId));
    }
}

ModalStep& ModalScript::ExpectDialog(UINT templateId) {
    std::lock_guard lock(m_mutex);
    m_steps.push_back(std::make_unique<ModalStep>());
    m_steps.back()->m_templateId = templateId;
    return *m_steps.back();
}

ModalStep& ModalScript::ExpectMessageBox(LPCTSTR textPart) {
    std::lock_guard lock(m_mutex);
    m_steps.push_back(std::make_unique<ModalStep>());
    m_steps.back()->m_isBox = true;
    m_steps.back()->m_text = textPart;
    return *m_steps.back();
}

std::string ModalScript::Transcript() const {
    std::lock_guard lock(m_mutex);
    std::string out;
    for (const std::string& line : m_transcript) out += line + "\n";
    return out;
}

int ModalScript::Pending() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_steps.size() - m_next);
}

void ModalScript::Note(int depth, const std::string& line) {
    std::lock_guard lock(m_mutex);
    m_transcript.push_back(Indent(depth) + line);
}

dialogs::ModalVerdict ModalScript::OnModal(const dialogs::ModalInfo& info) {
    const ModalStep* step = nullptr;
    std::string expected = "nothing";
    {
        std::lock_guard lock(m_mutex);
        if (m_next < m_steps.size()) {
            const ModalStep& s = *m_steps[m_next];
            const bool box = info.templateId == 0;
            const bool match = box ? s.m_isBox && info.text.Find(s.m_text) >= 0
                                   : !s.m_isBox && s.m_templateId == info.templateId;
            if (match) step = m_steps[m_next++].get();
            expected = s.m_isBox ? "message box with " + Quoted(s.m_text)
                                 : "dialog " + std::to_string(s.m_templateId);
        }
    }
    Note(info.depth, Header(info));
    if (!step) {
        Note(info.depth + 1, "unexpected");
        ADD_FAILURE() << "unexpected modal: " << Header(info) << " (expected " << expected << ")";
        return dialogs::ModalVerdict::kUnexpected;
    }
    RunStep(info, *step);
    return dialogs::ModalVerdict::kProceed;
}

void ModalScript::RunStep(const dialogs::ModalInfo& info, const ModalStep& step) {
    Watch(info.dialog, this, info.depth);
    for (const ModalStep::Action& action : step.m_actions) {
        if (!IsWindow(info.dialog)) break;
        Note(info.depth + 1, action.description);
        action.run(info.dialog);
    }
    if (step.m_endsLater) {
        Note(info.depth + 1, "ends later");
    } else if (IsWindow(info.dialog)) {
        PostMessage(info.dialog, kCheckMessage, kCheckCookie, 0);
    }
}

void ModalScript::OnClosed(int depth) {
    Note(depth + 1, "closed");
}

void ModalScript::OnFailure(const dialogs::ModalFailure& failure) {
    // An unexpected modal was reported, with what was expected, by OnModal.
    if (failure.reason == "unexpected modal") return;
    Note(failure.info.depth + 1, failure.reason);
    if (failure.reason != "left open") {
        ADD_FAILURE() << "modal " << Header(failure.info) << ": " << failure.reason;
    }
}

}  // namespace quorvel::testing
