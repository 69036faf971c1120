#include "tests/platform/framework/FrameworkTest.h"

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/controls/Controls.h"
#include "platform/dialogs/Dialogs.h"

namespace fwtest {

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
