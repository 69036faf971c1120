// CDialog flows driven as a user would, answered by the scripted responders:
// keys, prompts from data exchange and from OnOK, dialogs that end while
// they start, maximised dialogs, nesting, and modals nobody expected.
#include <gtest/gtest-spi.h>

#include <atomic>
#include <thread>

#include "platform/base/Thread.h"
#include "platform/dialogs/Dialogs.h"
#include "tests/platform/framework/FrameworkTest.h"

using namespace fwtest;
using quorvel::testing::ModalScript;

namespace {

constexpr UINT IDD_ENTRY = 3001;
constexpr UINT IDC_HEIGHT = 1001;
constexpr UINT IDC_NAME = 1002;
constexpr UINT IDC_NEXT = 1010;

TemplateBuilder EntryTemplate(UINT id = IDD_ENTRY) {
    TemplateBuilder t(id);
    t.Edit(IDC_HEIGHT, 5, 5).Edit(IDC_NAME, 5, 20);
    t.Button(L"确定", IDOK, 5, 60, true).Button(L"取消", IDCANCEL, 60, 60);
    return t;
}

class CEntryDlg : public CDialog {
  public:
    explicit CEntryDlg(TemplateBuilder& t) { InitModalIndirect(t.Get()); }
    double m_height = 1.5;
    CString m_name = L"基站";
    int m_cancels = 0;
    BOOL m_maximise = FALSE;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_maximise) ShowWindow(11);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_HEIGHT, m_height);
        DDX_Text(pDX, IDC_NAME, m_name);
    }
    void OnOK() override {
        if (!UpdateData(TRUE)) return;
        if (m_height > 100 && AfxMessageBox(L"高度超过100米,确定吗?", MB_YESNO) != IDYES) return;
        EndDialog(IDOK);
    }
    void OnCancel() override {
        ++m_cancels;
        CDialog::OnCancel();
    }
};

using DialogFlowTest = FrameworkTest;

TEST_F(DialogFlowTest, EscapeCancelsThroughOnCancel) {
    ModalScript modals;
    modals.ExpectDialog(IDD_ENTRY).Key(VK_ESCAPE);
    TemplateBuilder t = EntryTemplate();
    CEntryDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_cancels, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

class CNextDlg : public CDialog {
  public:
    explicit CNextDlg(TemplateBuilder& t) { InitModalIndirect(t.Get()); }

  protected:
    afx_msg void OnNext() { EndDialog(IDC_NEXT); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CNextDlg, CDialog)
ON_BN_CLICKED(IDC_NEXT, OnNext)
END_MESSAGE_MAP()

TEST_F(DialogFlowTest, EnterPressesTheDefaultButton) {
    TemplateBuilder t(IDD_ENTRY);
    t.Edit(IDC_NAME, 5, 5).Button(L"下一步", IDC_NEXT, 5, 60, true).Button(L"确定", IDOK, 60, 60);
    ModalScript modals;
    modals.ExpectDialog(IDD_ENTRY).Key(VK_RETURN);
    CNextDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDC_NEXT);
}

TEST_F(DialogFlowTest, KeysTypedIntoADialogNeverReachTheMainWindow) {
    ModalScript modals;
    modals.ExpectDialog(IDD_ENTRY)
        .Do([](HWND d) { SetFocus(GetDlgItem(d, IDC_NAME)); })
        .Do([](HWND d) { SetWindowText(GetDlgItem(d, IDC_NAME), L""); })
        .Key('C')
        .Click(IDOK);
    TemplateBuilder t = EntryTemplate();
    CEntryDlg dlg(t);
    m_main.m_nKeysSeen = 0;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_name, L"c");
    EXPECT_EQ(m_main.m_nKeysSeen, 0);

    // Outside the dialog the same key is the main window's.
    m_main.SetFocus();
    Key('C');
    quorvel::win::PumpUntilIdle();
    EXPECT_GT(m_main.m_nKeysSeen, 0);
}

TEST_F(DialogFlowTest, TextThatIsNotANumberKeepsTheDialogOpenWithThePrompt) {
    ModalScript modals;
    modals.ExpectDialog(IDD_ENTRY)
        .SetText(IDC_HEIGHT, L"abc")
        .Click(IDOK)
        .Do([](HWND d) {
            HWND edit = GetDlgItem(d, IDC_HEIGHT);
            EXPECT_EQ(GetFocus(), edit);
            DWORD start = 9, end = 9;
            SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, 3u);
        })
        .SetText(IDC_HEIGHT, L"2.5")
        .Click(IDOK);
    modals.ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    TemplateBuilder t = EntryTemplate();
    CEntryDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_height, 2.5);
    EXPECT_EQ(modals.Transcript(),
              "dialog 3001 \"测试\"\n"
              "  set 1001 \"abc\"\n"
              "  click 1\n"
              "  message box \"Quorvel\" \"请输入一个数字。\"\n"
              "    answer 1\n"
              "    closed\n"
              "  do\n"
              "  set 1001 \"2.5\"\n"
              "  click 1\n"
              "  closed\n");
}

TEST_F(DialogFlowTest, QuestionAskedInOnOkIsAnsweredByTheScript) {
    ModalScript modals;
    modals.ExpectDialog(IDD_ENTRY).SetText(IDC_HEIGHT, L"120").Click(IDOK).Click(IDOK);
    modals.ExpectMessageBox(L"高度超过100米").Answer(IDNO);
    modals.ExpectMessageBox(L"高度超过100米").Answer(IDYES);
    TemplateBuilder t = EntryTemplate();
    CEntryDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_height, 120);
    EXPECT_EQ(modals.Pending(), 0);
}

class CQuitAtOnceDlg : public CDialog {
  public:
    explicit CQuitAtOnceDlg(TemplateBuilder& t) { InitModalIndirect(t.Get()); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        EndDialog(IDABORT);
        return TRUE;
    }
};

TEST_F(DialogFlowTest, EndDialogFromOnInitDialogEndsItBeforeItIsShown) {
    ModalScript modals;  // no modal may be seen
    TemplateBuilder t = EntryTemplate();
    CQuitAtOnceDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDABORT);
    EXPECT_EQ(modals.Transcript(), "");
}

TEST_F(DialogFlowTest, ShowCommandElevenMaximisesTheDialog) {
    ModalScript modals;
    CRect shown;
    modals.ExpectDialog(IDD_ENTRY).Do([&](HWND d) { GetWindowRect(d, &shown); }).Key(VK_ESCAPE);
    TemplateBuilder t = EntryTemplate();
    CEntryDlg dlg(t);
    dlg.m_maximise = TRUE;
    dlg.DoModal();
    EXPECT_EQ(shown, CRect(0, 0, 240, 320));
}

// The colour chooser opened from a dialog's handler with no parent, as the
// program's text dialog does: modal to that dialog, OK gives the colour
// tapped, Cancel the initial black.
TEST_F(DialogFlowTest, ColorDialogFromADialogNestsOverItAndReturnsTheChosenColour) {
    using quorvel::dialogs::kColorChooserTemplateId;
    ModalScript modals;
    COLORREF chosen[2] = {RGB(9, 9, 9), RGB(9, 9, 9)};
    INT_PTR answers[2] = {};
    HWND entry = nullptr;
    auto choose = [&](int i) {
        CColorDialog dlg;
        answers[i] = dlg.DoModal();
        chosen[i] = dlg.GetColor();
    };
    modals.ExpectDialog(IDD_ENTRY)
        .Do([&](HWND d) {
            entry = d;
            choose(0);
        })
        .Do([&](HWND) { choose(1); })
        .Key(VK_ESCAPE);
    modals.ExpectDialog(kColorChooserTemplateId)
        .Do([&](HWND c) { EXPECT_EQ(::GetWindow(c, GW_OWNER), entry); })
        .Click(quorvel::dialogs::kFirstSwatchId + 8)
        .Click(IDOK);
    modals.ExpectDialog(kColorChooserTemplateId)
        .Click(quorvel::dialogs::kFirstSwatchId + 8)
        .Key(VK_ESCAPE);
    TemplateBuilder t = EntryTemplate();
    CEntryDlg dlg(t);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(answers[0], IDOK);
    EXPECT_EQ(answers[1], IDCANCEL);
    EXPECT_EQ(chosen[0], quorvel::dialogs::BasicColor(8));
    EXPECT_EQ(chosen[1], RGB(0, 0, 0));
}

// A calculation broadcasts its update to every top-level window; the tool
// dialog that shows the result is an owned modal dialog, disabled while a
// dialog of its own is open, and still gets it through its message map.
constexpr UINT WM_CALC_UPDATED = WM_USER + 3000;

class CCalcToolDlg : public CEntryDlg {
  public:
    using CEntryDlg::CEntryDlg;
    std::vector<LPARAM> updates;

  protected:
    afx_msg LRESULT OnCalcUpdated(WPARAM, LPARAM lParam) {
        updates.push_back(lParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCalcToolDlg, CEntryDlg)
ON_MESSAGE(WM_CALC_UPDATED, OnCalcUpdated)
END_MESSAGE_MAP()

TEST_F(DialogFlowTest, BroadcastReachesAnOwnedModalDialogUnderANestedOne) {
    ModalScript modals;
    TemplateBuilder inner = EntryTemplate(IDD_ENTRY + 1);
    modals.ExpectDialog(IDD_ENTRY)
        .Do([&](HWND d) {
            ::SendMessage(HWND_BROADCAST, WM_CALC_UPDATED, 0, 1);
            CEntryDlg nested(inner);
            nested.m_pParentWnd = CWnd::FromHandle(d);
            nested.DoModal();
        })
        .Key(VK_ESCAPE);
    modals.ExpectDialog(IDD_ENTRY + 1)
        .Do([](HWND d) {
            EXPECT_FALSE(::IsWindowEnabled(::GetWindow(d, GW_OWNER)));
            ::SendMessage(HWND_BROADCAST, WM_CALC_UPDATED, 0, 2);
        })
        .Key(VK_ESCAPE);
    TemplateBuilder t = EntryTemplate();
    CCalcToolDlg tool(t);
    tool.DoModal();
    EXPECT_EQ(tool.updates, (std::vector<LPARAM>{1, 2}));
}

// ---- Nesting and messages from another thread ----

constexpr UINT WM_WORKER = WM_APP + 7;
constexpr UINT IDC_DEEPER = 1020;

class CReceiver : public CWnd {
  public:
    std::vector<int> depths;

  protected:
    afx_msg LRESULT OnWorker(WPARAM, LPARAM) {
        depths.push_back(quorvel::dialogs::ModalDepth());
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReceiver, CWnd)
ON_MESSAGE(WM_WORKER, OnWorker)
END_MESSAGE_MAP()

class CLevelDlg : public CDialog {
  public:
    CLevelDlg(std::vector<TemplateBuilder>& templates, int level, CWnd* parent)
        : m_templates(templates), m_level(level) {
        InitModalIndirect(templates[static_cast<size_t>(level - 1)].Get(), parent);
    }
    INT_PTR m_inner = 0;

  protected:
    afx_msg void OnDeeper() {
        CLevelDlg inner(m_templates, m_level + 1, this);
        m_inner = inner.DoModal();
    }
    DECLARE_MESSAGE_MAP()

  private:
    std::vector<TemplateBuilder>& m_templates;
    int m_level;
};
BEGIN_MESSAGE_MAP(CLevelDlg, CDialog)
ON_BN_CLICKED(IDC_DEEPER, OnDeeper)
END_MESSAGE_MAP()

TEST_F(DialogFlowTest, FourthNestedModalStillServesMessagesSentFromAWorker) {
    CReceiver receiver;
    ASSERT_TRUE(receiver.CreateEx(0, AfxRegisterWndClass(0), L"rx", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr));
    std::vector<TemplateBuilder> templates;
    for (UINT level = 1; level <= 4; ++level) {
        templates.emplace_back(4000 + level);
        templates.back().Button(L"更深", IDC_DEEPER, 5, 5).Button(L"确定", IDOK, 5, 30);
    }
    std::thread worker;
    ModalScript modals;
    for (UINT level = 1; level <= 3; ++level) {
        modals.ExpectDialog(4000 + level).Click(IDC_DEEPER).Click(IDOK);
    }
    const HWND target = receiver.m_hWnd;
    modals.ExpectDialog(4004)
        .Do([&](HWND d) {
            worker = std::thread([target, d] {
                for (int i = 0; i < 5; ++i) SendMessage(target, WM_WORKER, i, 0);
                PostMessage(d, WM_COMMAND, IDOK, 0);
            });
        })
        .EndsLater();
    CLevelDlg outer(templates, 1, nullptr);
    EXPECT_EQ(outer.DoModal(), IDOK);
    worker.join();
    EXPECT_EQ(outer.m_inner, IDOK);
    EXPECT_EQ(receiver.depths, std::vector<int>(5, 4));
    EXPECT_EQ(modals.Pending(), 0);
}

TEST_F(DialogFlowTest, BoxFromAWorkerThreadIsAnsweredOnThatThread) {
    ModalScript modals;
    modals.ExpectMessageBox(L"Error in read").Answer(IDOK);
    int answer = 0;
    // The main thread keeps serving what the worker's box sends it, as the
    // program's message loop would.
    quorvel::CWorkerThread worker;
    worker.Start([&]() -> DWORD {
        answer = ::MessageBox(nullptr, L"Error in read from serial port", L"Read Error", MB_OK);
        return 0;
    });
    worker.Join();
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(modals.Transcript(),
              "message box \"Read Error\" \"Error in read from serial port\"\n"
              "  answer 1\n"
              "  closed\n");
}

// ---- Modals the script did not ask for ----

TEST_F(DialogFlowTest, UnexpectedModalFailsTheTestAndIsCancelled) {
    TemplateBuilder t = EntryTemplate();
    INT_PTR result = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            ModalScript modals;
            CEntryDlg dlg(t);
            result = dlg.DoModal();
        },
        "unexpected modal: dialog 3001");
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogFlowTest, ModalLeftOpenByItsScriptFailsTheTestAndIsCancelled) {
    TemplateBuilder t = EntryTemplate();
    INT_PTR result = 0;
    EXPECT_NONFATAL_FAILURE(
        {
            ModalScript modals;
            modals.ExpectDialog(IDD_ENTRY).SetText(IDC_NAME, L"x");
            CEntryDlg dlg(t);
            result = dlg.DoModal();
        },
        "still open");
    EXPECT_EQ(result, IDCANCEL);
}

}  // namespace
