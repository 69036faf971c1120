#include "tests/app/commands/CommandsTest.h"

#include "app/AppGlobals.h"
#include "platform/base/TextConv.h"
#include "platform/framework/CommandBarControl.h"

namespace commandstest {
namespace {

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

}  // namespace

CMainFrame* CommandsTest::StartWithLink(void (*change)(SystemParams&)) {
    CMainFrame* frame = StartProgram(change);
    if (m_sim) {
        EXPECT_TRUE(BringUpLink());
        TakeFrames();
    } else {
        // The quiet receiver takes the link start's lines and pauses.
        EXPECT_TRUE(RunLinkToItsReadLoop());
        m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
    }
    return frame;
}

void CommandsTest::Command(UINT id) {
    Frame()->SendMessage(WM_COMMAND, id);
    Pump();
}

bool CommandsTest::Deliver(const std::string& line) {
    Frame()->m_nNoDataTicks = 99;
    m_receiver.Write(line);
    return Serve([] { return GetMainFrame()->m_nNoDataTicks == 0; });
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

bool CommandsTest::WaitForLinkStart() {
    int starts = 0;
    return RunLinkToItsReadLoop() && Serve([&] {
               for (const std::string& frame : TakeFrames())
                   starts += frame.rfind("FRAME id=52 ", 0) == 0;
               return starts >= 2;
           });
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
