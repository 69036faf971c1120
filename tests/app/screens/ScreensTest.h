// The survey screens in the running program: the point-measuring screen
// and the navigation view switched in by the frame's commands, fixes handed
// to them as the frame posts them (with the document's current fix), the
// job's data files read back, and the plan's pixels.
#pragma once

#include <string>
#include <vector>

#include "app/screens/DialogViewSavePoint.h"
#include "app/screens/VendropView.h"
#include "platform/gdi/Image.h"
#include "tests/app/recording/RecordingTest.h"

namespace screenstest {

inline constexpr LPCTSTR kPoints = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat";
inline constexpr LPCTSTR kRtk = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK";
inline constexpr LPCTSTR kBlh = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.BLH";
inline constexpr LPCTSTR kLib = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lib";

class ScreensTest : public shelltest::RecordingTest {
  protected:
    void SetUp() override;

    CDialogViewSavePoint* OpenPointScreen();
    CVendropView* OpenNavigation();
    // The fix as the frame hands it on: the document's current fix, then
    // posted to the current screen, the queue run to its end.
    void Feed(const SurveyRecord& fix);
    // A status word ("NODATA", "FINDRADIO", "FIND") as the frame sends it.
    void SendStatus(const CString& word);
    // Runs the queue with a bound: false when it never went idle.
    static bool SettlesWithin(int messages);
    // The plan control's pixels.
    static quorvel::gdi::Image PlanImage(CDialogViewSavePoint* screen);
    // Lines of a device file; none when it is missing.
    std::vector<std::string> FileLines(LPCTSTR path) const;
};

// A fixed fix at (x, y) of the default job's site at hh:mm:ss.
SurveyRecord FixAt(double x, double y, int hour = 10, int minute = 0, double second = 0.0);

}  // namespace screenstest
