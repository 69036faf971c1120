#include "tests/app/ShellTest.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/FrameMessages.h"
#include "app/settings/DefaultRecords.h"
#include "app/shell/AppGlobals.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/base/Thread.h"
#include "platform/device/Leds.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"
#include "platform/files/Registry.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/SlotUart.h"
#include "platform/testing/TreeItems.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"

namespace fs = std::filesystem;

namespace shelltest {

namespace {

std::vector<int> g_graphCodes;
WNDPROC g_graphProc = nullptr;

LRESULT GraphWatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GRAPH_COMMAND) g_graphCodes.push_back(static_cast<int>(wParam));
    return CallWindowProc(g_graphProc, hwnd, message, wParam, lParam);
}

void WriteHost(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadHost(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A command's state as the command bar asks for it.
class StateProbe : public CCmdUI {
  public:
    void Enable(BOOL bOn) override {
        CCmdUI::Enable(bOn);
        m_bOn = bOn;
    }
    BOOL m_bOn = TRUE;
};

}  // namespace

void ShellTest::SetUp() {
    quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 8, 0, 0, 0});
    quorvel::SetVirtualClockDriver(GetCurrentThreadId());
    quorvel::gdi::Install();
    quorvel::resources::Install();
    quorvel::dialogs::Install();
    quorvel::dialogs::InstallMessageBoxes();
    quorvel::SetAppTitle(L"Quorvel");
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/ref");
    std::string pattern = (fs::temp_directory_path() / "quorvel-shell-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_root = pattern;
    quorvel::SetDeviceRoot(m_root);
    quorvel::ResetRegistryForTests();
    quorvel::device::ResetLedsForTests();
    // A fresh handheld, as the launcher lays one out: the expansion slot's
    // UART already given to the receiver board.
    quorvel::testing::SetFfuart(1);
    fs::create_directories(m_root + "/Flash Disk");
    fs::create_directories(m_root + "/Windows/桌面");
    WriteHost(m_root + "/Windows/Programs/ActiveSync/Direct.lnk", "16#\\windows\\direct.exe");
    WriteHost(m_root + "/Windows/Programs/ActiveSync/Obex 工具.lnk", "14#\\windows\\obex.exe");
    std::string error;
    ASSERT_TRUE(m_receiver.Open("", error)) << error;
    for (int port : {1, 5}) quorvel::MapSerialPort(port, m_receiver.Path());
    g_gpsComm.Reset();
    g_graphCodes.clear();
    m_modals = new quorvel::testing::ModalScript;
    m_app = new CVendropApp;
}

void ShellTest::TearDown() {
    if (CWnd* main = m_app->m_pMainWnd) main->DestroyWindow();
    // No reader of this test's link may outlive it, open or not.
    g_gpsComm.Close();
    quorvel::win::PumpUntilIdle();
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    delete m_modals;
    delete m_app;
    AfxDeleteTempMaps();
    quorvel::ResetRegistryForTests();
    quorvel::ClearSerialPortMappings();
    m_receiver.Close();
    quorvel::SetVirtualClockDriver(0);
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

BOOL ShellTest::Start() {
    const BOOL ok = m_app->InitInstance();
    if (ok) WatchGraphView();
    Pump();
    return ok;
}

CMainFrame* ShellTest::StartAndSettle() {
    EXPECT_TRUE(Start());
    Advance(1000);  // the splash's second
    return Frame();
}

void ShellTest::WaitForLinkOpen() {
    EXPECT_TRUE(quorvel::testing::WaitUntil([] { return g_gpsComm.IsOpen(); },
                                            "the receiver link's port", 10000));
}

::testing::AssertionResult ShellTest::RunLinkToItsReadLoop() {
    return quorvel::testing::WaitUntil([] { return g_gpsComm.m_bRunning.load(); },
                                       "the link's read loop", 20000,
                                       [this] {
                                           quorvel::WaitForVirtualClockWaiters(1, 200);
                                           Advance(50);
                                       });
}

void ShellTest::Pump() {
    quorvel::win::PumpUntilIdle();
    m_app->OnIdle(0);
    m_app->OnIdle(1);
    quorvel::win::PumpUntilIdle();
}

void ShellTest::Advance(uint64_t ms) {
    quorvel::AdvanceVirtualClock(ms);
    Pump();
}

void ShellTest::Key(UINT virtualKey) {
    quorvel::win::InjectKey(virtualKey, true);
    quorvel::win::InjectKey(virtualKey, false);
    Pump();
}

// Test paths are spelt as on the host, so the mapping is the plain one.
std::string ShellTest::Host(LPCTSTR devicePath) const {
    std::string path = quorvel::ToUtf8(devicePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return m_root + path;
}

void ShellTest::SetReadOnly(LPCTSTR devicePath, bool readOnly) const {
    namespace fs = std::filesystem;
    if (readOnly) {
        fs::permissions(Host(devicePath),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    } else {
        fs::permissions(Host(devicePath), fs::perms::owner_write, fs::perm_options::add);
    }
}

std::string ShellTest::ReadDevice(LPCTSTR devicePath) const {
    return ReadHost(Host(devicePath));
}

void ShellTest::WriteDevice(LPCTSTR devicePath, const std::string& bytes) const {
    WriteHost(Host(devicePath), bytes);
}

bool ShellTest::IsFile(LPCTSTR devicePath) {
    const DWORD a = GetFileAttributes(devicePath);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ShellTest::IsFolder(LPCTSTR devicePath) {
    const DWORD a = GetFileAttributes(devicePath);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ShellTest::List(LPCTSTR deviceFolder) const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(Host(deviceFolder), error)) {
        const std::string name = entry.path().filename().string();
        if (name[0] != '.') names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ShellTest::Reference(const std::string& name) {
    const std::string bytes = ReadHost(std::string(QUORVEL_SOURCE_DIR) + "/tests/app/data/" + name);
    EXPECT_FALSE(bytes.empty()) << "missing reference " << name;
    return bytes;
}

std::vector<std::string> ShellTest::SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = bytes.find("\r\n"); end != std::string::npos;
         end = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start) + "<no line end>");
    return lines;
}

std::vector<std::string> ShellTest::Lines(LPCTSTR devicePath) const {
    return SplitLines(ReadDevice(devicePath));
}

SystemParams ShellTest::ReadSettings(LPCTSTR folder, LPCTSTR name) {
    SystemParams params;
    CIniFile ini;
    EXPECT_TRUE(ini.ReadSystemParams(folder, name, &params));
    return params;
}

SystemParams ShellTest::SavedSettings() {
    return ReadSettings(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.ini");
}

bool ShellTest::CommandEnabled(UINT id) {
    StateProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(Frame(), TRUE);
    return probe.m_bOn != 0;
}

void ShellTest::WriteDefaultJob(void (*change)(SystemParams&)) {
    CIniFile ini;
    CSystemFileRecord sys{L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini", L"PT", L"ruvo.dat"};
    ASSERT_TRUE(ini.WriteSystemFile(L"\\Flash Disk\\", L"esystem.sys", sys));
    fs::create_directories(Host(L"\\Flash Disk\\Jobs\\ruvo"));
    SystemParams params;
    FillDefaultIniRecord(params);
    change(params);
    ASSERT_TRUE(ini.WriteSystemParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.ini", params));
}

void ShellTest::WatchGraphView() {
    const HWND graph = Frame()->m_hGraphView;
    g_graphProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(graph, GWLP_WNDPROC));
    SetWindowLongPtr(graph, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GraphWatch));
}

std::vector<int> ShellTest::TakeGraphCodes() {
    std::vector<int> codes;
    codes.swap(g_graphCodes);
    return codes;
}

std::string Boxes(const quorvel::testing::ModalScript& modals) {
    return modals.Transcript();
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemText(dialog, id, text, 512);
    return text;
}

bool ItemEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

std::vector<std::wstring> ListBoxTexts(HWND dialog, int id) {
    std::vector<std::wstring> texts;
    const HWND list = ::GetDlgItem(dialog, id);
    const int count = static_cast<int>(::SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[300] = {};
        ::SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        texts.push_back(buffer);
    }
    return texts;
}

std::function<void(HWND)> ChooseInTree(std::vector<std::wstring> texts) {
    return [texts](HWND dialog) {
        const HWND tree = ::GetDlgItem(dialog, IDC_FILE_TREE);
        HTREEITEM item = quorvel::testing::TreeChild(tree, nullptr, L"\\Flash Disk");
        if (!item)
            item = reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        for (const std::wstring& text : texts) {
            ::SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
            item = quorvel::testing::TreeChild(tree, item, text);
            ASSERT_NE(item, nullptr) << "no tree item " << quorvel::ToUtf8(text.c_str());
        }
        ::SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    };
}

}  // namespace shelltest
