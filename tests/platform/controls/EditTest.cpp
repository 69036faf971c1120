// Edit controls: their looks, typing within the limit and the styles,
// keyboard and stylus editing of the selection, notifications, dialog
// codes and multi-line scrolling.
#include <algorithm>

#include "platform/testing/ReferenceImage.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;

namespace {

class Edits : public ControlTest {
  protected:
    HWND Field(DWORD style = ES_LEFT | ES_AUTOHSCROLL, const wchar_t* text = L"", int id = 1000) {
        m_host = Host(200, 120);
        return Make(m_host, L"Edit", text, style | WS_BORDER, {10, 10, 110, 28}, id);
    }
    std::wstring Get(HWND edit) {
        wchar_t buffer[256] = {};
        GetWindowText(edit, buffer, 256);
        return buffer;
    }
    std::pair<DWORD, DWORD> Sel(HWND edit) {
        DWORD s = 0, e = 0;
        SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        return {s, e};
    }
    HWND m_host = nullptr;
};

TEST_F(Edits, LooksInEveryStateMatchTheirReference) {
    Sheet sheet;
    auto add = [&](const wchar_t* text, DWORD style, auto&& prepare, int h = 18) {
        HWND e = Alone(L"Edit", text, style | WS_BORDER, 110, h);
        prepare(e);
        sheet.Add(Snap(e));
        DestroyWindow(GetParent(e));
    };
    auto none = [](HWND) {};
    add(L"", ES_LEFT, none);
    add(L"点名 P12", ES_LEFT, none);
    add(L"焦点", ES_LEFT, [](HWND e) {
        SetFocus(e);
        SendMessage(e, EM_SETSEL, 2, 2);
    });
    add(L"选中的文字", ES_LEFT, [](HWND e) {
        SetFocus(e);
        SendMessage(e, EM_SETSEL, 1, 3);
    });
    add(L"只读", ES_READONLY, none);
    add(L"禁用", ES_LEFT | WS_DISABLED, none);
    add(L"secret", ES_PASSWORD, none);
    add(L"居中", ES_CENTER, none);
    add(L"3.1416", ES_RIGHT, none);
    add(L"0123456789abcdefghijklmnopqrstuvwxyz", ES_AUTOHSCROLL, [](HWND e) {
        SetFocus(e);
        SendMessage(e, EM_SETSEL, 36, 36);
    });
    add(L"$GPGGA,012345.00,3959.1234,N,11619.5678,E,4,12,0.9,45.6,M,-8.1,M,1.0,0001*7B",
        ES_MULTILINE | ES_READONLY | WS_VSCROLL, none, 54);
    add(L"第一行\r\n第二行\r\n第三行", ES_MULTILINE, none, 42);
    quorvel::testing::ExpectMatchesReference(sheet.image(), "edits");
}

TEST_F(Edits, TypingNotifiesUpdateThenChangeAndStopsAtTheLimit) {
    HWND e = Field();
    SendMessage(e, EM_LIMITTEXT, 4, 0);
    SetFocus(e);
    TakeEvents();
    Type(L"ab");
    EXPECT_EQ(Get(e), L"ab");
    EXPECT_EQ(Commands(1000), (std::vector<UINT>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    TakeEvents();
    Type(L"cdef");
    EXPECT_EQ(Get(e), L"abcd");
    const std::vector<UINT> codes = Commands(1000);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), UINT{EN_MAXTEXT}), 2);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), UINT{EN_CHANGE}), 2);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 4);
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
    // The program's own text is not held to the limit.
    SetWindowText(e, L"123456");
    EXPECT_EQ(Get(e), L"123456");
    EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
}

TEST_F(Edits, StylesFilterWhatIsTyped) {
    HWND number = Field(ES_NUMBER, L"", 1);
    SetFocus(number);
    Type(L"1a2.3-");
    EXPECT_EQ(Get(number), L"123");
    HWND upper = Make(m_host, L"Edit", L"", ES_UPPERCASE, {10, 40, 110, 58}, 2);
    SetFocus(upper);
    Type(L"rtk");
    EXPECT_EQ(Get(upper), L"RTK");
    HWND readOnly = Make(m_host, L"Edit", L"固定", ES_READONLY, {10, 70, 110, 88}, 3);
    SetFocus(readOnly);
    TakeEvents();
    Type(L"x\b");
    Key(VK_DELETE);
    EXPECT_EQ(Get(readOnly), L"固定");
    EXPECT_EQ(Commands(3), std::vector<UINT>{});
}

TEST_F(Edits, KeysMoveTheCaretAndShiftExtendsTheSelection) {
    HWND e = Field(ES_LEFT, L"abcdef");
    SetFocus(e);
    Key(VK_END);
    EXPECT_EQ(Sel(e), std::make_pair(DWORD{6}, DWORD{6}));
    Key(VK_LEFT);
    Key(VK_LEFT);
    quorvel::win::InjectKey(VK_SHIFT, true);
    Key(VK_HOME);
    quorvel::win::InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(Sel(e), std::make_pair(DWORD{0}, DWORD{4}));
    Type(L"X");
    EXPECT_EQ(Get(e), L"Xef");
    Key(VK_BACK);
    Key(VK_DELETE);
    EXPECT_EQ(Get(e), L"f");
    SendMessage(e, EM_SETSEL, 0, -1);
    EXPECT_EQ(Sel(e), std::make_pair(DWORD{0}, DWORD{1}));
    SendMessage(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"北坐标"));
    EXPECT_EQ(Get(e), L"北坐标");
    EXPECT_EQ(SendMessage(e, EM_GETSEL, 0, 0), MAKELONG(3, 3));
    SendMessage(e, EM_SETSEL, -1, 0);
    EXPECT_EQ(Sel(e), std::make_pair(DWORD{3}, DWORD{3}));
}

TEST_F(Edits, TheStylusPlacesTheCaretAndDragsASelection) {
    HWND e = Field(ES_LEFT, L"0123456789");
    Tap(e, {2 + 6 * 3 + 2, 8});  // digits are 6 pixels wide: just past the third
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(Sel(e), std::make_pair(DWORD{3}, DWORD{3}));
    Wait();
    Down(e, {2 + 6 * 1, 8});
    Move(e, {2 + 6 * 5, 8});
    Up(e, {2 + 6 * 5, 8});
    EXPECT_EQ(Sel(e), std::make_pair(DWORD{1}, DWORD{5}));
    EXPECT_EQ(Text(e), "Edit id=1000 \"0123456789\" (10,10,110,28) focused sel=1..5");
}

TEST_F(Edits, FocusNotificationsAndDialogCodes) {
    HWND e = Field();
    HWND multi = Make(m_host, L"Edit", L"", ES_MULTILINE, {10, 40, 110, 80}, 2);
    SetFocus(e);
    SetFocus(multi);
    EXPECT_EQ(Commands(1000), (std::vector<UINT>{EN_SETFOCUS, EN_KILLFOCUS}));
    EXPECT_EQ(Commands(2), std::vector<UINT>{EN_SETFOCUS});
    const LRESULT single = SendMessage(e, WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(single, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    EXPECT_TRUE(SendMessage(multi, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    MSG enter{multi, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_FALSE(SendMessage(multi, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                 DLGC_WANTALLKEYS);
}

TEST_F(Edits, SettingTextNotifiesOnlySingleLineEdits) {
    HWND single = Field();
    HWND multi = Make(m_host, L"Edit", L"", ES_MULTILINE, {10, 40, 110, 80}, 2);
    SetWindowText(single, L"1");
    SetWindowText(multi, L"1");
    EXPECT_EQ(Commands(1000), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(Commands(2), std::vector<UINT>{});
}

TEST_F(Edits, MultiLineWrapsTakesReturnsAndScrollsByItsBar) {
    m_host = Host(200, 120);
    HWND e = Make(m_host, L"Edit", L"", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_BORDER,
                  {10, 10, 110, 50}, 5);
    SetFocus(e);
    Type(L"1\r2\r3\r4\r5");
    EXPECT_EQ(Get(e), L"1\r\n2\r\n3\r\n4\r\n5");
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 4);
    EXPECT_GT(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);  // followed the caret
    Key(VK_BACK);
    EXPECT_EQ(Get(e), L"1\r\n2\r\n3\r\n4\r\n");
    Key(VK_BACK);  // a line break goes as one
    EXPECT_EQ(Get(e), L"1\r\n2\r\n3\r\n4");
    SendMessage(e, EM_SETSEL, 0, 0);
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    RECT r{};
    GetClientRect(e, &r);
    Tap(e, {r.right - 5, r.bottom - 5});  // the down arrow
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    SetWindowText(e, L"一二三四五六七八九十一二三四五六七八九十");
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);  // 6 characters to a line
}

}  // namespace
