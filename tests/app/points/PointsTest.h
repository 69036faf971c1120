// What the tests of the point-storage dialogs share: the coordinate-system
// tests' document on a temporary root (the default job, its data folder
// made, its engine loaded), a held fix at the job's site, the clock moved
// on inside a running dialog, and the job's files read back.
#pragma once

#include <string>
#include <vector>

#include "tests/app/coordsys/CoordsysTest.h"

namespace pointstest {

inline constexpr LPCTSTR kPoints = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat";
inline constexpr LPCTSTR kRtk = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK";
inline constexpr LPCTSTR kBlh = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.BLH";
inline constexpr LPCTSTR kIni = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini";

class PointsTest : public coordsystest::CoordsysTest {
  protected:
    void SetUp() override;

    // A fixed fix at (x, y, h) with the RMS values given.
    static SurveyRecord Fix(double x, double y, double h, double hrms = 0.01, double vrms = 0.02);
    // The clock moved on by `ms` inside the dialog, its messages handled.
    static void Tick(HWND dialog, uint64_t ms = 1000);
    // A device file cut at CR LF.
    std::vector<std::string> Lines(LPCTSTR devicePath) const;
    std::string Read(LPCTSTR devicePath) const;
    void Write(LPCTSTR devicePath, const std::string& bytes) const;
    std::string HostOf(LPCTSTR devicePath) const;
    // The job's settings as they read back from its .ini.
    static SystemParams SavedSettings();
};

// Field `index` of a comma-separated line.
std::string FieldOf(const std::string& line, size_t index);

}  // namespace pointstest
