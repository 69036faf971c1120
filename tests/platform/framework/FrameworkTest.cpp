#include "tests/platform/framework/FrameworkTest.h"

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/controls/Controls.h"
#include "platform/dialogs/Dialogs.h"

void PrintTo(const CString& text, std::ostream* out) {
    *out << '"' << quorvel::ToUtf8(text) << '"';
}

namespace fwtest {

TemplateBuilder::TemplateBuilder(UINT id, int cx, int cy, DWORD style) {
    m_template.id = id;
    m_template.style = style;
    m_template.cx = cx;
    m_template.cy = cy;
    m_template.caption = L"测试";
    m_template.fontFace = L"";
    m_lists.reserve(16);
}

TemplateBuilder& TemplateBuilder::Add(const wchar_t* cls, const wchar_t* text, UINT id, int x,
                                      int y, int cx, int cy, DWORD style) {
    m_items.push_back(DialogItemTemplate{
        cls, text, 0, id, x, y, cx, cy, static_cast<DWORD>(WS_CHILD | WS_VISIBLE) | style, 0, {}});
    return *this;
}

TemplateBuilder& TemplateBuilder::Button(const wchar_t* text, UINT id, int x, int y,
                                         bool isDefault) {
    return Add(WC_BUTTON, text, id, x, y, 40, 14,
               (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Edit(UINT id, int x, int y, int cx) {
    return Add(WC_EDIT, L"", id, x, y, cx, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Radio(const wchar_t* text, UINT id, int x, int y,
                                        bool groupStart) {
    return Add(WC_BUTTON, text, id, x, y, 50, 10,
               BS_AUTORADIOBUTTON | (groupStart ? WS_GROUP | WS_TABSTOP : 0));
}

TemplateBuilder& TemplateBuilder::Check(const wchar_t* text, UINT id, int x, int y) {
    return Add(WC_BUTTON, text, id, x, y, 50, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Combo(UINT id, int x, int y, std::vector<const wchar_t*> items) {
    m_lists.push_back(std::move(items));
    Add(WC_COMBOBOX, L"", id, x, y, 60, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    m_items.back().listItems = m_lists.back();
    return *this;
}

TemplateBuilder& TemplateBuilder::List(UINT id, int x, int y, std::vector<const wchar_t*> items) {
    m_lists.push_back(std::move(items));
    Add(WC_LISTBOX, L"", id, x, y, 60, 30, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP);
    m_items.back().listItems = m_lists.back();
    return *this;
}

const DialogTemplate* TemplateBuilder::Get() {
    m_template.items = m_items;
    return &m_template;
}

BOOL CMainWindow::Make() {
    return CreateEx(0, AfxRegisterWndClass(0, nullptr, GetSysColorBrush(COLOR_WINDOW)), L"main",
                    WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr);
}

BOOL CMainWindow::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) ++m_nKeysSeen;
    return FALSE;
}

void FrameworkTest::SetUp() {
    SYSTEMTIME start{2012, 6, 5, 1, 8, 0, 0, 0};
    quorvel::UseVirtualClock(start);
    quorvel::gdi::Install();
    quorvel::resources::Install();
    quorvel::controls::RegisterStandardClasses();
    quorvel::dialogs::InstallMessageBoxes();
    quorvel::SetAppTitle(L"Quorvel");
    ASSERT_TRUE(m_main.Make());
    m_thread.m_pMainWnd = &m_main;
    m_main.SetFocus();
    quorvel::win::PumpUntilIdle();
}

void FrameworkTest::TearDown() {
    m_main.DestroyWindow();
    quorvel::win::PumpUntilIdle();
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
    AfxDeleteTempMaps();
    quorvel::UseRealClock();
}

void Key(UINT vk) {
    quorvel::win::InjectKey(vk, true);
    quorvel::win::InjectKey(vk, false);
}

CString TextOf(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowText(hwnd, text, 256);
    return CString(text);
}

}  // namespace fwtest
