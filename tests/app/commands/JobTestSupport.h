// What the job tests share: the job a test starts from, the base station
// the receiver reports, and the comparison of a written parameter file with
// its reference, whose base-station values are checked as numbers.
#pragma once

#include <map>
#include <string>

#include "tests/app/commands/CommandsTest.h"

namespace commandstest {

// The reference-station position the receiver reports (see
// data/PROVENANCE.md).
inline constexpr double kBaseLat = 48.8583;
inline constexpr double kBaseLon = 2.2945;
inline constexpr double kBaseHeight = 35.0;

class JobTest : public CommandsTest {
  protected:
    // The program started on the job "ruvo" whose settings are the defaults
    // but for what `change` sets, with the base station received.
    CMainFrame* StartOnJob(void (*change)(SystemParams&));
    void ReceiveBaseStation();
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
