// The calculation tools in the running program: started in process on a
// temporary device root (tests/app/ShellTest.h) with a job "ruvo" whose
// coordinate system the test gives; the tools are opened by their commands
// (WM_COMMAND to the main frame) and every dialog and box is answered by
// the modal script.
#pragma once

#include <string>
#include <vector>

#include "geodesy/CoordSysParams.h"
#include "tests/app/ShellTest.h"

namespace toolstest {

inline constexpr const wchar_t* kJobDir = L"\\Flash Disk\\Jobs\\ruvo\\";
inline constexpr const wchar_t* kLibrary = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lib";
inline constexpr const wchar_t* kLatLonLibrary = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.WGS";
inline constexpr const wchar_t* kResultDir = L"\\Flash Disk\\Jobs\\ruvo\\result\\";
inline constexpr const wchar_t* kCalcFile = L"\\Flash Disk\\Jobs\\ruvo\\result\\calcoord.dat";
inline constexpr const wchar_t* kDataDir = L"\\Flash Disk\\Jobs\\ruvo\\data\\";

// The default job on Krassovsky with its meridian at 117.
CoordSysParams PlainJob();

class ToolsTest : public shelltest::ShellTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    void StartJob(const CoordSysParams& params);
    // The command as the main frame receives it, then what it left to do.
    void Command(UINT id);
    std::string Transcript() const { return shelltest::Boxes(*m_modals); }
    std::string Device(LPCTSTR path) const { return ReadDevice(path); }
};

// The top-level window a child belongs to.
HWND Root(HWND window);
// A control's text as UTF-8.
std::string Text(HWND dialog, int id);
// The page of a tool dialog's tab sheet: the visible child of the tab
// control, and the page of a given index (0 input, 1 result, 2 graph).
HWND Page(HWND tool, int index);
// A tap on tab `index` of the tool's tab control, as the stylus gives it.
void TapTab(HWND tool, int index);
// A control's text set, as typing leaves it.
void Set(HWND page, int id, LPCTSTR text);
// A button clicked, then the messages it sets off run.
void Click(HWND page, int id);
// A stylus tap (down and up) at a point of a window's client area.
void TapAt(HWND window, POINT client);
// The stylus down at one point of a window's client area, moved to another
// and lifted there.
void DragOn(HWND window, POINT from, POINT to);
// The ten result statics 1040..1049 of a result page, joined with "|".
std::string ResultLines(HWND resultPage);
// UTF-8 text as the device's 8-bit text.
std::string Gbk(const std::string& utf8);
// The dialog's control dump and screen against tests/app/tools/ref/<name>.
void ExpectDialogMatches(HWND dialog, const std::string& name);
// "nan" or "inf" anywhere in the bytes, any case.
bool HoldsNonNumber(const std::string& bytes);

}  // namespace toolstest
