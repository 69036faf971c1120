#include "tests/platform/dialogs/DialogTestSupport.h"

#include <atomic>

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"

void PrintTo(const CString& text, std::ostream* out) {
    *out << '"' << quorvel::ToUtf8(text) << '"';
}

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

TemplateBuilder::TemplateBuilder(UINT id, int cx, int cy, DWORD style, const wchar_t* caption) {
    m_template.id = id;
    m_template.style = style;
    m_template.cx = cx;
    m_template.cy = cy;
    m_template.caption = caption;
    m_template.fontFace = L"";
}

TemplateBuilder& TemplateBuilder::Font(int points, const wchar_t* face) {
    m_template.fontSize = points;
    m_template.fontFace = face;
    m_template.style |= DS_SETFONT;
    return *this;
}

TemplateBuilder& TemplateBuilder::ExStyle(DWORD exStyle) {
    m_template.exStyle = exStyle;
    return *this;
}

TemplateBuilder& TemplateBuilder::Add(const wchar_t* cls, const wchar_t* text, UINT id, int x,
                                      int y, int cx, int cy, DWORD style) {
    m_items.push_back(DialogItemTemplate{
        cls, text, 0, id, x, y, cx, cy, static_cast<DWORD>(WS_CHILD | WS_VISIBLE) | style, 0, {}});
    return *this;
}

TemplateBuilder& TemplateBuilder::Button(const wchar_t* text, UINT id, int x, int y,
                                         bool isDefault) {
    return Add(L"Button", text, id, x, y, 40, 14,
               (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Edit(UINT id, int x, int y, int cx) {
    return Add(L"Edit", L"", id, x, y, cx, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Radio(const wchar_t* text, UINT id, int x, int y,
                                        bool groupStart) {
    return Add(L"Button", text, id, x, y, 50, 10,
               BS_AUTORADIOBUTTON | (groupStart ? WS_GROUP | WS_TABSTOP : 0));
}

const DialogTemplate* TemplateBuilder::Get() {
    m_template.items = m_items;
    return &m_template;
}

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
