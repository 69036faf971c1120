#include "tests/app/commands/CommandsTest.h"

#include <chrono>
#include <filesystem>

#include "app/AppGlobals.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/device/KernelIoControl.h"
#include "platform/files/Registry.h"
#include "platform/framework/CommandBarControl.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "receiver/link/PeripheralControl.h"

namespace commandstest {
namespace {

// The handheld's expansion-slot setting the link forces to 1 before it
// opens a port: 1 already, so no warm boot is asked for.
void SetExpansionSlotSetting() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\PsionTeklogix\\Expansion Slot", 0,
                             nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD value = 1;
    RegSetValueEx(key, L"FFUART", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                  sizeof value);
    RegCloseKey(key);
}

HTREEITEM TreeChild(HWND tree, HTREEITEM parent, const std::wstring& text) {
    for (auto item = reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_GETNEXTITEM,
                                                               parent ? TVGN_CHILD : TVGN_ROOT,
                                                               reinterpret_cast<LPARAM>(parent)));
         item; item = reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                                reinterpret_cast<LPARAM>(item)))) {
        wchar_t buffer[260] = {};
        TVITEM tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buffer;
        tv.cchTextMax = 260;
        ::SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
        if (text == buffer) return item;
    }
    return nullptr;
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

void CommandsTest::SetUp() {
    ShellTest::SetUp();
    quorvel::ResetSerialPortPower();
    quorvel::ResetDeviceEmulation();
    quorvel::ResetPeripheralControl();
    SetExpansionSlotSetting();
}

void CommandsTest::TearDown() {
    ShellTest::TearDown();
    g_gpsComm.Close();
    m_sim.reset();
    quorvel::ClearSerialPortMappings();
    quorvel::ResetSerialPortPower();
}

void CommandsTest::StartReceiver(quorvel::sim::GnssSimOptions options) {
    options.linkPath = m_root + "/gnss";
    m_sim = std::make_unique<quorvel::sim::GnssSimulator>(options);
    std::string error;
    ASSERT_TRUE(m_sim->Start(error)) << error;
    quorvel::MapSerialPort(1, m_sim->Path());
}

CMainFrame* CommandsTest::StartProgram() {
    if (!m_sim) StartReceiver();
    EXPECT_TRUE(Start());
    Advance(1000);  // the splash's second
    // The link start ends with two frames of id 52.
    EXPECT_TRUE(RunUntil([this] { return TakeFrames().size() >= 2; }, "the link start"));
    return Frame();
}

bool CommandsTest::RunUntil(const std::function<bool()>& done, const std::string& what) {
    return quorvel::testing::WaitUntil(done, what, quorvel::testing::kWaitMs, [this] {
        quorvel::AdvanceVirtualClock(10);
        Pump();
    });
}

void CommandsTest::Command(UINT id) {
    Frame()->SendMessage(WM_COMMAND, id);
    Pump();
}

std::vector<std::string> CommandsTest::ReceiverLog() const {
    std::vector<std::string> entries;
    for (const quorvel::sim::LoggedCommand& c : m_sim->Log().Items()) {
        if (c.kind == quorvel::sim::LoggedCommand::Kind::kLines) continue;
        entries.push_back(quorvel::sim::FormatLogEntry(c).substr(11));
    }
    return entries;
}

std::vector<std::string> CommandsTest::TakeFrames() {
    std::vector<std::string> frames;
    const std::vector<quorvel::sim::LoggedCommand> items = m_sim->Log().Items();
    for (size_t i = m_framesTaken; i < items.size(); ++i)
        if (items[i].kind == quorvel::sim::LoggedCommand::Kind::kFrame)
            frames.push_back(quorvel::sim::FormatLogEntry(items[i]).substr(11));
    m_framesTaken = items.size();
    return frames;
}

bool CommandsTest::MenuEnabled(UINT id) {
    auto* bar = Frame()->m_wndCommandBar.GetControl();
    for (quorvel::framework::MenuItem& title : bar->Menu()->Titles())
        quorvel::framework::UpdateMenuItems(title, Frame(), TRUE);
    const quorvel::framework::MenuItem* item = bar->Menu()->Find(id);
    EXPECT_NE(item, nullptr) << "no menu item " << id;
    return item && item->enabled;
}

bool CommandsTest::ButtonEnabled(UINT id) {
    Frame()->m_wndCommandBar.OnUpdateCmdUI(Frame(), TRUE);
    const auto* button = Frame()->m_wndCommandBar.GetControl()->FindButton(id);
    EXPECT_NE(button, nullptr) << "no toolbar button " << id;
    return button && button->enabled;
}

std::vector<std::string> CommandsTest::Lines(LPCTSTR devicePath) const {
    std::vector<std::string> lines;
    const std::string bytes = ReadDevice(devicePath);
    size_t start = 0;
    for (size_t end = bytes.find("\r\n"); end != std::string::npos;
         end = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start) + "<no line end>");
    return lines;
}

SystemParams CommandsTest::ReadSettings(LPCTSTR folder, LPCTSTR name) {
    SystemParams params;
    CIniFile ini;
    EXPECT_TRUE(ini.ReadSystemParams(folder, name, &params));
    return params;
}

CoordSysParams CommandsTest::ReadParams(LPCTSTR folder, LPCTSTR name) {
    CoordSysParams params;
    CIniFile ini;
    EXPECT_TRUE(ini.ReadCoordParams(folder, name, &params));
    return params;
}

std::function<void(HWND)> ChooseInTree(std::vector<std::wstring> texts) {
    return [texts](HWND dialog) {
        const HWND tree = ::GetDlgItem(dialog, IDC_FILE_TREE);
        HTREEITEM item = TreeChild(tree, nullptr, L"\\Flash Disk");
        if (!item)
            item = reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        for (const std::wstring& text : texts) {
            ::SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
            item = TreeChild(tree, item, text);
            ASSERT_NE(item, nullptr) << "no tree item " << quorvel::ToUtf8(text.c_str());
        }
        ::SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    };
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t buffer[512] = {};
    ::GetDlgItemText(dialog, id, buffer, 512);
    return buffer;
}

}  // namespace commandstest
