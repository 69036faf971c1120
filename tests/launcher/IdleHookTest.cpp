// The window layer's idle hook and the dialog manager's list of running
// modals, which the launcher's script stands on: the hook runs when a loop
// finds its queue empty, in the innermost loop (a message box's too), never
// inside itself, and what it posts is retrieved at once.
#include <gtest/gtest.h>

#include "platform/base/MessageBox.h"
#include "platform/base/Thread.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinInternal.h"

namespace {

int g_calls = 0;
std::vector<quorvel::dialogs::ModalInfo> g_seen;

uint32_t PostOnce() {
    ++g_calls;
    if (g_calls == 1) PostThreadMessage(GetCurrentThreadId(), WM_USER + 7, 1, 2);
    if (g_calls == 2) PostQuitMessage(5);
    return UINT32_MAX;
}

TEST(LauncherIdleHook, RunsWhenTheQueueIsEmptyAndWhatItPostsComesNext) {
    g_calls = 0;
    const quorvel::win::IdleHook previous = quorvel::win::SetIdleHook(PostOnce);
    MSG msg{};
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, UINT{WM_USER + 7});
    EXPECT_EQ(g_calls, 1);
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.wParam, WPARAM{5});
    EXPECT_EQ(g_calls, 2);
    EXPECT_EQ(quorvel::win::SetIdleHook(previous), PostOnce);
}

// In the box's own loop: the hook sees the box and presses its No button
// (a message box opened from the hook would wait without it).
uint32_t AnswerTheBox() {
    ++g_calls;
    g_seen = quorvel::dialogs::RunningModals();
    if (!g_seen.empty()) PostMessage(GetDlgItem(g_seen.back().dialog, IDNO), BM_CLICK, 0, 0);
    return 10;
}

TEST(LauncherIdleHook, ReachesTheInnermostModalLoop) {
    quorvel::gdi::Install();
    quorvel::dialogs::InstallMessageBoxes();
    g_calls = 0;
    EXPECT_TRUE(quorvel::dialogs::RunningModals().empty());
    const quorvel::win::IdleHook previous = quorvel::win::SetIdleHook(AnswerTheBox);
    EXPECT_EQ(MessageBox(nullptr, L"Go on?", L"Box", MB_YESNO), IDNO);
    quorvel::win::SetIdleHook(previous);
    EXPECT_GE(g_calls, 1);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_TRUE(g_seen[0].messageBox);
    EXPECT_EQ(g_seen[0].text, CString(L"Go on?"));
    EXPECT_EQ(g_seen[0].depth, 1);
    EXPECT_TRUE(quorvel::dialogs::RunningModals().empty());
}

}  // namespace
