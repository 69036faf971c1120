// The program started in process, as the quorvel executable starts it:
// the virtual clock (driven by the test's own thread, so the program's
// pauses cost no real time), the platform installed, a temporary device
// root laid out as a fresh handheld set up for its receiver board, a quiet
// receiver on a pseudo-terminal behind the ports the receiver link opens, a
// new application object per test, and scripted answers for every modal.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/shell/MainFrame.h"
#include "app/shell/VendropApp.h"
#include "app/shell/VendropDoc.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PtyPeer.h"

namespace shelltest {

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // InitInstance, then the messages and idle work it left.
    BOOL Start();
    // Start() that must succeed and leave the splash gone.
    CMainFrame* StartAndSettle();
    // Waits (in real time, a generous deadline) until the link's reader
    // has its port open.
    static void WaitForLinkOpen();
    // Moves the clock on (only while a thread sleeps on it) until the
    // receiver link's reader is in its read loop, and not after: the
    // link-start frames then go out without a pause, and a clock moving on
    // while a busy receiver has yet to read them would carry the frame's
    // watchdog past its first no-data notice.
    ::testing::AssertionResult RunLinkToItsReadLoop();
    void Pump();
    void Advance(uint64_t ms);
    // A key as the keyboard gives it: down, the character, up.
    void Key(UINT virtualKey);

    static CMainFrame* Frame() { return GetMainFrame(); }
    static CVendropDoc& Doc() { return *g_pDoc; }

    // Device files.
    std::string Host(LPCTSTR devicePath) const;
    std::string ReadDevice(LPCTSTR devicePath) const;
    void WriteDevice(LPCTSTR devicePath, const std::string& bytes) const;
    // The file's write bits taken away (a file the device refuses to write)
    // or the owner's given back.
    void SetReadOnly(LPCTSTR devicePath, bool readOnly) const;
    static bool IsFile(LPCTSTR devicePath);
    static bool IsFolder(LPCTSTR devicePath);
    // The names in a device folder, sorted; hidden host files left out.
    std::vector<std::string> List(LPCTSTR deviceFolder) const;
    static std::string Reference(const std::string& name);
    // Bytes cut into lines at CR LF; a last line without one is marked
    // "<no line end>". Lines: those of a device file.
    static std::vector<std::string> SplitLines(const std::string& bytes);
    std::vector<std::string> Lines(LPCTSTR devicePath) const;
    // A job's settings file as it reads back; SavedSettings: the default
    // job's.
    static SystemParams ReadSettings(LPCTSTR folder, LPCTSTR name);
    static SystemParams SavedSettings();
    // Whether the command bar would offer the command now, as its update
    // handlers set it.
    static bool CommandEnabled(UINT id);
    // A job of the default layout whose settings are the defaults with
    // `change` applied, written before the start.
    void WriteDefaultJob(void (*change)(SystemParams&));

    // The WM_GRAPH_COMMAND codes the plan view received since the last
    // call (the view's window procedure is watched after Start).
    std::vector<int> TakeGraphCodes();
    void WatchGraphView();

    CVendropApp* m_app = nullptr;
    std::string m_root;
    quorvel::testing::ModalScript* m_modals = nullptr;
    // The receiver behind COM1 and COM5: it says nothing.
    quorvel::testing::PtyPeer m_receiver;
};

// Every message box and dialog of the test, as the modal script wrote it.
std::string Boxes(const quorvel::testing::ModalScript& modals);

// A control of a live dialog: its text, and whether it is enabled.
std::wstring ItemText(HWND dialog, int id);
bool ItemEnabled(HWND dialog, int id);
// The texts of a list box of a live dialog, top to bottom.
std::vector<std::wstring> ListBoxTexts(HWND dialog, int id);

// A step's action that chooses an item of a file dialog's tree by the
// texts on the way down from the root's children ("Jobs", "ruvo", "x.dat").
std::function<void(HWND)> ChooseInTree(std::vector<std::wstring> texts);

}  // namespace shelltest
