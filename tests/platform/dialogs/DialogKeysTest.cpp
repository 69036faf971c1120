// Dialog keyboard handling over real controls: the tab order, radio groups
// and arrows, the default button following the focus, and the dialog codes
// of controls that keep keys for themselves.
#include "tests/platform/dialogs/DialogTestSupport.h"

using namespace dlgtest;
using quorvel::dialogs::ModalInfo;
using quorvel::dialogs::ModalVerdict;

namespace {

constexpr UINT kName = 1001, kRadioA = 1010, kRadioB = 1011, kRadioC = 1012, kApply = 1020,
               kLabel = 1030, kCheck = 1040, kMulti = 1050;

// name edit, a label, three auto radios (a group), a check box, then OK
// (default), a disabled Apply and Cancel.
TemplateBuilder Form() {
    TemplateBuilder t(500, 140, 130);
    t.Edit(kName, 8, 4)
        .Add(L"Static", L"说明", kLabel, 8, 18, 40, 10, SS_LEFT)
        .Radio(L"甲", kRadioA, 8, 30, true)
        .Radio(L"乙", kRadioB, 8, 42, false)
        .Radio(L"丙", kRadioC, 8, 54, false)
        .Add(L"Button", L"选项", kCheck, 8, 66, 50, 10, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP)
        .Button(L"确定", IDOK, 4, 108, true)
        .Add(L"Button", L"应用", kApply, 48, 108, 40, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED)
        .Button(L"取消", IDCANCEL, 92, 108);
    return t;
}

int FocusId() {
    return GetDlgCtrlID(GetFocus());
}

LONG ButtonType(HWND dialog, UINT id) {
    return GetWindowLong(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK;
}

// Runs the form modally; `drive` runs inside the loop (from a posted
// message) and the dialog is cancelled afterwards.
class DialogKeys : public DialogTest {
  protected:
    void Drive(std::function<void(HWND)> drive, TemplateBuilder t = Form()) {
        Script script;
        script.on = [&](HWND hwnd, UINT msg, WPARAM, LPARAM) {
            if (msg != WM_APP) return FALSE;
            drive(hwnd);
            EndDialog(hwnd, IDCANCEL);
            return TRUE;
        };
        Hook hook([](const ModalInfo& info) {
            PostMessage(info.dialog, WM_APP, 0, 0);
            return ModalVerdict::kProceed;
        });
        RunModal(t, script);
    }
    // Keys are handled by the loop: pump it until they are through.
    static void Press(UINT vk, bool shift = false) {
        shift ? ShiftKey(vk) : Key(vk);
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessage(GetActiveWindow(), &msg)) DispatchMessage(&msg);
    }
};

TEST_F(DialogKeys, TabVisitsTabStopsInTemplateOrderAndShiftTabGoesBack) {
    Drive([](HWND dlg) {
        EXPECT_EQ(FocusId(), static_cast<int>(kName));
        std::vector<int> forward;
        for (int i = 0; i < 6; ++i) {
            Press(VK_TAB);
            forward.push_back(FocusId());
        }
        // The label has no tab stop; the radio group is one stop; the
        // disabled Apply button is skipped; the order wraps.
        const std::vector<int> expected{kRadioA, kCheck, IDOK, IDCANCEL, kName, kRadioA};
        EXPECT_EQ(forward, expected);
        Press(VK_TAB, true);
        EXPECT_EQ(FocusId(), static_cast<int>(kName));
        Press(VK_TAB, true);
        EXPECT_EQ(FocusId(), IDCANCEL);
        EXPECT_EQ(GetNextDlgTabItem(dlg, nullptr, TRUE), GetDlgItem(dlg, IDCANCEL));
    });
}

TEST_F(DialogKeys, ArrowsMoveWithinTheRadioGroupAndCheckAsTheyGo) {
    Drive([](HWND dlg) {
        CheckRadioButton(dlg, kRadioA, kRadioC, kRadioA);
        SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, kRadioA)), TRUE);
        Press(VK_DOWN);
        EXPECT_EQ(FocusId(), static_cast<int>(kRadioB));
        EXPECT_EQ(IsDlgButtonChecked(dlg, kRadioB), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(IsDlgButtonChecked(dlg, kRadioA), static_cast<UINT>(BST_UNCHECKED));
        Press(VK_RIGHT);
        Press(VK_DOWN);  // wraps within the group, never into the check box
        EXPECT_EQ(FocusId(), static_cast<int>(kRadioA));
        Press(VK_UP);
        EXPECT_EQ(FocusId(), static_cast<int>(kRadioC));
        EXPECT_EQ(IsDlgButtonChecked(dlg, kRadioC), static_cast<UINT>(BST_CHECKED));
        // Tabbing back into the group lands on its checked button.
        Press(VK_TAB);
        Press(VK_TAB, true);
        EXPECT_EQ(FocusId(), static_cast<int>(kRadioC));
        EXPECT_EQ(GetNextDlgGroupItem(dlg, GetDlgItem(dlg, kRadioA), TRUE),
                  GetDlgItem(dlg, kRadioC));
    });
}

TEST_F(DialogKeys, ControlsThatWantKeysKeepThem) {
    TemplateBuilder t(501, 120, 60);
    t.Edit(kName, 8, 4)
        .Add(L"Edit", L"", kMulti, 8, 18, 80, 24,
             ES_MULTILINE | ES_WANTRETURN | WS_BORDER | WS_TABSTOP)
        .Button(L"确定", IDOK, 8, 44, true);
    Drive(
        [](HWND dlg) {
            HWND name = GetDlgItem(dlg, kName);
            SetWindowText(name, L"ab");
            Press(VK_LEFT);  // moves the caret, not the focus
            EXPECT_EQ(GetFocus(), name);
            HWND multi = GetDlgItem(dlg, kMulti);
            SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(multi), TRUE);
            Press('X');
            Press(VK_RETURN);  // a new line, not the default button
            EXPECT_EQ(GetFocus(), multi);
            wchar_t text[16] = {};
            GetWindowText(multi, text, 16);
            EXPECT_EQ(CString(text), CString(L"x\r\n"));
            auto* script = reinterpret_cast<Script*>(GetWindowLongPtr(dlg, DWLP_USER));
            EXPECT_TRUE(script->commands.empty());
        },
        t);
}

TEST_F(DialogKeys, TheDefaultButtonFollowsTheFocusedPushButton) {
    std::vector<UINT> pressed;
    TemplateBuilder t = Form();
    Script script;
    script.on = [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_COMMAND && LOWORD(wParam) == kApply) pressed.push_back(kApply);
        if (msg != WM_APP) return FALSE;
        EnableWindow(GetDlgItem(hwnd, kApply), TRUE);
        SendMessage(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, kApply)), 1);
        EXPECT_EQ(ButtonType(hwnd, kApply), BS_DEFPUSHBUTTON);
        EXPECT_EQ(ButtonType(hwnd, IDOK), BS_PUSHBUTTON);
        Press(VK_RETURN);  // presses Apply, the focused button
        SendMessage(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, kName)), 1);
        EXPECT_EQ(ButtonType(hwnd, IDOK), BS_DEFPUSHBUTTON);
        EXPECT_EQ(ButtonType(hwnd, kApply), BS_PUSHBUTTON);
        SendMessage(hwnd, DM_SETDEFID, kApply, 0);
        EXPECT_EQ(SendMessage(hwnd, DM_GETDEFID, 0, 0), MAKELONG(kApply, DC_HASDEFID));
        EXPECT_EQ(ButtonType(hwnd, kApply), BS_DEFPUSHBUTTON);
        Press(VK_RETURN);  // from the edit: the new default
        EndDialog(hwnd, IDCANCEL);
        return TRUE;
    };
    Hook hook([](const ModalInfo& info) {
        PostMessage(info.dialog, WM_APP, 0, 0);
        return ModalVerdict::kProceed;
    });
    RunModal(t, script);
    EXPECT_EQ(pressed, (std::vector<UINT>{kApply, kApply}));
}

// A button that draws itself keeps the owner-draw type; its dialog code
// says whether it is the default push button, and the dialog manager tells
// it through BM_SETSTYLE as the focus moves.
struct SelfDrawnPush {
    static inline WNDPROC original = nullptr;
    static inline bool isDefault = false;
    static inline std::vector<LONG> styles;
    static LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_GETDLGCODE)
            return DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        if (m == BM_SETSTYLE) {
            styles.push_back(static_cast<LONG>(w & BS_TYPEMASK));
            isDefault = (w & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            w = (w & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
        }
        return CallWindowProc(original, h, m, w, l);
    }
};

TEST_F(DialogKeys, AnOwnerDrawnPushButtonTakesTheDefaultStateAndEnter) {
    std::vector<UINT> pressed;
    TemplateBuilder t = Form();
    t.Add(L"Button", L"图", kMulti, 92, 90, 40, 14, BS_OWNERDRAW | WS_TABSTOP);
    SelfDrawnPush::styles.clear();
    SelfDrawnPush::isDefault = false;
    Script script;
    script.on = [&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_COMMAND && LOWORD(wParam) == kMulti) pressed.push_back(kMulti);
        if (msg != WM_APP) return FALSE;
        HWND own = GetDlgItem(hwnd, kMulti);
        SelfDrawnPush::original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(own, GWL_WNDPROC));
        SetWindowLongPtr(own, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&SelfDrawnPush::Proc));
        SendMessage(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(own), 1);
        EXPECT_TRUE(SelfDrawnPush::isDefault);
        EXPECT_EQ(ButtonType(hwnd, kMulti), BS_OWNERDRAW);
        EXPECT_EQ(ButtonType(hwnd, IDOK), BS_PUSHBUTTON);
        Press(VK_RETURN);
        SendMessage(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, kName)), 1);
        EXPECT_FALSE(SelfDrawnPush::isDefault);
        EXPECT_EQ(ButtonType(hwnd, IDOK), BS_DEFPUSHBUTTON);
        EndDialog(hwnd, IDCANCEL);
        return TRUE;
    };
    Hook hook([](const ModalInfo& info) {
        PostMessage(info.dialog, WM_APP, 0, 0);
        return ModalVerdict::kProceed;
    });
    RunModal(t, script);
    EXPECT_EQ(pressed, std::vector<UINT>{kMulti});
    EXPECT_EQ(SelfDrawnPush::styles, (std::vector<LONG>{BS_DEFPUSHBUTTON, BS_PUSHBUTTON}));
}

}  // namespace
