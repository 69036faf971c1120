// Modal and modeless dialogs end to end: real templates, real controls,
// input injected through the window manager, answers through the hook.
#include <atomic>

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "tests/platform/dialogs/DialogTestSupport.h"

using namespace dlgtest;
using quorvel::dialogs::ModalInfo;
using quorvel::dialogs::ModalVerdict;

namespace {

constexpr UINT kEdit = 1001;
constexpr UINT kOpenNested = WM_APP + 1;
constexpr UINT kPing = WM_APP + 2;
constexpr UINT kPosted = WM_APP + 3;
constexpr UINT kDone = WM_APP + 4;

TemplateBuilder EntryDialog() {
    TemplateBuilder t(200, 120, 60);
    t.Edit(kEdit, 8, 8).Button(L"确定", IDOK, 8, 30, true).Button(L"取消", IDCANCEL, 60, 30);
    return t;
}

class DialogFlow : public DialogTest {};

TEST_F(DialogFlow, EscapeCancelsAndEnterPressesTheDefaultButton) {
    for (UINT key : {UINT{VK_ESCAPE}, UINT{VK_RETURN}}) {
        TemplateBuilder t = EntryDialog();
        Script script;
        Hook hook([&](const ModalInfo& info) {
            EXPECT_TRUE(IsWindowVisible(info.dialog));
            EXPECT_FALSE(IsWindowEnabled(Owner()));
            Key(key);
            return ModalVerdict::kProceed;
        });
        const INT_PTR expected = key == VK_ESCAPE ? IDCANCEL : IDOK;
        EXPECT_EQ(RunModal(t, script), expected);
        EXPECT_EQ(script.commands, std::vector<UINT>{static_cast<UINT>(expected)});
        ASSERT_EQ(hook.seen.size(), 1u);
        EXPECT_EQ(hook.seen[0].templateId, 200u);
        EXPECT_EQ(hook.seen[0].caption, CString(L"测试"));
        EXPECT_EQ(hook.seen[0].depth, 1);
        EXPECT_FALSE(IsWindow(script.hwnd));
        EXPECT_TRUE(IsWindowEnabled(Owner()));
        EXPECT_EQ(GetActiveWindow(), Owner());
    }
}

TEST_F(DialogFlow, LettersTypedIntoAnEditStayInTheEdit) {
    TemplateBuilder t = EntryDialog();
    Script script;
    CString typed;
    script.on = [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
            wchar_t text[32] = {};
            GetDlgItemText(hwnd, kEdit, text, 32);
            typed = text;
        }
        return FALSE;
    };
    Hook hook([&](const ModalInfo& info) {
        EXPECT_EQ(GetFocus(), GetDlgItem(info.dialog, kEdit));
        for (UINT vk : {'C', 'Q', '1'}) Key(vk);
        Key(VK_RETURN);
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(RunModal(t, script), IDOK);
    EXPECT_EQ(typed, CString(L"cq1"));
    EXPECT_FALSE(script.Saw(WM_CHAR));
    EXPECT_FALSE(script.Saw(WM_KEYDOWN));
    EXPECT_EQ(OwnerKeys(), 0);
}

TEST_F(DialogFlow, MessageBoxRaisedByTheOkHandlerIsAnsweredThroughTheHook) {
    TemplateBuilder t = EntryDialog();
    Script script;
    int answer = 0;
    script.on = [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
        if (msg != WM_COMMAND || LOWORD(wParam) != IDOK) return FALSE;
        answer = MessageBox(hwnd, L"保存修改吗?", L"提示", MB_YESNO | MB_ICONQUESTION);
        EXPECT_EQ(GetFocus(), GetDlgItem(hwnd, kEdit));  // back where it was
        EndDialog(hwnd, answer == IDYES ? IDOK : IDCANCEL);
        return TRUE;
    };
    Hook hook([&](const ModalInfo& info) {
        if (info.templateId == 200) {
            Key(VK_RETURN);
        } else {
            EXPECT_EQ(info.text, CString(L"保存修改吗?"));
            EXPECT_EQ(info.depth, 2);
            EXPECT_FALSE(IsWindowEnabled(script.hwnd));  // the dialog owns the box
            SendDlgItemMessage(info.dialog, IDYES, BM_CLICK, 0, 0);
        }
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(RunModal(t, script), IDOK);
    EXPECT_EQ(answer, IDYES);
    ASSERT_EQ(hook.seen.size(), 2u);
    EXPECT_EQ(hook.seen[1].templateId, 0u);
    EXPECT_EQ(hook.seen[1].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST_F(DialogFlow, EndDialogFromInitDialogNeverShowsTheDialog) {
    TemplateBuilder t = EntryDialog();
    Script script;
    script.on = [](HWND hwnd, UINT msg, WPARAM, LPARAM) {
        if (msg == WM_INITDIALOG) EndDialog(hwnd, 42);
        return FALSE;
    };
    Hook hook(nullptr);
    EXPECT_EQ(RunModal(t, script), 42);
    EXPECT_TRUE(hook.seen.empty());
    EXPECT_FALSE(script.Saw(WM_SHOWWINDOW));
    EXPECT_FALSE(IsWindow(script.hwnd));
    EXPECT_TRUE(IsWindowEnabled(Owner()));
}

// Each level opens the next from its loop; the fourth lets a worker send
// and post to the outer dialogs, which must all be served before it ends.
TEST_F(DialogFlow, FourNestedModalsKeepServingSentAndPostedMessages) {
    constexpr int kCount = 40;
    const DWORD ui = GetCurrentThreadId();
    std::vector<TemplateBuilder> templates;
    for (UINT id = 301; id <= 304; ++id) templates.emplace_back(id, 100, 50);
    Script scripts[4];
    std::atomic<int> sent{0}, posted{0}, offThread{0};
    quorvel::CWorkerThread worker;
    for (int level = 0; level < 4; ++level) {
        scripts[level].on = [&, level](HWND hwnd, UINT msg, WPARAM, LPARAM) {
            if (GetCurrentThreadId() != ui) ++offThread;
            if (msg == kPing) SetWindowLongPtr(hwnd, DWLP_MSGRESULT, ++sent);
            if (msg == kPosted) ++posted;
            if (msg == kDone) EndDialog(hwnd, 10 + level);
            if (msg == kOpenNested) {
                const INT_PTR inner = RunModal(templates[level + 1], scripts[level + 1], hwnd);
                EndDialog(hwnd, inner + 1);
            }
            return msg >= WM_APP ? TRUE : FALSE;
        };
    }
    Hook hook([&](const ModalInfo& info) {
        if (info.depth < 4) {
            PostMessage(info.dialog, kOpenNested, 0, 0);
            return ModalVerdict::kProceed;
        }
        HWND outer = scripts[0].hwnd, second = scripts[1].hwnd, inner = info.dialog;
        worker.Start([=]() -> DWORD {
            int replies = 0;
            for (int i = 0; i < kCount; ++i) {
                replies += SendMessage(outer, kPing, 0, 0) == i + 1;
                PostMessage(second, kPosted, 0, 0);
            }
            PostMessage(inner, kDone, 0, 0);
            return static_cast<DWORD>(replies);
        });
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(RunModal(templates[0], scripts[0]), 13 + 3);
    EXPECT_EQ(worker.Join(), static_cast<DWORD>(kCount));
    EXPECT_EQ(sent.load(), kCount);
    EXPECT_EQ(posted.load(), kCount);
    EXPECT_EQ(offThread.load(), 0);
    ASSERT_EQ(hook.seen.size(), 4u);
    EXPECT_EQ(hook.seen[3].depth, 4);
    EXPECT_EQ(quorvel::dialogs::ModalDepth(), 0);
}

TEST_F(DialogFlow, AnUnexpectedModalEndsAtOnceAndIsRecorded) {
    TemplateBuilder t = EntryDialog();
    Script script;
    Hook hook([](const ModalInfo&) { return ModalVerdict::kUnexpected; });
    EXPECT_EQ(RunModal(t, script), IDCANCEL);
    EXPECT_TRUE(script.commands.empty());  // the dialog's own Cancel never ran
    const auto failures = quorvel::dialogs::TakeModalFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].info.templateId, 200u);
}

// Both loops overrun while the inner one runs: the inner one ends first,
// and the outer one still notices once it runs again.
TEST_F(DialogFlow, TheWatchdogEndsNestedModalsThatRunTooLongOnTheClock) {
    quorvel::dialogs::SetModalWatchdog(60000);
    TemplateBuilder outer = EntryDialog(), inner(201, 100, 40);
    Script outerScript, innerScript;
    outerScript.on = [&](HWND hwnd, UINT msg, WPARAM, LPARAM) {
        if (msg != kOpenNested) return FALSE;
        EXPECT_EQ(RunModal(inner, innerScript, hwnd), IDCANCEL);
        return TRUE;
    };
    Hook hook([](const ModalInfo& info) {
        if (info.depth == 1)
            PostMessage(info.dialog, kOpenNested, 0, 0);
        else
            quorvel::AdvanceVirtualClock(60001);
        return ModalVerdict::kProceed;
    });
    EXPECT_EQ(RunModal(outer, outerScript), IDCANCEL);
    const auto failures = quorvel::dialogs::TakeModalFailures();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].info.templateId, 201u);
    EXPECT_EQ(failures[1].info.templateId, 200u);
    EXPECT_NE(failures[1].reason.find("watchdog"), std::string::npos);
}

// The close box of WS_SYSMENU sends WM_CLOSE, which the dialog turns into
// IDCANCEL; the OK box of WS_EX_CAPTIONOKBTN sends IDOK.
TEST_F(DialogFlow, CaptionBoxesAnswerTaps) {
    for (INT_PTR expected : {IDCANCEL, IDOK}) {
        const bool ok = expected == IDOK;
        TemplateBuilder t(210, 120, 40, WS_POPUP | WS_CAPTION | (ok ? 0 : WS_SYSMENU));
        t.ExStyle(ok ? WS_EX_CAPTIONOKBTN : 0).Button(L"确定", 1500, 8, 8);
        Script script;
        Hook hook([](const ModalInfo& info) {
            RECT r{};
            GetWindowRect(info.dialog, &r);
            const int x = r.right - 3 - 9, y = r.top + 1 + quorvel::win::kCaptionHeight / 2;
            quorvel::win::InjectStylus(x, y, true);
            quorvel::win::InjectStylus(x, y, false);
            return ModalVerdict::kProceed;
        });
        EXPECT_EQ(RunModal(t, script), expected);
        EXPECT_EQ(script.commands, std::vector<UINT>{static_cast<UINT>(expected)});
    }
}

TEST_F(DialogFlow, ModelessDialogsAsChildPagesAndTopLevelWindows) {
    TemplateBuilder page(400, 100, 40, WS_CHILD | WS_VISIBLE, L"");
    page.Edit(kEdit, 4, 4);
    Script pageScript;
    HWND child = CreateDialogIndirectParam(nullptr, page.Get(), Owner(), &ScriptProc,
                                           reinterpret_cast<LPARAM>(&pageScript));
    ASSERT_TRUE(child);
    EXPECT_EQ(GetParent(child), Owner());
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(quorvel::dialogs::DialogTemplateId(child), 400u);

    TemplateBuilder prompt(401, 100, 40, WS_POPUP | WS_CAPTION | WS_VISIBLE, L"报警");
    prompt.Button(L"确定", IDOK, 30, 10, true);
    Script promptScript;
    HWND top = CreateDialogIndirectParam(nullptr, prompt.Get(), nullptr, &ScriptProc,
                                         reinterpret_cast<LPARAM>(&promptScript));
    ASSERT_TRUE(top);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), GetDlgItem(top, IDOK));
    EXPECT_TRUE(IsWindowEnabled(Owner()));  // modeless: nothing is disabled
    // The program's own loop gives the dialog its keys.
    Key(VK_RETURN);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessage(top, &msg)) DispatchMessage(&msg);
    EXPECT_EQ(promptScript.commands, std::vector<UINT>{IDOK});
    DestroyWindow(top);
    DestroyWindow(child);
}

}  // namespace
