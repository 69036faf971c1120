// The task list in the running program: which top-level windows it offers,
// switching to one and ending one, and the refusal without a choice.
#include "tests/app/commands/CommandsTest.h"

namespace commandstest {
namespace {

std::vector<std::wstring> ListTexts(HWND dialog) {
    return shelltest::ListBoxTexts(dialog, IDC_TASK_LIST);
}

HWND TopLevel(LPCTSTR title, DWORD style = WS_VISIBLE, HWND owner = nullptr) {
    return ::CreateWindowEx(0, L"STATIC", title, WS_POPUP | style, 0, 0, 50, 20, owner, nullptr,
                            nullptr, nullptr);
}

class TaskManageTest : public CommandsTest {};

TEST_F(TaskManageTest, OtherProgramsWindowsAreListedSwitchedToAndEnded) {
    StartWithLink();
    const HWND notes = TopLevel(L"Notes");
    const HWND calc = TopLevel(L"计算器");
    const HWND others[] = {TopLevel(L"Hidden", 0), TopLevel(L"Owned", WS_VISIBLE, notes),
                           TopLevel(L""), TopLevel(L"DESKTOP"), TopLevel(L"MS_SIPBUTTON"),
                           // only the exact spelling is the shell's
                           TopLevel(L"ms_sipbutton")};
    Pump();

    m_modals->ExpectDialog(IDD_TASK_MANAGE)
        .Do([](HWND dialog) {
            // A sorted list.
            EXPECT_EQ(ListTexts(dialog),
                      (std::vector<std::wstring>{L"ms_sipbutton", L"Notes", L"计算器"}));
        })
        // Nothing chosen: the error over the main window.
        .Click(IDC_TASK_SWITCH)
        .Click(IDC_TASK_END)
        .Select(IDC_TASK_LIST, 1)
        .Click(IDC_TASK_SWITCH)
        .Do([notes](HWND) { EXPECT_EQ(::GetForegroundWindow(), notes); })
        .Select(IDC_TASK_LIST, 2)
        .Click(IDC_TASK_END)
        .Do([calc](HWND dialog) {
            EXPECT_FALSE(::IsWindow(calc));
            EXPECT_EQ(ListTexts(dialog), (std::vector<std::wstring>{L"ms_sipbutton", L"Notes"}));
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"请选择一个任务!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请选择一个任务!").Answer(IDOK);
    Command(ID_TASK_MANAGE);
    EXPECT_EQ(m_modals->Pending(), 0);
    const std::string transcript = m_modals->Transcript();
    EXPECT_NE(transcript.find("message box \"错误:没任务\" \"请选择一个任务!\""), std::string::npos)
        << transcript;
    EXPECT_TRUE(::IsWindow(notes));
    for (HWND window : others) ::DestroyWindow(window);
    ::DestroyWindow(notes);
}

}  // namespace
}  // namespace commandstest
