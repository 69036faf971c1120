// Start-up on a temporary device root: the first start of a fresh handheld,
// later starts, a running copy, the boxes of damaged roots and job files,
// and the receiver link's port and the storage state taken from the job.
#include <filesystem>

#include "app/plan/GraphView.h"
#include "app/recording/DataView.h"
#include "app/shell/AppGlobals.h"
#include "platform/base/TextConv.h"
#include "platform/device/Leds.h"
#include "platform/files/Registry.h"
#include "tests/app/ShellTest.h"

namespace fs = std::filesystem;

namespace shelltest {
namespace {

std::wstring RegistryText(HKEY root, LPCTSTR subKey, LPCTSTR name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, subKey, 0, 0, &key) != ERROR_SUCCESS) return L"<no key>";
    wchar_t text[64] = {};
    DWORD type = 0;
    DWORD size = sizeof text;
    const LONG result =
        RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return L"<no value>";
    if (size != (std::wcslen(text) + 1) * sizeof(WCHAR)) return L"<bad size>";
    return text;
}

TEST_F(ShellTest, FirstStartLaysOutTheDefaultJobWithoutABox) {
    CMainFrame* frame = StartAndSettle();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Boxes(*m_modals), "");

    // The job's files, byte for byte, and its folders.
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\esystem.sys"), Reference("esystem_first_start.sys"));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"), Reference("default_job.ini"));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par"), Reference("default_job.par"));
    EXPECT_EQ(List(L"\\Flash Disk"), (std::vector<std::string>{"Jobs", "esystem.sys"}));
    EXPECT_EQ(List(L"\\Flash Disk\\Jobs\\ruvo"),
              (std::vector<std::string>{"data", "result", "ruvo.ini", "ruvo.par"}));

    // The shortcuts and the application key.
    const std::string target = "\"Flash Disk\\Quorvel\\Quorvel1.1.exe\"";
    EXPECT_EQ(ReadDevice(L"\\Windows\\桌面\\Quorvel1.0.lnk"),
              std::to_string(target.size()) + "#" + target);
    EXPECT_EQ(ReadDevice(L"\\Windows\\桌面\\Direct.lnk"), "16#\\windows\\direct.exe");
    EXPECT_FALSE(IsFile(L"\\Windows\\Programs\\ActiveSync\\Obex 工具.lnk"));
    EXPECT_TRUE(IsFile(L"\\Windows\\Programs\\ActiveSync\\Direct.lnk"));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shell\\Keys\\40CF", L""),
              L"\"Quorvel.exe\"");

    // The document, the frame and the link as the job left them.
    CVendropDoc& doc = Doc();
    EXPECT_EQ(doc.m_strJobDir, CString(L"\\Flash Disk\\Jobs\\ruvo\\"));
    EXPECT_EQ(doc.m_strDataDir, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\"));
    EXPECT_EQ(doc.m_strResultDir, CString(L"\\Flash Disk\\Jobs\\ruvo\\result\\"));
    EXPECT_EQ(doc.m_strParName, CString(L"ruvo.par"));
    EXPECT_EQ(doc.m_strPointName, CString(L"PT"));
    EXPECT_EQ(doc.m_strNextPointName, CString(L"PT1"));
    double a = 0.0;
    double invF = 0.0;
    doc.m_coordTransform.GetEllipsoid(a, invF);
    EXPECT_EQ(a, doc.m_coordParams.szdDa);
    EXPECT_EQ(invF, doc.m_coordParams.szdDf);
    EXPECT_GT(a, 6.0e6);
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Quorvel<ruvo.dat>"));
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(frame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CGraphView)));
    auto* graph = static_cast<CGraphView*>(CWnd::FromHandle(frame->m_hGraphView));
    EXPECT_EQ(graph->m_dScale, doc.m_sysParams.ScreenScale);
    EXPECT_EQ(frame->m_dGraphX, doc.m_sysParams.ScreenStartx);
    // Depth subscribers in the order of the initial updates: data view first.
    ASSERT_EQ(frame->GetNotifyWnds().GetSize(), 2);
    EXPECT_EQ(frame->GetNotifyWnds()[0], frame->m_hDataView);
    EXPECT_EQ(frame->GetNotifyWnds()[1], frame->m_hGraphView);
    EXPECT_EQ(g_gpsComm.m_hNotifyWnd, frame->m_hWnd);
    EXPECT_EQ(g_gpsComm.m_nPort, 1);  // a receiver cable on COM1
    EXPECT_EQ(g_gpsComm.m_nBaud, 57600);
    EXPECT_EQ(::GetProp(frame->m_hWnd, L"Vendrop"), reinterpret_cast<HANDLE>(1));

    // The title is the program's own: the framework's idle work keeps it.
    Advance(3000);
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"Quorvel<ruvo.dat>"));

    // Quit, Yes: the settings file is written again with the same origin.
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"), Reference("default_job.ini"));
}

TEST_F(ShellTest, ALaterStartKeepsTheJobAndLeavesExistingShortcutsAlone) {
    WriteDevice(L"\\Windows\\桌面\\Quorvel1.0.lnk", "7#\\other");
    WriteDevice(L"\\Windows\\桌面\\Direct.lnk", "6#\\mine");
    StartAndSettle();
    m_modals->ExpectMessageBox(L"确定退出程序吗?").Answer(IDYES);
    Frame()->SendMessage(WM_CLOSE);
    const std::string ini = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");

    delete m_app;
    m_app = new CVendropApp;
    StartAndSettle();
    EXPECT_EQ(Boxes(*m_modals), "message box \"提示\" \"确定退出程序吗?\"\n  answer 6\n  closed\n");
    EXPECT_EQ(ReadDevice(L"\\Windows\\桌面\\Quorvel1.0.lnk"), "7#\\other");
    EXPECT_EQ(ReadDevice(L"\\Windows\\桌面\\Direct.lnk"), "6#\\mine");
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"), ini);
    // The remembered name was advanced again and written back.
    EXPECT_EQ(Doc().m_strNextPointName, CString(L"PT1"));
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\esystem.sys"), Reference("esystem_first_start.sys"));
}

TEST_F(ShellTest, ARunningCopyIsBroughtToTheFrontAndNothingIsTouched) {
    CWnd running;
    ASSERT_TRUE(running.CreateEx(0, AfxRegisterWndClass(0), L"Quorvel<ruvo.dat>", WS_POPUP, 0, 0,
                                 100, 100, nullptr, nullptr));
    ::SetProp(running.m_hWnd, L"Vendrop", reinterpret_cast<HANDLE>(1));
    EXPECT_FALSE(m_app->InitInstance());
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_TRUE(running.IsWindowVisible());
    EXPECT_TRUE(::IsZoomed(running.m_hWnd));
    EXPECT_EQ(::GetForegroundWindow(), running.m_hWnd);
    EXPECT_TRUE(List(L"\\Flash Disk").empty());
    EXPECT_TRUE(List(L"\\Windows\\桌面").empty());
    running.DestroyWindow();
}

TEST_F(ShellTest, AnApplicationKeyThatCannotBeCreatedEndsTheStartSilently) {
    // The registry is loaded, then its file can no longer be replaced.
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Drivers", 0, nullptr, 0, 0, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(key);
    fs::remove(m_root + "/.registry");
    fs::create_directories(m_root + "/.registry/blocked");
    EXPECT_FALSE(m_app->InitInstance());
    EXPECT_EQ(Boxes(*m_modals), "");
    EXPECT_TRUE(List(L"\\Flash Disk").empty());
}

}  // namespace
}  // namespace shelltest
