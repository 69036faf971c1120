// Message maps on live windows: window messages reach the mapped handlers
// with their arguments unpacked, commands and update handlers, the
// pre-translation walk, handle maps and run-time classes.
#include "tests/platform/framework/FrameworkTest.h"

using namespace fwtest;

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;

class CProbeWnd : public CWnd {
  public:
    std::vector<std::string> log;
    int postNcDestroys = 0;
    BOOL refuseCreate = FALSE;
    CPoint lastPoint;
    int createdWidth = 0;

  protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        createdWidth = cs->cx;
        log.push_back("create");
        return refuseCreate ? -1 : 0;
    }
    afx_msg void OnSize(UINT, int cx, int cy) {
        log.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    afx_msg void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
    afx_msg void OnLButtonDown(UINT, CPoint point) {
        lastPoint = point;
        log.push_back("down");
    }
    afx_msg void OnKeyDown(UINT vk, UINT repeat, UINT) {
        log.push_back("key " + std::to_string(vk) + " x" + std::to_string(repeat));
    }
    afx_msg void OnChar(UINT ch, UINT, UINT) {
        log.push_back(std::string("char ") + static_cast<char>(ch));
    }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        dc.FillSolidRect(0, 0, 4, 4, RGB(255, 0, 0));
        log.push_back("paint");
    }
    afx_msg void OnDestroy() {
        log.push_back("destroy");
        CWnd::OnDestroy();
    }
    afx_msg LRESULT OnProbe(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w * 100 + l); }
    afx_msg void OnGo() { log.push_back("go"); }
    afx_msg void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    afx_msg void OnUpdateGo(CCmdUI* ui) { ui->Enable(goEnabled); }
    afx_msg void OnUpdateRange(CCmdUI* ui) { ui->SetText(L"范围"); }
    void PostNcDestroy() override { ++postNcDestroys; }
    DECLARE_MESSAGE_MAP()

  public:
    BOOL goEnabled = TRUE;
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_PAINT()
ON_WM_DESTROY()
ON_MESSAGE(WM_PROBE, OnProbe)
ON_COMMAND(100, OnGo)
ON_UPDATE_COMMAND_UI(100, OnUpdateGo)
ON_COMMAND_RANGE(200, 209, OnRange)
ON_UPDATE_COMMAND_UI_RANGE(200, 209, OnUpdateRange)
END_MESSAGE_MAP()

BOOL MakeProbe(CProbeWnd& w, CWnd* parent = nullptr) {
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
    return w.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"probe", style, 10, 20, 100, 80,
                      parent ? parent->m_hWnd : nullptr, nullptr);
}

using MessageMapTest = FrameworkTest;

TEST_F(MessageMapTest, WindowMessagesReachTheirHandlersWithTheirArgumentsUnpacked) {
    CProbeWnd w;
    ASSERT_TRUE(MakeProbe(w));
    EXPECT_EQ(w.createdWidth, 100);
    EXPECT_EQ(w.log.front(), "create");
    w.log.clear();

    w.MoveWindow(0, 0, 60, 50);
    w.SetTimer(7, 100);
    quorvel::AdvanceVirtualClock(100);
    quorvel::win::PumpUntilIdle();
    w.KillTimer(7);
    w.SetFocus();
    Key('A');
    quorvel::win::InjectStylus(15, 12, true);
    quorvel::win::InjectStylus(15, 12, false);
    quorvel::win::PumpUntilIdle();
    const std::vector<std::string> want = {"size 60x50", "paint",  "timer 7",
                                           "key 65 x1",  "char a", "down"};
    EXPECT_EQ(w.log, want);
    EXPECT_EQ(w.lastPoint, CPoint(15, 12));
    EXPECT_EQ(w.SendMessage(WM_PROBE, 3, 4), 304);

    // What no entry maps goes to the window's own procedure.
    w.SetWindowText(L"新标题");
    CString title;
    w.GetWindowText(title);
    EXPECT_EQ(title, L"新标题");

    EXPECT_TRUE(w.DestroyWindow());
    EXPECT_EQ(w.log.back(), "destroy");
    EXPECT_EQ(w.postNcDestroys, 1);
    EXPECT_EQ(w.m_hWnd, nullptr);
}

// The owner-drawn button's hover check: a timer with a callback runs the
// callback at each period, never OnTimer.
TEST_F(MessageMapTest, TimerWithACallbackRunsTheCallbackInsteadOfOnTimer) {
    CProbeWnd w;
    ASSERT_TRUE(MakeProbe(w));
    quorvel::win::PumpUntilIdle();
    w.log.clear();
    static int s_calls;
    s_calls = 0;
    struct Hover {
        static void Check(HWND, UINT msg, UINT_PTR id, DWORD) {
            ++s_calls;
            EXPECT_EQ(msg, static_cast<UINT>(WM_TIMER));
            EXPECT_EQ(id, 1u);
        }
    };
    EXPECT_EQ(w.SetTimer(1, 50, &Hover::Check), 1u);
    quorvel::AdvanceVirtualClock(150);
    quorvel::win::PumpUntilIdle();
    w.KillTimer(1);
    EXPECT_EQ(s_calls, 3);
    EXPECT_TRUE(w.log.empty());  // OnTimer never ran
    w.DestroyWindow();
}

TEST_F(MessageMapTest, CreateRefusedByOnCreateLeavesNoWindowAndEndsTheObjectOnce) {
    CProbeWnd w;
    w.refuseCreate = TRUE;
    EXPECT_FALSE(MakeProbe(w));
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_EQ(w.postNcDestroys, 1);
}

TEST_F(MessageMapTest, CommandsRunUnlessTheirUpdateHandlerDisablesThem) {
    CProbeWnd w;
    ASSERT_TRUE(MakeProbe(w));
    w.log.clear();
    w.SendMessage(WM_COMMAND, 100, 0);
    w.SendMessage(WM_COMMAND, 205, 0);
    w.goEnabled = FALSE;
    w.SendMessage(WM_COMMAND, 100, 0);  // a menu command greyed by its update handler
    w.SendMessage(WM_COMMAND, 300, 0);  // nobody's
    const std::vector<std::string> want = {"go", "range 205"};
    EXPECT_EQ(w.log, want);
}

TEST_F(MessageMapTest, UpdatePassActsOnTheItemThroughCCmdUI) {
    CProbeWnd w;
    ASSERT_TRUE(MakeProbe(w));
    CButton item;
    ASSERT_TRUE(item.Create(L"item", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 14), &w, 55));

    CCmdUI ui;
    ui.m_pOther = &item;
    ui.m_nID = 203;
    EXPECT_TRUE(ui.DoUpdate(&w, TRUE));
    EXPECT_EQ(TextOf(item), L"范围");
    EXPECT_TRUE(item.IsWindowEnabled());

    ui.m_nID = 100;
    w.goEnabled = FALSE;
    ui.DoUpdate(&w, TRUE);
    EXPECT_FALSE(item.IsWindowEnabled());

    // No update handler: enabled exactly when something handles the command.
    ui.m_nID = 300;
    EXPECT_FALSE(ui.DoUpdate(&w, TRUE));
    EXPECT_FALSE(item.IsWindowEnabled());
    ui.m_nID = 100;
    w.goEnabled = TRUE;
    ui.DoUpdate(&w, TRUE);
    EXPECT_TRUE(item.IsWindowEnabled());
}

// ---- Pre-translation ----

class CKeyChild : public CWnd {
  public:
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message != WM_KEYDOWN) return FALSE;
        ++seen;
        return pMsg->wParam == 'X';
    }
    int seen = 0;
};

class CKeyParent : public CWnd {
  public:
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) ++seen;
        return FALSE;
    }
    int seen = 0;
};

TEST_F(MessageMapTest, PreTranslationWalksUpToTheTopLevelWindowAndStopsAtTheFirstTaker) {
    CKeyParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"p", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                200, m_main.m_hWnd, nullptr));
    CKeyChild child;
    ASSERT_TRUE(
        child.Create(AfxRegisterWndClass(0), L"c", WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
    child.SetFocus();
    m_main.m_nKeysSeen = 0;

    Key('X');
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(child.seen, 1);
    EXPECT_EQ(parent.seen, 0);

    Key('Y');
    quorvel::win::PumpUntilIdle();
    EXPECT_EQ(child.seen, 2);
    EXPECT_EQ(parent.seen, 1);
    // The owner of the popup is another top-level window: not on the walk.
    EXPECT_EQ(m_main.m_nKeysSeen, 0);
}

// ---- Handle maps and run-time classes ----

class CNamedWnd : public CWnd {
    DECLARE_DYNCREATE(CNamedWnd)
};
IMPLEMENT_DYNCREATE(CNamedWnd, CWnd)

class CPlainObject : public CObject {
    DECLARE_DYNAMIC(CPlainObject)
};
IMPLEMENT_DYNAMIC(CPlainObject, CObject)

TEST_F(MessageMapTest, RunTimeClassesCreateAndIdentifyObjects) {
    CObject* made = RUNTIME_CLASS(CNamedWnd)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_STREQ(made->GetRuntimeClass()->m_lpszClassName, "CNamedWnd");
    EXPECT_NE(DYNAMIC_DOWNCAST(CNamedWnd, made), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDialog, made), nullptr);
    delete made;
    EXPECT_EQ(RUNTIME_CLASS(CPlainObject)->CreateObject(), nullptr);
    CPlainObject plain;
    EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(CWnd)));
}

TEST_F(MessageMapTest, WindowsOfNoObjectGetTemporariesOfTheirControlClass) {
    HWND edit = CreateWindow(WC_EDIT, L"12", WS_CHILD | WS_VISIBLE, 0, 0, 50, 14, m_main.m_hWnd,
                             reinterpret_cast<HMENU>(9), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    CWnd* temp = m_main.GetDlgItem(9);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp, CWnd::FromHandle(edit));
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    CEdit* asEdit = dynamic_cast<CEdit*>(temp);
    ASSERT_NE(asEdit, nullptr);
    asEdit->SetSel(0, -1);
    asEdit->ReplaceSel(L"34");
    EXPECT_EQ(TextOf(edit), L"34");

    CEdit owned;
    ASSERT_TRUE(owned.SubclassWindow(edit));
    EXPECT_EQ(CWnd::FromHandle(edit), &owned);
    EXPECT_FALSE(CEdit().SubclassWindow(edit));  // one object per window
    EXPECT_EQ(owned.UnsubclassWindow(), edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);

    ASSERT_TRUE(owned.SubclassWindow(edit));
    ::DestroyWindow(edit);
    EXPECT_EQ(owned.m_hWnd, nullptr);  // the window's end lets the object go
}

// Idle time drops only the temporaries whose handle is gone: a pointer the
// program took from FromHandle stays good while its window or object lives.
TEST_F(MessageMapTest, IdleKeepsTheTemporariesOfLiveHandles) {
    HWND edit = CreateWindow(WC_EDIT, L"", WS_CHILD, 0, 0, 50, 14, m_main.m_hWnd, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(edit, nullptr);
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    CWnd* window = CWnd::FromHandle(edit);
    CGdiObject* object = CGdiObject::FromHandle(brush);
    EXPECT_NE(dynamic_cast<CBrush*>(object), nullptr);
    AfxDeleteTempMaps();
    EXPECT_EQ(CWnd::FromHandle(edit), window);
    EXPECT_EQ(window->m_hWnd, edit);
    EXPECT_EQ(CGdiObject::FromHandle(brush), object);
    EXPECT_EQ(object->m_hObject, brush);
    ::DestroyWindow(edit);
    ::DeleteObject(brush);
    AfxDeleteTempMaps();
}

// A long operation's wait cursor, as a dialog begins it around a
// conversion and a message box in between changes the cursor.
TEST_F(MessageMapTest, WaitCursorNestsAndTheCursorBeforeItComesBack) {
    const HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    ::SetCursor(arrow);
    CCmdTarget dialog, document;
    dialog.BeginWaitCursor();
    EXPECT_EQ(::GetCursor(), wait);
    {
        CWaitCursor inner;
        ::SetCursor(arrow);  // a message box shows the arrow
        inner.Restore();
        EXPECT_EQ(::GetCursor(), wait);
    }
    EXPECT_EQ(::GetCursor(), wait);  // the outer wait still runs
    document.EndWaitCursor();
    EXPECT_EQ(::GetCursor(), arrow);
    dialog.EndWaitCursor();  // one End too many changes nothing
    document.RestoreWaitCursor();
    EXPECT_EQ(::GetCursor(), arrow);
}

}  // namespace
