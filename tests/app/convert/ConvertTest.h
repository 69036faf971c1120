// The conversion tests' program: started in process on a temporary device
// root laid out as a set-up handheld (tests/app/ShellTest.h): the expansion
// slot's FFUART set, COM1 a pseudo-terminal whose far end plays a silent
// receiver, a job "ruvo" whose .par the test gives. Commands reach the
// document as WM_COMMAND to the main frame, as no menu carries them; every
// dialog and box is answered by the modal script.
#pragma once

#include <string>
#include <vector>

#include "geodesy/CoordSysParams.h"
#include "tests/app/ShellTest.h"

namespace converttest {

inline constexpr const wchar_t* kJobDir = L"\\Flash Disk\\Jobs\\ruvo\\";
inline constexpr const wchar_t* kDataDir = L"\\Flash Disk\\Jobs\\ruvo\\data\\";
inline constexpr const wchar_t* kDataFolder = L"\\Flash Disk\\Jobs\\ruvo\\data";

// The default job on Krassovsky with its meridian at 117.
CoordSysParams PlainJob();
// PlainJob with a datum shift (three shifts and 2.5 ppm), a four-parameter
// adjustment and a height-fit surface, each printing exactly in the .par.
CoordSysParams FullJob();

class ConvertTest : public shelltest::ShellTest {
  protected:
    void SetUp() override;

    // The job's files with `params` (and default settings), then the program.
    void StartJob(const CoordSysParams& params);
    // The command as the main frame receives it, and what it left to do.
    void Command(UINT id);

    // Device files of the job's data folder, by name.
    std::string DataFile(const std::string& name) const;
    void WriteDataFile(const std::string& name, const std::string& bytes) const;
    std::string Transcript() const { return shelltest::Boxes(*m_modals); }
};

// A file open dialog answered with `path`; a save dialog answered with a
// folder and a name (the dialog adds its filter's extension); each closed
// with OK.
void AnswerOpen(quorvel::testing::ModalScript& modals, LPCTSTR path);
void AnswerSave(quorvel::testing::ModalScript& modals, LPCTSTR folder, LPCTSTR name);

// The dialog's control dump and screen against tests/app/convert/ref/<name>
// (.txt and .png); written only in an update run
// (QUORVEL_UPDATE_REFERENCES=1).
void ExpectDialogMatches(HWND dialog, const std::string& name);

// UTF-8 text as the device's 8-bit text.
std::string Gbk(const std::string& utf8);
// tests/app/convert/data/<name>.
std::string Data(const std::string& name);

// The reference numbers of data/reference.gie: per operation, the points in
// file order with their input and PROJ's output.
struct ReferencePoint {
    std::string name;
    double lon = 0.0, lat = 0.0, height = 0.0;         // accepted
    double east = 0.0, north = 0.0, gridHeight = 0.0;  // expected
};
std::vector<ReferencePoint> ReferenceBlock(int index);
const ReferencePoint& Find(const std::vector<ReferencePoint>& block, const std::string& name);

}  // namespace converttest
