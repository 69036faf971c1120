#include "tests/platform/dialogs/DialogTestSupport.h"

#include <atomic>

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"

namespace dlgtest {
namespace {

std::atomic<int> g_ownerKeys{0};

LRESULT OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN || msg == WM_CHAR) ++g_ownerKeys;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterOwnerClass() {
    static bool done = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &OwnerProc;
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = L"DlgTestOwner";
        return RegisterClass(&wc) != 0;
    }();
    (void)done;
}

}  // namespace

bool Script::Saw(UINT msg) const {
    for (const MSG& m : seen)
        if (m.message == msg) return true;
    return false;
}

BOOL ScriptProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(hwnd, DWLP_USER, lParam);
        reinterpret_cast<Script*>(lParam)->hwnd = hwnd;
    }
    auto* script = reinterpret_cast<Script*>(GetWindowLongPtr(hwnd, DWLP_USER));
    if (!script) return FALSE;
    script->seen.push_back(MSG{hwnd, msg, wParam, lParam, 0, {}});
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        script->commands.push_back(LOWORD(wParam));
    if (script->on && script->on(hwnd, msg, wParam, lParam)) return TRUE;
    if (msg == WM_INITDIALOG) return script->initResult;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

Hook::Hook(quorvel::dialogs::ModalHook hook) {
    m_previous =
        quorvel::dialogs::SetModalHook([this, hook](const quorvel::dialogs::ModalInfo& info) {
            seen.push_back(info);
            return hook ? hook(info) : quorvel::dialogs::ModalVerdict::kProceed;
        });
}

Hook::~Hook() {
    quorvel::dialogs::SetModalHook(m_previous);
}

void Key(UINT vk) {
    quorvel::win::InjectKey(vk, true);
    quorvel::win::InjectKey(vk, false);
}

void ShiftKey(UINT vk) {
    quorvel::win::InjectKey(VK_SHIFT, true);
    Key(vk);
    quorvel::win::InjectKey(VK_SHIFT, false);
}

void DialogTest::SetUp() {
    SYSTEMTIME st{2012, 6, 5, 1, 8, 0, 0, 0};
    quorvel::UseVirtualClock(st);
    quorvel::dialogs::InstallMessageBoxes();
    quorvel::dialogs::SetModalFailureHandler([](const quorvel::dialogs::ModalFailure&) {});
    quorvel::dialogs::SetModalWatchdog(5000);
    RegisterOwnerClass();
    m_owner = CreateWindow(L"DlgTestOwner", L"owner", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                           nullptr, nullptr);
    SetActiveWindow(m_owner);
    SetFocus(m_owner);
    quorvel::win::PumpUntilIdle();
    g_ownerKeys = 0;
}

void DialogTest::TearDown() {
    quorvel::dialogs::SetModalHook({});
    if (IsWindow(m_owner)) DestroyWindow(m_owner);
    quorvel::win::PumpUntilIdle();
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    const auto failures = quorvel::dialogs::TakeModalFailures();
    for (const auto& f : failures) ADD_FAILURE() << "modal failure: " << f.reason;
    quorvel::dialogs::SetModalWatchdog(0);
}

int DialogTest::OwnerKeys() const {
    return g_ownerKeys.load();
}

INT_PTR DialogTest::RunModal(TemplateBuilder& tmpl, Script& script, HWND parent) {
    return DialogBoxIndirectParam(nullptr, tmpl.Get(), parent ? parent : m_owner, &ScriptProc,
                                  reinterpret_cast<LPARAM>(&script));
}

}  // namespace dlgtest
