// The real message box: its look, its answers by keyboard and through the
// hook, boxes asked from worker threads, and text wrapped to the screen.
#include <chrono>
#include <thread>

#include "platform/base/Thread.h"
#include "platform/dialogs/MessageBoxParts.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/Surface.h"
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/dialogs/DialogTestSupport.h"

using namespace dlgtest;
using quorvel::dialogs::ModalInfo;
using quorvel::dialogs::ModalVerdict;

namespace {

class MessageBoxes : public DialogTest {
  protected:
    // Asks a box whose loop is driven by `keys`, returning its answer.
    int AskWithKeys(UINT type, std::vector<UINT> keys) {
        Hook hook([&](const ModalInfo&) {
            for (UINT vk : keys) Key(vk);
            return ModalVerdict::kProceed;
        });
        return MessageBox(Owner(), L"继续吗?", L"提示", type);
    }
};

TEST_F(MessageBoxes, QuestionBoxLooksAsOnTheDevice) {
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/platform/dialogs/ref");
    quorvel::SetAppTitle(L"Quorvel");
    Hook hook([](const ModalInfo& info) {
        quorvel::win::PumpUntilIdle();  // every control painted
        quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(info.dialog),
                                                 "question_box");
        SendDlgItemMessage(info.dialog, IDNO, BM_CLICK, 0, 0);
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(AfxMessageBox(L"确定退出程序吗?", MB_YESNO | MB_ICONQUESTION), IDNO);
}

TEST_F(MessageBoxes, TheFourIcons) {
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/platform/dialogs/ref");
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4 * 36, 36);
    HGDIOBJ old = SelectObject(dc, bitmap);
    quorvel::gdi::FillSolidRect(dc, 0, 0, 4 * 36, 36, GetSysColor(COLOR_BTNFACE));
    const UINT icons[] = {MB_ICONINFORMATION, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONSTOP};
    for (int i = 0; i < 4; ++i)
        quorvel::dialogs::detail::DrawMessageBoxIcon(dc, 2 + 36 * i, 2, icons[i]);
    SelectObject(dc, old);
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureBitmap(bitmap), "box_icons");
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST_F(MessageBoxes, KeyboardAnswers) {
    EXPECT_EQ(AskWithKeys(MB_OKCANCEL, {VK_ESCAPE}), IDCANCEL);
    EXPECT_EQ(AskWithKeys(MB_OK, {VK_ESCAPE}), IDOK);
    EXPECT_EQ(AskWithKeys(MB_YESNO, {VK_RETURN}), IDYES);
    EXPECT_EQ(AskWithKeys(MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}), IDNO);
    EXPECT_EQ(AskWithKeys(MB_YESNOCANCEL | MB_DEFBUTTON3, {VK_RETURN}), IDCANCEL);
    EXPECT_EQ(AskWithKeys(MB_YESNOCANCEL, {VK_TAB, VK_RETURN}), IDNO);
    EXPECT_EQ(AskWithKeys(MB_RETRYCANCEL, {VK_RIGHT, VK_RETURN}), IDCANCEL);
    // Escape means nothing without a Cancel button: the box waits for an
    // answer, here Enter on the default Yes.
    EXPECT_EQ(AskWithKeys(MB_YESNO, {VK_ESCAPE, VK_RETURN}), IDYES);
    EXPECT_EQ(OwnerKeys(), 0);
}

TEST_F(MessageBoxes, TheHookSeesWhatTheBoxSaysAndCanAnswerDirectly) {
    quorvel::SetAppTitle(L"Quorvel");
    Hook hook([](const ModalInfo& info) {
        EndDialog(info.dialog, IDOK);
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(AfxMessageBox(L"复位成功!", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(MessageBox(nullptr, L"读取失败", nullptr, MB_OK | MB_ICONSTOP), IDOK);
    ASSERT_EQ(hook.seen.size(), 2u);
    EXPECT_EQ(hook.seen[0].caption, CString(L"Quorvel"));
    EXPECT_EQ(hook.seen[0].text, CString(L"复位成功!"));
    EXPECT_EQ(hook.seen[0].templateId, 0u);
    EXPECT_EQ(hook.seen[1].caption, CString(L"Error"));
    EXPECT_TRUE(IsWindowEnabled(Owner()));
}

// The framework's box is modal to the active window, so a tap on the main
// window cannot run a second command while the question is open; a plain
// MessageBox with no owner leaves every window as it is.
TEST_F(MessageBoxes, FrameworkBoxesDisableTheActiveWindowWhileOpen) {
    SetActiveWindow(Owner());
    ASSERT_EQ(GetActiveWindow(), Owner());
    BOOL enabledDuringAfx = TRUE, enabledDuringPlain = FALSE;
    Hook hook([&](const ModalInfo& info) {
        (info.text == CString(L"afx") ? enabledDuringAfx : enabledDuringPlain) =
            IsWindowEnabled(Owner());
        EndDialog(info.dialog, IDOK);
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(AfxMessageBox(L"afx", MB_OK), IDOK);
    EXPECT_EQ(MessageBox(nullptr, L"plain", L"提示", MB_OK), IDOK);
    EXPECT_FALSE(enabledDuringAfx);
    EXPECT_TRUE(enabledDuringPlain);
    EXPECT_TRUE(IsWindowEnabled(Owner()));
}

TEST_F(MessageBoxes, BoxesFromWorkerThreadsRunOnTheirOwnThread) {
    const DWORD ui = GetCurrentThreadId();
    std::atomic<DWORD> boxThread{0};
    Hook hook([&](const ModalInfo& info) {
        boxThread = GetWindowThreadProcessId(info.dialog, nullptr);
        SendDlgItemMessage(info.dialog, IDRETRY, BM_CLICK, 0, 0);
        return ModalVerdict::kProceed;
    });
    quorvel::CWorkerThread worker;
    worker.Start([]() -> DWORD {
        return static_cast<DWORD>(MessageBox(nullptr, L"端口打开失败", L"提示", MB_RETRYCANCEL));
    });
    EXPECT_EQ(worker.Join(), static_cast<DWORD>(IDRETRY));
    EXPECT_NE(boxThread.load(), ui);
    EXPECT_NE(boxThread.load(), 0u);
}

// What the launcher sees of a worker's box with nobody to answer it, and
// how its ending ends it: the box listed with its thread, ended from this
// one; then, while every modal is cancelled, a new box ends at once.
TEST_F(MessageBoxes, AWorkersBoxIsListedAndEndedFromAnotherThread) {
    const DWORD ui = GetCurrentThreadId();
    quorvel::CWorkerThread worker;
    worker.Start([]() -> DWORD {
        return static_cast<DWORD>(MessageBox(nullptr, L"无法打开串口", L"Error", MB_OK));
    });
    // This thread serves what the box's thread sends it meanwhile.
    std::vector<ModalInfo> modals;
    for (int i = 0; i < 60000 && modals.empty(); ++i) {
        modals = quorvel::dialogs::AllRunningModals();
        quorvel::win::ServeSentMessages();
        if (modals.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(modals.size(), 1u);
    EXPECT_NE(modals[0].thread, ui);
    EXPECT_TRUE(modals[0].messageBox);
    EXPECT_FALSE(modals[0].ended);
    EXPECT_EQ(modals[0].text, CString(L"无法打开串口"));
    EXPECT_TRUE(quorvel::dialogs::RunningModals().empty());  // this thread's
    EXPECT_TRUE(quorvel::dialogs::EndModal(modals[0].dialog, IDCANCEL));
    EXPECT_EQ(worker.Join(), static_cast<DWORD>(IDCANCEL));
    EXPECT_TRUE(quorvel::dialogs::AllRunningModals().empty());
    EXPECT_FALSE(quorvel::dialogs::EndModal(modals[0].dialog, IDCANCEL));

    quorvel::dialogs::CancelEveryModal(true);
    worker.Start([]() -> DWORD {
        return static_cast<DWORD>(MessageBox(nullptr, L"端口打开失败", L"提示", MB_YESNO));
    });
    EXPECT_EQ(worker.Join(), static_cast<DWORD>(IDCANCEL));
    quorvel::dialogs::CancelEveryModal(false);
}

TEST_F(MessageBoxes, LongTextWrapsWithinTheScreenAndTheBoxGrowsDown) {
    const CString text(
        L"当前没有画图层！请先在图层管理中建立一个新的图层，然后再绘制文本、布线或者保存图形。"
        L"This sentence is long enough to wrap at the blanks between its words.");
    Hook hook([&](const ModalInfo& info) {
        RECT box{}, label{};
        GetWindowRect(info.dialog, &box);
        GetWindowRect(GetDlgItem(info.dialog, 0xFFFF), &label);
        EXPECT_GE(box.left, 0);
        EXPECT_LE(box.right, 240);
        EXPECT_GT(label.bottom - label.top, 4 * 12);  // several lines
        EXPECT_LE(label.right, box.right);
        RECT yes{};
        GetWindowRect(GetDlgItem(info.dialog, IDOK), &yes);
        EXPECT_GT(yes.top, label.bottom);
        Key(VK_RETURN);
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(MessageBox(Owner(), text, L"特别提示", MB_OK | MB_ICONEXCLAMATION), IDOK);
}

}  // namespace
