// List boxes and combo boxes: looks, items kept sorted or in order, the
// selection by stylus and keys with its notifications, scrolling, and the
// combo box's drop-down opening over the dialog.
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;

namespace {

void Add(HWND hwnd, UINT msg, std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items) SendMessage(hwnd, msg, 0, reinterpret_cast<LPARAM>(item));
}

std::wstring ItemText(HWND list, int index, UINT msg = LB_GETTEXT) {
    wchar_t buffer[64] = {};
    SendMessage(list, msg, index, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

class ListBoxes : public ControlTest {};

TEST_F(ListBoxes, LooksMatchTheirReference) {
    Sheet sheet;
    auto add = [&](DWORD style, int height, auto&& prepare) {
        HWND l = Alone(L"ListBox", L"", style | WS_BORDER | WS_VSCROLL, 110, height);
        Add(l, LB_ADDSTRING, {L"作业一", L"作业二", L"job3", L"作业四", L"作业五", L"作业六"});
        prepare(l);
        sheet.Add(Snap(l));
        DestroyWindow(GetParent(l));
    };
    add(0, 90, [](HWND l) { SendMessage(l, LB_SETCURSEL, 1, 0); });
    add(0, 90, [](HWND l) {
        SendMessage(l, LB_SETCURSEL, 2, 0);
        SetFocus(l);
    });
    add(0, 46, [](HWND l) { SendMessage(l, LB_SETCURSEL, 3, 0); });  // scrolled to it
    add(WS_DISABLED, 46, [](HWND) {});
    quorvel::testing::ExpectMatchesReference(sheet.image(), "listboxes");
}

TEST_F(ListBoxes, SortedAddsInsertsDeletesAndFinds) {
    HWND host = Host(200, 120);
    HWND l = Make(host, L"ListBox", L"", LBS_SORT, {0, 0, 100, 100}, 1100);
    Add(l, LB_ADDSTRING, {L"b", L"D", L"a", L"c"});
    EXPECT_EQ(ItemText(l, 0), L"a");
    EXPECT_EQ(ItemText(l, 3), L"D");
    SendMessage(l, LB_SETCURSEL, 2, 0);  // "c"
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"z")), 0);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3);  // still "c"
    EXPECT_EQ(SendMessage(l, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(L"x")), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 0, 0), 4);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 2, 0), 3);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);  // the selected one went
    EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"d")), 2);
    EXPECT_EQ(SendMessage(l, LB_FINDSTRING, 0, reinterpret_cast<LPARAM>(L"A")), 0);
    EXPECT_EQ(SendMessage(l, LB_FINDSTRING, -1, reinterpret_cast<LPARAM>(L"q")), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_SETITEMDATA, 1, 4711), LB_OKAY);
    EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 1, 0), 4711);
    EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 1, 0), 1);
    EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessage(l, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(Text(l),
              "ListBox id=1100 \"\" (0,0,100,100) LBS_SORT sel=-1 top=0 "
              "items=[\"a\",\"b\",\"D\"]");
    SendMessage(l, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxes, TapsAndKeysSelectAndNotifyOnlyWithNotify) {
    HWND host = Host(220, 120);
    HWND quiet = Make(host, L"ListBox", L"", 0, {0, 0, 100, 100}, 1);
    HWND loud = Make(host, L"ListBox", L"", LBS_NOTIFY, {110, 0, 210, 100}, 2);
    Add(quiet, LB_ADDSTRING, {L"0", L"1", L"2"});
    Add(loud, LB_ADDSTRING, {L"0", L"1", L"2"});
    const int h = static_cast<int>(SendMessage(loud, LB_GETITEMHEIGHT, 0, 0));
    Tap(quiet, {10, h + 2});
    EXPECT_EQ(SendMessage(quiet, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(Commands(1).empty());
    Wait();
    Tap(loud, {10, 2 * h + 2});
    Tap(loud, {10, 2 * h + 2});  // a double tap
    EXPECT_EQ(SendMessage(loud, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Commands(2), (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
    TakeEvents();
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP);  // already at the top: nothing
    EXPECT_EQ(SendMessage(loud, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Commands(2), (std::vector<UINT>{LBN_SELCHANGE, LBN_SELCHANGE}));
    SendMessage(loud, LB_SETCURSEL, 1, 0);  // the program's own choice: no notification
    EXPECT_EQ(Commands(2).size(), 2u);
}

TEST_F(ListBoxes, OverflowingItemsScrollByTheBarAndFollowTheSelection) {
    HWND host = Host(200, 120);
    HWND l = Make(host, L"ListBox", L"", LBS_NOTIFY | WS_VSCROLL, {0, 0, 100, 60}, 3);
    for (int i = 0; i < 20; ++i)
        SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
    const int h = static_cast<int>(SendMessage(l, LB_GETITEMHEIGHT, 0, 0));
    const int visible = 60 / h;
    Tap(l, {95, 55});  // the down arrow
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 1);
    Wait();
    Tap(l, {95, 40});  // the track below the thumb: a page
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 1 + visible);
    SendMessage(l, LB_SETCURSEL, 19, 0);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 20 - visible);
    SendMessage(l, LB_SETTOPINDEX, 0, 0);
    SetFocus(l);
    Key(VK_END);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 20 - visible);
    Wait();
    Down(l, {95, 43});  // drag the thumb (at the bottom of its track) to the top
    Move(l, {95, 0});
    Up(l, {95, 0});
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 19);  // the bar leaves the selection
}

class ComboBoxes : public ControlTest {
  protected:
    HWND Combo(HWND host, DWORD style, RECT r, int id = 1072) {
        HWND c = Make(host, L"ComboBox", L"", style | WS_VSCROLL, r, id);
        Add(c, CB_ADDSTRING, {L"Single", L"DGPS", L"FLOAT", L"FIXED"});
        return c;
    }
    HWND Dropped() { return FindWindow(L"ComboLBox", nullptr); }
};

TEST_F(ComboBoxes, ClosedLooksMatchTheirReference) {
    Sheet sheet;
    auto add = [&](DWORD style, auto&& prepare) {
        HWND host = Host(116, 26);
        HWND c = Combo(host, style, {3, 3, 113, 100});
        prepare(c);
        sheet.Add(Snap(host));
        DestroyWindow(host);
    };
    add(CBS_DROPDOWNLIST, [](HWND c) { SendMessage(c, CB_SETCURSEL, 2, 0); });
    add(CBS_DROPDOWNLIST, [](HWND c) {
        SendMessage(c, CB_SETCURSEL, 1, 0);
        SetFocus(c);
    });
    add(CBS_DROPDOWNLIST | WS_DISABLED, [](HWND c) { SendMessage(c, CB_SETCURSEL, 0, 0); });
    add(CBS_DROPDOWN, [](HWND c) { SetWindowText(c, L"全部"); });
    quorvel::testing::ExpectMatchesReference(sheet.image(), "comboboxes");
}

TEST_F(ComboBoxes, TheListOpensOverTheDialogAndATapChoosesAnItem) {
    HWND host = Host(160, 120);
    HWND c = Combo(host, CBS_DROPDOWNLIST, {20, 10, 120, 110});
    RECT field{};
    GetWindowRect(c, &field);
    EXPECT_LT(field.bottom - field.top, 30);  // the rest of the height is for the list
    Tap(c, {10, 5});
    EXPECT_EQ(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0), TRUE);
    HWND list = Dropped();
    ASSERT_TRUE(IsWindowVisible(list));
    RECT open{};
    GetWindowRect(list, &open);
    EXPECT_EQ(open.top, field.bottom);
    EXPECT_EQ(open.left, field.left);
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), "combo_open");
    const int h = static_cast<int>(SendMessage(c, CB_GETITEMHEIGHT, 0, 0));
    Wait();
    Tap(list, {10, 3 * h + 3});  // "FIXED"
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(Commands(1072), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP,
                                                 CBN_SELENDOK, CBN_SELCHANGE}));
    wchar_t text[16] = {};
    GetWindowText(c, text, 16);
    EXPECT_EQ(std::wstring(text), L"FIXED");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxes, NearTheBottomTheListOpensAboveAndATapOutsideCancels) {
    HWND host = Host(240, 320);
    HWND c = Combo(host, CBS_DROPDOWNLIST, {20, 290, 120, 390});
    SendMessage(c, CB_SETCURSEL, 1, 0);
    SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
    RECT field{}, open{};
    GetWindowRect(c, &field);
    GetWindowRect(Dropped(), &open);
    EXPECT_EQ(open.bottom, field.top);
    TakeEvents();
    Tap(host, {200, 20});
    EXPECT_EQ(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Commands(1072), (std::vector<UINT>{CBN_CLOSEUP, CBN_SELENDCANCEL}));
}

TEST_F(ComboBoxes, KeysStepTheSelectionAndNoneIsAllowed) {
    HWND host = Host(160, 60);
    HWND c = Combo(host, CBS_DROPDOWNLIST, {10, 10, 110, 100});
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
    SetFocus(c);
    TakeEvents();
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Commands(1072), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELCHANGE}));
    SendMessage(c, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(GetWindowTextLength(c), 0);
    EXPECT_EQ(SendMessage(c, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(L"fixed")), 3);
    SendMessage(c, CB_DELETESTRING, 0, 0);
    SendMessage(c, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"单点"));
    EXPECT_EQ(ItemText(c, 0, CB_GETLBTEXT), L"单点");
    EXPECT_EQ(SendMessage(c, CB_GETLBTEXTLEN, 0, 0), 2);
    SendMessage(c, CB_SETITEMDATA, 2, 99);
    EXPECT_EQ(SendMessage(c, CB_GETITEMDATA, 2, 0), 99);
    EXPECT_EQ(Text(c),
              "ComboBox id=1072 \"\" (10,10,110,30) CBS_DROPDOWNLIST focused sel=-1 "
              "items=[\"单点\",\"DGPS\",\"FLOAT\",\"FIXED\"]");
}

TEST_F(ComboBoxes, AnEditableComboReportsTypingButNotChoices) {
    HWND host = Host(160, 60);
    HWND c = Combo(host, CBS_DROPDOWN | CBS_SORT, {10, 10, 110, 100}, 1045);
    EXPECT_EQ(ItemText(c, 0, CB_GETLBTEXT), L"DGPS");  // sorted
    HWND edit = GetWindow(c, GW_CHILD);
    Tap(edit, {5, 5});
    EXPECT_EQ(GetFocus(), edit);
    TakeEvents();
    Type(L"12");
    EXPECT_EQ(Commands(1045),
              (std::vector<UINT>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
    TakeEvents();
    Key(VK_DOWN);
    wchar_t text[16] = {};
    GetWindowText(c, text, 16);
    EXPECT_EQ(std::wstring(text), L"DGPS");
    EXPECT_EQ(Commands(1045), std::vector<UINT>{CBN_SELCHANGE});
}

}  // namespace
