// The application object: the command line, settings and the recent-file
// list in the registry, the message loop with its idle work, File New on
// a running program, and closing a modified document.
#include "platform/base/MessageBox.h"
#include "platform/files/Registry.h"
#include "tests/platform/framework/DemoApp.h"

using namespace demo;

namespace {

class App : public DemoTest {
  protected:
    CCommandLineInfo Parse(const wchar_t* line) {
        m_line = line;
        m_app->m_lpCmdLine = m_line.data();
        CCommandLineInfo info;
        m_app->ParseCommandLine(info);
        return info;
    }
    std::wstring m_line;
};

TEST_F(App, CommandLineChoosesNewOrOpenAndTheSplash) {
    CCommandLineInfo plain = Parse(L"");
    EXPECT_EQ(plain.m_nShellCommand, CCommandLineInfo::FileNew);
    EXPECT_TRUE(plain.m_bShowSplash);
    CCommandLineInfo nologo = Parse(L"-NoLogo");
    EXPECT_FALSE(nologo.m_bShowSplash);
    EXPECT_EQ(nologo.m_nShellCommand, CCommandLineInfo::FileNew);
    CCommandLineInfo open = Parse(L"/nologo \"\\Flash Disk\\Jobs\\a b.ini\" extra");
    EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.m_strFileName, CString(L"\\Flash Disk\\Jobs\\a b.ini"));
}

TEST_F(App, SettingsAndRecentFilesLiveUnderTheRegistryKey) {
    m_app->SetRegistryKey(L"Local AppWizard-Generated Applications");
    EXPECT_TRUE(m_app->WriteProfileInt(L"Settings", L"Count", 7));
    EXPECT_EQ(m_app->GetProfileInt(L"Settings", L"Count", 0), 7u);
    EXPECT_EQ(m_app->GetProfileString(L"Settings", L"Missing", L"无"), CString(L"无"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER,
                           L"Software\\Local AppWizard-Generated Applications\\Demo\\Settings", 0,
                           KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);

    m_app->LoadStdProfileSettings(4);
    for (const wchar_t* file :
         {L"\\a.ini", L"\\b.ini", L"\\c.ini", L"\\d.ini", L"\\e.ini", L"\\B.INI"})
        m_app->AddToRecentFileList(file);
    m_app->ExitInstance();
    delete m_app;  // a later run of the program reads them back
    m_app = new CDemoApp;
    m_app->SetRegistryKey(L"Local AppWizard-Generated Applications");
    m_app->LoadStdProfileSettings(4);
    const CRecentFileList& list = *m_app->m_pRecentFileList;
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list[0], CString(L"\\B.INI"));
    EXPECT_EQ(list[1], CString(L"\\e.ini"));
    EXPECT_EQ(list[3], CString(L"\\c.ini"));
}

// Ends the loop once it has run out of idle work.
class CQuitWhenIdleApp : public CDemoApp {
  public:
    BOOL OnIdle(LONG lCount) override {
        const BOOL more = CDemoApp::OnIdle(lCount);
        if (!more && m_bArmed) ::PostQuitMessage(3);
        return more;
    }
    bool m_bArmed = false;
};

TEST_F(App, RunDoesIdleWorkBetweenMessagesAndEndsWithTheQuitCode) {
    delete m_app;
    auto* app = new CQuitWhenIdleApp;
    m_app = app;
    CDemoFrame* frame = Start();
    app->m_bArmed = true;
    auto* doc = static_cast<CDemoDoc*>(frame->GetActiveDocument());
    doc->m_bMeasuring = TRUE;
    frame->PostMessage(WM_COMMAND, kFrameOnly);
    EXPECT_EQ(m_app->Run(), 3);
    EXPECT_TRUE(Logged("frame: frame-only command"));
    EXPECT_FALSE(Bar()->FindButton(ID_JOB_OPEN)->enabled);
}

TEST_F(App, FileNewOnARunningProgramRenewsTheSameDocumentAndFrame) {
    CDemoFrame* frame = Start();
    CDocument* doc = frame->GetActiveDocument();
    Events().clear();
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(m_app->m_pMainWnd, frame);
    EXPECT_EQ(Events(),
              (std::vector<std::string>{"doc new, main window set", "top initial update 236x170",
                                        "bottom initial update 236x101", "top activated"}));
}

TEST_F(App, AModifiedDocumentAsksBeforeTheFrameCloses) {
    CDemoFrame* frame = Start();
    const HWND hwnd = frame->m_hWnd;
    frame->GetActiveDocument()->SetModifiedFlag();
    quorvel::MessageBoxRecorder boxes;
    boxes.Expect(L"是否保存对 无标题 的更改?", IDCANCEL);
    frame->SendMessage(WM_CLOSE);
    EXPECT_TRUE(IsWindow(hwnd));
    boxes.Expect(L"无标题", IDNO);
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
}

TEST_F(App, RunApplicationStartsTheProgramAndReturnsWhenItEnds) {
    char arg0[] = "quorvel";
    char arg1[] = "/nologo";
    char* argv[] = {arg0, arg1};
    ::PostQuitMessage(0);  // ends the loop as soon as it starts
    EXPECT_EQ(quorvel::framework::RunApplication(2, argv), 0);
    EXPECT_EQ(CString(m_app->m_lpCmdLine), CString(L"/nologo"));
    EXPECT_EQ(CString(m_app->m_pszAppName), CString(L"Demo"));
    EXPECT_TRUE(Logged("top initial update 236x170"));
    EXPECT_TRUE(Logged("app exit"));
}

}  // namespace
