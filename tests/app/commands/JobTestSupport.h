// What the job tests share: the job a test starts from, the base station
// the receiver reports, and the comparison of a written parameter file with
// its reference, whose base-station values are checked as numbers.
#pragma once

#include <map>
#include <string>

#include "sim/Nmea.h"
#include "tests/app/commands/CommandsTest.h"

namespace commandstest {

// The reference-station position the receiver is given, and the grid
// values of the position its log reports, on a new job's ellipsoid and on
// WGS84, both about meridian 3 (see data/PROVENANCE.md).
inline constexpr double kBaseLat = 48.8583;
inline constexpr double kBaseLon = 2.2945;
inline constexpr double kBaseHeight = 35.0;
inline constexpr double kLoggedHeight = 34.9999576418;
inline constexpr double kBaseNorth = 5414204.701122;
inline constexpr double kBaseEast = 448230.327949;
inline constexpr double kWgs84BaseNorth = 5414109.438077;
inline constexpr double kWgs84BaseEast = 448231.190419;
// The plain projection of a position at the site itself, likewise.
inline constexpr double kSiteNorth = 5414204.700628;
inline constexpr double kSiteEast = 448230.328297;
inline constexpr double kWgs84SiteNorth = 5414109.437583;
inline constexpr double kWgs84SiteEast = 448231.190767;

class JobTest : public CommandsTest {
  protected:
    // The program started on the job "ruvo" whose settings are the defaults
    // but for what `change` sets, with the base station received.
    CMainFrame* StartOnJob(void (*change)(SystemParams&));
    void ReceiveBaseStation();
    // A fixed position at the base station's site.
    static quorvel::sim::NmeaEpoch SiteEpoch();
    // The fix of the next position the receiver reports, at the site.
    SurveyRecord NextFix();
    // A job folder with its settings and parameter files, written before
    // or behind the program's back.
    void WriteJob(const std::wstring& name, const SystemParams& ini, const CoordSysParams& par);

    static std::string CommandsReference(const std::string& name);
    // The file's lines against the reference's; a reference line "key=?"
    // takes any value, which is returned by key.
    std::map<std::string, double> ExpectLinesMatch(const std::string& actual,
                                                   const std::string& reference);
    std::wstring Title() const;
};

}  // namespace commandstest
