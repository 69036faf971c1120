// Creation and destruction order, handle lifetime, the tree and z-order,
// geometry and show state, attributes.
#include <set>

#include "tests/platform/win/WinTestSupport.h"

using namespace wintest;

namespace {

class Lifecycle : public WinTest {};

TEST_F(Lifecycle, CreationSendsNcCreateCreateSizeMoveInOrder) {
    HWND h = Top(WS_VISIBLE, {10, 20, 110, 220});
    auto seq = Only(Log::Get().Take(), {WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
    ASSERT_GE(seq.size(), 5u);
    EXPECT_EQ(seq[0], std::make_pair(h, UINT{WM_NCCREATE}));
    EXPECT_EQ(seq[1], std::make_pair(h, UINT{WM_CREATE}));
    EXPECT_EQ(seq[2], std::make_pair(h, UINT{WM_SIZE}));
    EXPECT_EQ(seq[3], std::make_pair(h, UINT{WM_MOVE}));
    EXPECT_EQ(seq[4], std::make_pair(h, UINT{WM_SHOWWINDOW}));
    wchar_t text[16];
    EXPECT_EQ(GetWindowText(h, text, 16), 3);
    EXPECT_STREQ(text, L"top");
    EXPECT_EQ(GetActiveWindow(), h);
}

TEST_F(Lifecycle, DestroySendsDestroyParentFirstAndNcDestroyAfterChildren) {
    HWND p = Top();
    HWND c1 = Child(p, {0, 0, 10, 10});
    HWND g = Child(c1, {0, 0, 5, 5});
    HWND c2 = Child(p, {20, 0, 30, 10});
    bool childAliveInParentDestroy = false;
    Log::Get().On(p, WM_DESTROY, [&](HWND, UINT, WPARAM, LPARAM) {
        childAliveInParentDestroy = IsWindow(c1) && IsWindow(g);
        return 0;
    });
    Log::Get().Take();
    ASSERT_TRUE(DestroyWindow(p));
    auto seq = Only(Log::Get().Take(), {WM_DESTROY, WM_NCDESTROY});
    const std::vector<std::pair<HWND, UINT>> want{
        {p, WM_DESTROY},    {c1, WM_DESTROY}, {g, WM_DESTROY},    {g, WM_NCDESTROY},
        {c1, WM_NCDESTROY}, {c2, WM_DESTROY}, {c2, WM_NCDESTROY}, {p, WM_NCDESTROY}};
    EXPECT_EQ(seq, want);
    EXPECT_TRUE(childAliveInParentDestroy);
    for (HWND h : {p, c1, g, c2}) EXPECT_FALSE(IsWindow(h));
}

TEST_F(Lifecycle, CreateReturningMinusOneRefusesCreation) {
    // The handler must be in place before the window exists: refuse the next
    // window of the class through a creation hook.
    static HWND refused = nullptr;
    auto hook = [](HWND h, CREATESTRUCT*) {
        refused = h;
        Log::Get().On(h, WM_CREATE, [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{-1}; });
    };
    quorvel::win::SetWindowCreateHook(hook);
    HWND h = Top();
    quorvel::win::SetWindowCreateHook(nullptr);
    EXPECT_EQ(h, nullptr);
    ASSERT_NE(refused, nullptr);
    EXPECT_FALSE(IsWindow(refused));
    auto seq = Only(Log::Get().Take(), {WM_CREATE, WM_DESTROY, WM_NCDESTROY});
    EXPECT_EQ(seq.size(), 3u);
    EXPECT_EQ(seq.back().second, UINT{WM_NCDESTROY});
}

TEST_F(Lifecycle, HandlesAreNeverReusedAndDeadHandlesAreHarmless) {
    std::set<HWND> seen;
    HWND last = nullptr;
    for (int i = 0; i < 500; ++i) {
        HWND h = CreateWindow(L"Rec", L"x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(seen.insert(h).second);
        DestroyWindow(h);
        last = h;
    }
    Log::Get().Take();
    EXPECT_FALSE(IsWindow(last));
    EXPECT_EQ(SendMessage(last, WM_USER, 1, 2), 0);
    EXPECT_FALSE(PostMessage(last, WM_USER, 1, 2));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_WINDOW_HANDLE});
    EXPECT_FALSE(ShowWindow(last, SW_SHOW));
    EXPECT_FALSE(DestroyWindow(last));
    EXPECT_EQ(GetWindowLong(last, GWL_STYLE), 0);
    EXPECT_EQ(SetTimer(last, 1, 100, nullptr), 0u);
    EXPECT_TRUE(Log::Get().Take().empty());
    // No rectangle to write into fails, for the desktop too.
    EXPECT_FALSE(GetWindowRect(GetDesktopWindow(), nullptr));
    EXPECT_FALSE(GetClientRect(GetDesktopWindow(), nullptr));
}

TEST_F(Lifecycle, OwnedWindowsGoBeforeTheirOwner) {
    HWND owner = Top();
    HWND popup = Top(WS_POPUP | WS_VISIBLE, {10, 10, 50, 50}, owner);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    EXPECT_EQ(GetParent(popup), owner);  // an owned popup reports its owner
    Log::Get().Take();
    DestroyWindow(owner);
    auto seq = Only(Log::Get().Take(), {WM_DESTROY, WM_NCDESTROY});
    ASSERT_EQ(seq.size(), 4u);
    EXPECT_EQ(seq[0], std::make_pair(popup, UINT{WM_DESTROY}));
    EXPECT_EQ(seq[1], std::make_pair(popup, UINT{WM_NCDESTROY}));
    EXPECT_EQ(seq[2], std::make_pair(owner, UINT{WM_DESTROY}));
}

TEST_F(Lifecycle, TreeOrderFollowsCreationAndZOrderChanges) {
    HWND p = Top();
    HWND a = Child(p, {0, 0, 10, 10}, WS_VISIBLE, 101);
    HWND b = Child(p, {0, 0, 10, 10}, WS_VISIBLE, 102);
    HWND c = Child(p, {0, 0, 10, 10}, WS_VISIBLE, 103);
    EXPECT_EQ(GetWindow(p, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDFIRST), a);
    EXPECT_EQ(GetParent(b), p);
    EXPECT_EQ(GetDlgItem(p, 102), b);
    EXPECT_EQ(GetDlgCtrlID(c), 103);
    EXPECT_TRUE(IsChild(p, b));
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(p, GW_CHILD), c);
    SetWindowPos(c, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(p, GW_CHILD), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), a);
}

TEST_F(Lifecycle, TopLevelEnumerationAndSearch) {
    HWND first = Top(WS_VISIBLE, {0, 0, 240, 320}, nullptr, L"Rec");
    SetWindowText(first, L"Quorvel Main");
    HWND second = Top(WS_VISIBLE, {0, 0, 100, 100}, nullptr, L"RecDbl");
    Child(second, {0, 0, 5, 5});
    std::vector<HWND> order;
    EnumWindows(
        [](HWND h, LPARAM lp) {
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&order));
    ASSERT_EQ(order.size(), 2u);  // top-level only, most recent on top
    EXPECT_EQ(order[0], second);
    EXPECT_EQ(order[1], first);
    EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), second);
    EXPECT_EQ(FindWindow(nullptr, L"quorvel main"), first);
    EXPECT_EQ(FindWindow(L"recdbl", nullptr), second);
    EXPECT_EQ(FindWindow(L"Rec", L"nothing"), nullptr);
    int children = 0;
    EnumChildWindows(
        second, [](HWND, LPARAM lp) { return ++*reinterpret_cast<int*>(lp), TRUE; },
        reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, 1);
}

TEST_F(Lifecycle, FramedWindowsHaveASmallerClientArea) {
    HWND h = Top(WS_VISIBLE | WS_CAPTION, {10, 20, 210, 220});
    RECT w, c;
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    EXPECT_EQ(w.left, 10);
    EXPECT_EQ(w.bottom, 220);
    EXPECT_EQ(c.right, 200 - 2);
    EXPECT_EQ(c.bottom, 200 - 2 - GetSystemMetrics(SM_CYCAPTION));
    HWND child = Child(h, {5, 6, 25, 26}, WS_VISIBLE | WS_BORDER);
    GetWindowRect(child, &w);
    EXPECT_EQ(w.left, 10 + 1 + 5);
    EXPECT_EQ(w.top, 20 + 1 + 20 + 6);
    GetClientRect(child, &c);
    EXPECT_EQ(c.right, 18);
    POINT pt{0, 0};
    ClientToScreen(child, &pt);
    EXPECT_EQ(pt.x, 10 + 1 + 5 + 1);
    ScreenToClient(h, &pt);
    EXPECT_EQ(pt.x, 6);
    EXPECT_EQ(pt.y, 7);
    RECT adj{0, 0, 100, 50};
    AdjustWindowRectEx(&adj, WS_CAPTION, FALSE, 0);
    EXPECT_EQ(adj.bottom - adj.top, 50 + 2 + 20);
}

TEST_F(Lifecycle, ShowCommandElevenMaximisesAndRestoreGoesBack) {
    HWND h = Top(0, {10, 10, 110, 60});
    Log::Get().Take();
    EXPECT_FALSE(ShowWindow(h, 11));
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.bottom - r.top, 320);
    EXPECT_TRUE(IsZoomed(h));
    EXPECT_TRUE(IsWindowVisible(h));
    auto sizes = Log::Get().Of(h, WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, WPARAM{SIZE_MAXIMIZED});
    EXPECT_EQ(sizes.back().lParam, MAKELPARAM(240, 320));
    EXPECT_EQ(Log::Get().Of(h, WM_SHOWWINDOW).size(), 1u);
    EXPECT_TRUE(ShowWindow(h, SW_RESTORE));
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right, 110);
    EXPECT_FALSE(IsZoomed(h));
}

TEST_F(Lifecycle, VisibilityNeedsEveryAncestor) {
    HWND p = Top(0);
    HWND c = Child(p, {0, 0, 10, 10});
    EXPECT_FALSE(IsWindowVisible(c));
    EXPECT_TRUE(GetWindowLong(c, GWL_STYLE) & WS_VISIBLE);
    ShowWindow(p, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(c));
    Log::Get().Take();
    EXPECT_TRUE(ShowWindow(c, SW_HIDE));
    EXPECT_FALSE(ShowWindow(c, SW_HIDE));  // was already hidden
    EXPECT_EQ(Log::Get().Of(c, WM_SHOWWINDOW).size(), 1u);
}

TEST_F(Lifecycle, TextPropertiesAndLongs) {
    HWND h = Top();
    SetWindowText(h, L"Quorvel 2012");
    wchar_t buf[8];
    EXPECT_EQ(GetWindowText(h, buf, 8), 7);
    EXPECT_STREQ(buf, L"Quorvel");
    EXPECT_EQ(GetWindowTextLength(h), 12);
    EXPECT_TRUE(SetProp(h, L"Vendrop", reinterpret_cast<HANDLE>(1)));
    EXPECT_EQ(GetProp(h, L"VENDROP"), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(RemoveProp(h, L"vendrop"), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(GetProp(h, L"Vendrop"), nullptr);

    Log::Get().On(h, WM_STYLECHANGING, [](HWND, UINT, WPARAM, LPARAM lp) {
        reinterpret_cast<STYLESTRUCT*>(lp)->styleNew |= WS_TABSTOP;  // the procedure adjusts
        return LRESULT{0};
    });
    SetWindowLong(h, GWL_STYLE, WS_VISIBLE | WS_GROUP);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)),
              DWORD(WS_VISIBLE | WS_GROUP | WS_TABSTOP));
    EXPECT_EQ(Log::Get().Of(h, WM_STYLECHANGED).size(), 1u);

    static int subclassed;
    static WNDPROC previous;
    subclassed = 0;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == WM_USER + 7) ++subclassed;
            return CallWindowProc(previous, w, m, wp, lp);
        })));
    EXPECT_EQ(previous, &RecordingProc);
    SendMessage(h, WM_USER + 7, 0, 0);
    EXPECT_EQ(subclassed, 1);
    EXPECT_EQ(Log::Get().Of(h, WM_USER + 7).size(), 1u);  // passed on to the original
    EXPECT_EQ(GetWindowLongPtr(h, 0), 0);                 // the class has no extra bytes
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_INDEX});
}

TEST_F(Lifecycle, IconsPerSizeAndTheStandardCursors) {
    HWND h = Top();
    auto icon = [](uintptr_t v) { return reinterpret_cast<HICON>(v); };
    auto set = [&](WPARAM which, HICON i) {
        return reinterpret_cast<HICON>(
            SendMessage(h, WM_SETICON, which, reinterpret_cast<LPARAM>(i)));
    };
    auto get = [&](WPARAM which) {
        return reinterpret_cast<HICON>(SendMessage(h, WM_GETICON, which, 0));
    };
    EXPECT_EQ(set(ICON_BIG, icon(0x100)), nullptr);
    EXPECT_EQ(set(ICON_SMALL, icon(0x200)), nullptr);
    EXPECT_EQ(set(ICON_BIG, icon(0x300)), icon(0x100));  // the one it replaces
    EXPECT_EQ(get(ICON_BIG), icon(0x300));
    EXPECT_EQ(get(ICON_SMALL), icon(0x200));
    DestroyWindow(h);
    EXPECT_EQ(get(ICON_BIG), nullptr);

    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(wait, nullptr);
    EXPECT_NE(arrow, wait);
    EXPECT_EQ(LoadCursor(nullptr, IDC_WAIT), wait);
    EXPECT_EQ(LoadCursor(nullptr, reinterpret_cast<LPCTSTR>(ULONG_PTR{32513})), nullptr);
    const HCURSOR before = SetCursor(wait);
    EXPECT_EQ(GetCursor(), wait);
    EXPECT_EQ(SetCursor(before), wait);
    EXPECT_EQ(GetCursor(), before);
}

TEST_F(Lifecycle, ExtraWindowBytesHoldDialogSlots) {
    WNDCLASS wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.lpszClassName = L"RecExtra";
    static ATOM atom = RegisterClass(&wc);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterClass(&wc), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_CLASS_ALREADY_EXISTS});
    HWND h = Top(0, {0, 0, 10, 10}, nullptr, L"recextra");
    ASSERT_NE(h, nullptr);
    SetWindowLongPtr(h, DWLP_MSGRESULT, 1234);
    SetWindowLongPtr(h, DWLP_USER, -5);
    EXPECT_EQ(GetWindowLongPtr(h, DWLP_MSGRESULT), 1234);
    EXPECT_EQ(GetWindowLongPtr(h, DWLP_USER), -5);
    wchar_t name[16];
    EXPECT_EQ(GetClassName(h, name, 16), 8);
    EXPECT_STREQ(name, L"RecExtra");
}

TEST_F(Lifecycle, DisablingCancelsModesAndTakesFocusAndCaptureAway) {
    HWND p = Top();
    HWND c = Child(p, {0, 0, 10, 10});
    SetFocus(c);
    SetCapture(c);
    Log::Get().Take();
    EXPECT_FALSE(EnableWindow(c, FALSE));
    EXPECT_FALSE(IsWindowEnabled(c));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    const auto disabling = Log::Get().Take();
    EXPECT_EQ(Only(disabling, {WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
              (std::vector<std::pair<HWND, UINT>>{
                  {c, WM_CANCELMODE}, {c, WM_KILLFOCUS}, {c, WM_ENABLE}}));
    EXPECT_EQ(disabling.back().wParam, WPARAM{FALSE});
    EXPECT_TRUE(EnableWindow(c, TRUE));
    const auto enabling = Log::Get().Take();
    EXPECT_EQ(Only(enabling, {WM_CANCELMODE, WM_ENABLE}),
              (std::vector<std::pair<HWND, UINT>>{{c, WM_ENABLE}}));
    EXPECT_EQ(enabling.back().wParam, WPARAM{TRUE});

    // Someone else's capture survives a window's cancel-mode.
    SetCapture(p);
    SendMessage(c, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), p);
    SendMessage(p, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
