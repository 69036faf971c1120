// The running program as its menu commands drive it: started in process on
// a temporary device root on the virtual clock with its receiver link up
// (the quiet receiver of every shell test, or the simulated receiver when a
// test starts one), every dialog and box answered by m_modals, commands
// sent as WM_COMMAND to the main window as the command bar sends them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/app/shell/DispatchTest.h"

namespace commandstest {

class CommandsTest : public shelltest::DispatchTest {
  protected:
    // The program started on the job "ruvo" whose settings are the defaults
    // with `change`, the splash gone and the link up.
    CMainFrame* StartWithLink(void (*change)(SystemParams&) = [](SystemParams&) {});
    // A command as a menu item or toolbar button sends it.
    void Command(UINT id);
    // One line from the quiet receiver, taken by the dispatcher.
    bool Deliver(const std::string& line);

    // The command frames the simulated receiver logged since the last call.
    std::vector<std::string> TakeFrames();
    // Waits, moving the clock on, until the simulated receiver has logged
    // the two frames that end a link start.
    bool WaitForLinkStart();

    // Whether a menu item and a toolbar button of the command are offered
    // now, as the command bar's update handlers set them (CommandEnabled:
    // a command in no menu and on no button).
    bool MenuEnabled(UINT id);
    bool ButtonEnabled(UINT id);

    // A job's parameter file as it reads back (ReadSettings: its settings).
    static CoordSysParams ReadParams(LPCTSTR folder, LPCTSTR name);

  private:
    size_t m_framesTaken = 0;
};

using shelltest::ChooseInTree;
using shelltest::ItemText;
// The live dialog object behind a modal's window.
template <class Dialog>
Dialog* DialogOf(HWND hwnd) {
    return dynamic_cast<Dialog*>(CWnd::FromHandlePermanent(hwnd));
}

}  // namespace commandstest
