#include "tests/app/commands/CommandsTest.h"

#include "app/shell/AppGlobals.h"
#include "platform/base/TextConv.h"
#include "platform/framework/CommandBarControl.h"

namespace commandstest {
namespace {}  // namespace

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

}  // namespace commandstest
