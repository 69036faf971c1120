// The running program as its menu commands drive it: started in process on
// a temporary device root on the virtual clock, its receiver link up on the
// simulated receiver (a pseudo-terminal mapped as COM1), every dialog and
// box answered by m_modals, commands sent as WM_COMMAND to the main window
// as the command bar sends them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "sim/GnssSimulator.h"
#include "tests/app/ShellTest.h"

namespace commandstest {

class CommandsTest : public shelltest::ShellTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The simulated receiver as COM1, started before the program.
    void StartReceiver(quorvel::sim::GnssSimOptions options = {});
    // The program started on the job as the root holds it, the splash gone
    // and the receiver link's start sent.
    CMainFrame* StartProgram();
    // Moves the clock on in small steps, serving the receiver's reader,
    // until `done` holds; FALSE after a generous deadline.
    bool RunUntil(const std::function<bool()>& done, const std::string& what);
    // A command as a menu item or toolbar button sends it.
    void Command(UINT id);

    // The simulator's log without time stamps (text lines and frames).
    std::vector<std::string> ReceiverLog() const;
    // The command frames logged since the last call.
    std::vector<std::string> TakeFrames();

    // Whether a menu item and a toolbar button of the command are offered
    // now, as the command bar's update handlers set them.
    bool MenuEnabled(UINT id);
    bool ButtonEnabled(UINT id);

    // The texts of a device file's lines, CR LF cut off.
    std::vector<std::string> Lines(LPCTSTR devicePath) const;
    // A settings file of the job as it reads back.
    static SystemParams ReadSettings(LPCTSTR folder, LPCTSTR name);
    static CoordSysParams ReadParams(LPCTSTR folder, LPCTSTR name);

    std::unique_ptr<quorvel::sim::GnssSimulator> m_sim;

  private:
    size_t m_framesTaken = 0;
};

// A step's action that chooses an item of a file dialog's tree by the
// texts on the way from the root's children ("Jobs", "ruvo", "x.dat").
std::function<void(HWND)> ChooseInTree(std::vector<std::wstring> texts);
// The text of a control of a live dialog.
std::wstring ItemText(HWND dialog, int id);
// The live dialog object behind a modal's window.
template <class Dialog>
Dialog* DialogOf(HWND hwnd) {
    return dynamic_cast<Dialog*>(CWnd::FromHandlePermanent(hwnd));
}

}  // namespace commandstest
