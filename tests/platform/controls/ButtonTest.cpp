// Statics and buttons: their looks in every state, clicks only when the
// stylus is released inside, keyboard clicks, auto radio groups, owner
// drawing and the stylus passing through statics.
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;

namespace {

class Buttons : public ControlTest {};

TEST_F(Buttons, EveryKindInEveryStateMatchesItsReference) {
    Sheet sheet;
    auto add = [&](const wchar_t* text, DWORD style, auto&& prepare) {
        HWND b = Alone(L"Button", text, style, 96, 22);
        prepare(b);
        sheet.Add(Snap(b));
        DestroyWindow(GetParent(b));
    };
    auto none = [](HWND) {};
    add(L"确定", BS_PUSHBUTTON, none);
    add(L"默认", BS_DEFPUSHBUTTON, none);
    add(L"焦点", BS_PUSHBUTTON, [](HWND b) { SetFocus(b); });
    add(L"按下", BS_PUSHBUTTON, [](HWND b) { SendMessage(b, BM_SETSTATE, TRUE, 0); });
    add(L"禁用", BS_PUSHBUTTON | WS_DISABLED, none);
    add(L"复选框", BS_AUTOCHECKBOX, none);
    add(L"已选中", BS_AUTOCHECKBOX, [](HWND b) { SendMessage(b, BM_SETCHECK, BST_CHECKED, 0); });
    add(L"焦点复选", BS_AUTOCHECKBOX, [](HWND b) { SetFocus(b); });
    add(L"禁用选中", BS_AUTOCHECKBOX | WS_DISABLED,
        [](HWND b) { SendMessage(b, BM_SETCHECK, BST_CHECKED, 0); });
    add(L"单选", BS_AUTORADIOBUTTON, none);
    add(L"单选选中", BS_AUTORADIOBUTTON,
        [](HWND b) { SendMessage(b, BM_SETCHECK, BST_CHECKED, 0); });
    add(L"按钮式", BS_AUTOCHECKBOX | BS_PUSHLIKE,
        [](HWND b) { SendMessage(b, BM_SETCHECK, BST_CHECKED, 0); });
    add(L"两行的按钮文字", BS_PUSHBUTTON | BS_MULTILINE, none);
    HWND box = Alone(L"Button", L"分组框", BS_GROUPBOX, 96, 40);
    sheet.Add(Snap(box));
    quorvel::testing::ExpectMatchesReference(sheet.image(), "buttons");
}

// Waits for the window manager to let WS_EX_TRANSPARENT windows (group
// boxes, frames) leave their siblings unclipped: until then the controls a
// group box created before them surrounds are hidden under it.
TEST_F(Buttons, AGroupBoxFramesTheRadioButtonsInsideIt) {
    HWND host = Host(130, 70);
    Make(host, L"Button", L"存储方式", BS_GROUPBOX | WS_GROUP, {3, 3, 127, 67}, 1);
    HWND r1 = Make(host, L"Button", L"自动", BS_AUTORADIOBUTTON | WS_GROUP, {10, 20, 120, 38}, 2);
    Make(host, L"Button", L"手动", BS_AUTORADIOBUTTON, {10, 42, 120, 60}, 3);
    SendMessage(r1, BM_SETCHECK, BST_CHECKED, 0);
    const quorvel::gdi::Image image = Snap(host);
    // The checked radio's dot, at the centre of its circle.
    EXPECT_EQ(image.At(10 + 5, 20 + 3 + 5), 0x000000u);
    EXPECT_EQ(image.At(10 + 2, 42 + 3 + 5), 0xFFFFFFu);  // the other one's white field
}

TEST_F(Buttons, ClickOnlyWhenReleasedInsideWithThePressedLookWhileDown) {
    HWND host = Host(200, 60);
    HWND b = Make(host, L"Button", L"OK", BS_PUSHBUTTON, {10, 10, 70, 32}, 1);
    Down(b, {5, 5});
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(GetFocus(), b);
    Move(b, {100, 5});  // slid off: the button pops up
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    Move(b, {10, 5});
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    Up(b, {100, 5});
    EXPECT_TRUE(Commands(1).empty());
    EXPECT_EQ(GetCapture(), nullptr);
    Wait();
    Tap(b, {20, 10});
    EXPECT_EQ(Commands(1), std::vector<UINT>{BN_CLICKED});
    EXPECT_EQ(SendMessage(b, BM_GETSTATE, 0, 0), BST_FOCUS);
}

TEST_F(Buttons, SpaceEnterAndBmClickClickWhileDisabledButtonsIgnoreAll) {
    HWND host = Host(200, 60);
    HWND b = Make(host, L"Button", L"OK", BS_PUSHBUTTON, {10, 10, 70, 32}, 7);
    HWND off = Make(host, L"Button", L"No", BS_PUSHBUTTON | WS_DISABLED, {80, 10, 140, 32}, 8);
    SetFocus(b);
    quorvel::win::InjectKey(VK_SPACE, true);
    Pump();
    EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_TRUE(Commands(7).empty());
    quorvel::win::InjectKey(VK_SPACE, false);
    Pump();
    Key(VK_RETURN);
    SendMessage(b, BM_CLICK, 0, 0);
    EXPECT_EQ(Commands(7), (std::vector<UINT>{BN_CLICKED, BN_CLICKED, BN_CLICKED}));
    SendMessage(off, BM_CLICK, 0, 0);
    Tap(off, {5, 5});
    EXPECT_TRUE(Commands(8).empty());
}

TEST_F(Buttons, AutoRadioClearsOnlyItsOwnGroupAndTakesTheTabStop) {
    HWND host = Host(200, 120);
    HWND a1 = Make(host, L"Button", L"A1", BS_AUTORADIOBUTTON | WS_GROUP, {0, 0, 80, 20}, 11);
    HWND a2 = Make(host, L"Button", L"A2", BS_AUTORADIOBUTTON, {0, 20, 80, 40}, 12);
    HWND a3 = Make(host, L"Button", L"A3", BS_AUTORADIOBUTTON, {0, 40, 80, 60}, 13);
    HWND b1 = Make(host, L"Button", L"B1", BS_AUTORADIOBUTTON | WS_GROUP, {100, 0, 180, 20}, 21);
    HWND b2 = Make(host, L"Button", L"B2", BS_AUTORADIOBUTTON, {100, 20, 180, 40}, 22);
    SendMessage(a1, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(b1, BM_SETCHECK, BST_CHECKED, 0);
    Tap(a3, {5, 5});
    EXPECT_EQ(SendMessage(a1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(a2, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(a3, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(b1, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(GetWindowLong(a1, GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLong(a3, GWL_STYLE) & WS_TABSTOP);
    Wait();
    Tap(b2, {5, 5});
    EXPECT_EQ(SendMessage(b1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessage(a3, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Commands(13), std::vector<UINT>{BN_CLICKED});
    EXPECT_EQ(Text(a3), "Button id=13 \"A3\" (0,40,80,60) BS_AUTORADIOBUTTON WS_TABSTOP checked");
}

TEST_F(Buttons, CheckBoxesToggleOnlyWhenAutomatic) {
    HWND host = Host(200, 60);
    HWND autoBox = Make(host, L"Button", L"auto", BS_AUTOCHECKBOX, {0, 0, 90, 20}, 1);
    HWND plain = Make(host, L"Button", L"plain", BS_CHECKBOX, {100, 0, 190, 20}, 2);
    HWND three = Make(host, L"Button", L"3", BS_AUTO3STATE, {0, 30, 90, 50}, 3);
    Tap(autoBox, {4, 4});
    Wait();
    Tap(plain, {4, 4});
    Wait();
    EXPECT_EQ(SendMessage(autoBox, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(plain, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Commands(2), std::vector<UINT>{BN_CLICKED});
    for (UINT expected : {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}) {
        SendMessage(three, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessage(three, BM_GETCHECK, 0, 0), expected);
    }
}

TEST_F(Buttons, OwnerDrawnButtonsAskTheParentWithTheItemState) {
    std::vector<DRAWITEMSTRUCT> draws;
    OnHostMessage(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    });
    HWND host = Host(200, 60);
    HWND b = Make(host, L"Button", L"图标", BS_OWNERDRAW, {10, 10, 40, 32}, 1050);
    Pump();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].CtlType, UINT{ODT_BUTTON});
    EXPECT_EQ(draws[0].CtlID, 1050u);
    EXPECT_EQ(draws[0].itemAction, UINT{ODA_DRAWENTIRE});
    EXPECT_EQ(draws[0].itemState, 0u);
    EXPECT_EQ(draws[0].rcItem.right, 30);
    draws.clear();
    Down(b, {3, 3});
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws[0].itemAction, UINT{ODA_FOCUS});
    EXPECT_EQ(draws[0].itemState, UINT{ODS_FOCUS});
    EXPECT_EQ(draws[1].itemAction, UINT{ODA_SELECT});
    EXPECT_EQ(draws[1].itemState, UINT{ODS_SELECTED | ODS_FOCUS});
    Up(b, {3, 3});
    EXPECT_EQ(Commands(1050), std::vector<UINT>{BN_CLICKED});
    EnableWindow(b, FALSE);
    draws.clear();
    Pump();
    ASSERT_FALSE(draws.empty());
    EXPECT_TRUE(draws.back().itemState & ODS_DISABLED);
    EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
}

TEST_F(Buttons, AnOwnerDrawnButtonIsDrawnWithItsOwnFontSelected) {
    LOGFONT log{};
    log.lfHeight = -16;
    HFONT font = CreateFontIndirect(&log);
    std::vector<HGDIOBJ> selected;
    OnHostMessage(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        selected.push_back(
            GetCurrentObject(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hDC, OBJ_FONT));
        return TRUE;
    });
    HWND host = Host(200, 60);
    HWND b = Make(host, L"Button", L"图标", BS_OWNERDRAW, {10, 10, 40, 32}, 1050);
    Pump();
    SendMessage(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    Pump();
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0], GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(selected[1], font);
    DestroyWindow(host);
    DeleteObject(font);
}

TEST_F(Buttons, ASubclassedButtonStillWorksThroughCallWindowProc) {
    static WNDPROC original = nullptr;
    static int seen = 0;
    seen = 0;
    HWND host = Host(200, 60);
    HWND b = Make(host, L"Button", L"sub", BS_PUSHBUTTON, {10, 10, 70, 32}, 5);
    original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(b, GWL_WNDPROC));
    SetWindowLongPtr(b, GWL_WNDPROC,
                     reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) {
                         if (m == WM_LBUTTONUP) ++seen;
                         return CallWindowProc(original, h, m, w, l);
                     }));
    Tap(b, {5, 5});
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Commands(5), std::vector<UINT>{BN_CLICKED});
}

TEST_F(Buttons, SetStyleChangesOnlyTheTypeAndTheDialogCodeFollows) {
    HWND host = Host(200, 60);
    HWND b = Make(host, L"Button", L"OK", BS_PUSHBUTTON | BS_MULTILINE, {10, 10, 70, 32}, 1);
    EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    SendMessage(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(GetWindowLong(b, GWL_STYLE) & BS_MULTILINE);
    HWND radio = Make(host, L"Button", L"r", BS_AUTORADIOBUTTON, {80, 10, 140, 32}, 2);
    EXPECT_EQ(SendMessage(radio, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
    HWND box = Make(host, L"Button", L"g", BS_GROUPBOX, {0, 0, 200, 60}, 3);
    EXPECT_EQ(SendMessage(box, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

class Statics : public ControlTest {};

TEST_F(Statics, TextFramesAndColoursMatchTheirReference) {
    Sheet sheet;
    auto add = [&](const wchar_t* text, DWORD style, int h = 18) {
        HWND s = Alone(L"Static", text, style, 110, h);
        sheet.Add(Snap(s));
        DestroyWindow(GetParent(s));
    };
    add(L"左对齐文字", SS_LEFT);
    add(L"居中", SS_CENTER);
    add(L"右对齐", SS_RIGHT);
    add(L"自动换行的一段比较长的文字", SS_LEFT, 30);
    add(L"不换行的一段比较长的文字", SS_LEFTNOWORDWRAP);
    add(L"禁用", SS_LEFT | WS_DISABLED);
    add(L"", SS_BLACKFRAME);
    add(L"", SS_GRAYRECT);
    add(L"", SS_ETCHEDFRAME);
    add(L"", SS_ETCHEDHORZ, 4);
    OnHostMessage(WM_CTLCOLORSTATIC, [](HWND, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        static HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 128, 0));
        return reinterpret_cast<LRESULT>(white);
    });
    add(L"颜色标签", SS_CENTER);
    // A legend picture: the static takes the bitmap's size.
    quorvel::gdi::Image legend{24, 10, std::vector<uint32_t>(240, 0x00A000)};
    for (int x = 0; x < 24; ++x) legend.pixels[5 * 24 + x] = 0xFFFFFF;
    HBITMAP bitmap = quorvel::gdi::BitmapFromImage(legend);
    HWND picture = Alone(L"Static", L"", SS_BITMAP, 60, 20);
    EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)),
              0);
    EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(bitmap));
    RECT r{};
    GetClientRect(picture, &r);
    EXPECT_EQ(r.right, 24);
    sheet.Add(Snap(picture));
    DestroyWindow(GetParent(picture));
    DeleteObject(bitmap);
    quorvel::testing::ExpectMatchesReference(sheet.image(), "statics");
}

// Rows of the snapshot that hold text-coloured pixels.
int InkRows(const quorvel::gdi::Image& image, uint32_t ink) {
    int rows = 0;
    for (int y = 0; y < image.height; ++y) {
        bool any = false;
        for (int x = 0; x < image.width && !any; ++x) any = image.At(x, y) == ink;
        rows += any ? 1 : 0;
    }
    return rows;
}

TEST_F(Statics, TextIsDrawnInTheFontTheColourHandlerSelects) {
    HWND plain = Alone(L"Static", L"口", SS_LEFT, 60, 40);
    const int plainRows = InkRows(Snap(plain), 0x000000);
    DestroyWindow(GetParent(plain));
    LOGFONT log{};
    log.lfHeight = -28;
    HFONT big = CreateFontIndirect(&log);
    OnHostMessage(WM_CTLCOLORSTATIC, [&](HWND, UINT, WPARAM wParam, LPARAM) -> LRESULT {
        SelectObject(reinterpret_cast<HDC>(wParam), big);
        return 0;
    });
    HWND large = Alone(L"Static", L"口", SS_LEFT, 60, 40);
    const int largeRows = InkRows(Snap(large), 0x000000);
    DestroyWindow(GetParent(large));
    DeleteObject(big);
    EXPECT_GT(plainRows, 0);
    EXPECT_GT(largeRows, plainRows * 3 / 2);
}

TEST_F(Statics, TapsPassThroughUnlessNotifyIsSet) {
    std::vector<POINT> taps;
    OnHostMessage(WM_LBUTTONDOWN, [&](HWND, UINT, WPARAM, LPARAM lParam) -> LRESULT {
        taps.push_back({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    });
    HWND host = Host(200, 100);
    HWND plan = Make(host, L"Static", L"", SS_BLACKFRAME, {20, 10, 120, 60}, 1001);
    HWND link = Make(host, L"Static", L"link", SS_NOTIFY, {130, 10, 190, 30}, 1002);
    Tap(plan, {30, 20});
    ASSERT_EQ(taps.size(), 1u);
    EXPECT_EQ(taps[0].x, 50);  // in the host's client coordinates
    EXPECT_EQ(taps[0].y, 30);
    Wait();
    Tap(link, {5, 5});
    EXPECT_EQ(taps.size(), 1u);
    EXPECT_EQ(Commands(1002), std::vector<UINT>{STN_CLICKED});
    SetWindowText(plan, L"B:");
    EXPECT_EQ(Text(plan), "Static id=1001 \"B:\" (20,10,120,60) SS_BLACKFRAME");
}

}  // namespace
