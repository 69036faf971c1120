// The calibration tests' program: started in process on a temporary device
// root (tests/app/ShellTest.h) with a job on WGS84, central meridian -114,
// Y constant 500000, no four or seven parameters, every sound recorded, and
// the receiver's lines decoded by the real parser into the document.
//
// The receiver side stands in for the main frame's dispatcher, which is
// not part of the program yet: each line goes through CReceiverParser with
// the document as its host, and a position becomes the document's current
// fix, as the dispatcher will make it.
#pragma once

#include <string>

#include "platform/device/Sound.h"
#include "receiver/ReceiverHost.h"
#include "receiver/ReceiverParser.h"
#include "tests/app/ShellTest.h"

namespace calibtest {

// The document as the decoders' host.
class CDocumentHost : public IReceiverHost {
  public:
    CoordSysParams& CoordParams() override { return Doc().m_coordParams; }
    CCoordTransform& Engine() override { return Doc().m_coordTransform; }
    BOOL WriteCoordParams() override;
    int FixLevel() const override { return Doc().m_sysParams.nFixLevel; }
    int TimeZone() const override { return Doc().m_sysParams.nTimeZone; }
    void GetMeasuredPointOffset(double& x, double& y) const override { x = y = 0.0; }
    SurveyRecord& CurrentFix() override { return Doc().m_curFix; }
    void SetGgaSeen() override { Doc().m_bGgaSeen = 1; }
    void SetAntennaConstant(double metres) override { Doc().m_dAntennaConst = metres; }
    void SetReceiverVariant(int variant) override { Doc().m_nReceiverVariant = variant; }
    int ReceiverVariant() const override { return Doc().m_nReceiverVariant; }
    void SetBaseChanged() override { Doc().m_bBaseChanged = 1; }
    void SetBaseStation(double x, double y, double h) override;
    void SetBaseWritten() override {}
    BOOL AppendBaseRecord(const CString& line) override;
    void NoteBaseFileWrite(BaseFile file, BOOL written) override;
    CString RawRtkFile() const override;
    void AppendRtkRecord(int) override {}
    void SetDeviceLed(int, int) override {}
    void SendReceiverLine(const CString&) override {}
    int RadioFormat() const override { return Doc().m_sysParams.nRadioFormat; }
    void SetDiffAlive(BOOL alive) override { Doc().m_bDiffAlive = alive; }

  private:
    static CVendropDoc& Doc() { return *g_pDoc; }
};

// The test position: 51 09'N 114 02'W (packed angles that print exactly),
// ellipsoidal height 1081.5 m.
constexpr double kRoverLat = 51.15;
constexpr double kRoverLon = -(114.0 + 2.0 / 60.0);
constexpr double kRoverHeight = 1081.5;

class CalibTest : public shelltest::ShellTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The job files, then the program.
    void StartJob();
    // Ends the program as the launcher does and starts it again on the same
    // root; the parser starts afresh too.
    void Restart();

    // One receiver line through the parser; positions become the current
    // fix.
    void Receive(const std::string& line);
    // The two REFSTATIONA logs of the real capture: the empty one first.
    std::string RefStationLog(int which) const;
    // A GGA at the position with the quality (4 fixed, 5 float).
    void ReceiveGga(double lat, double lon, double height, int quality);

    // The menu command.
    void RunWizard();

    std::string JobFile(const std::string& name) const;
    // tests/app/calibration/data/<name>.
    static std::string Data(const std::string& name);
    std::vector<std::wstring> SoundsPlayed() const;

    CDocumentHost m_host;
    CReceiverParser m_parser{&m_host};
    SurveyRecord m_fix;
    quorvel::device::RecordingSoundSink m_sounds;

  private:
    quorvel::device::SoundSink* m_previousSink = nullptr;
};

// Writes a short sound where the program looks for it.
void WriteSound(const std::string& hostPath);

// The dialog's control dump and screen against tests/app/calibration/ref/<name>
// (.txt and .png); written only in an update run
// (QUORVEL_UPDATE_REFERENCES=1).
void ExpectDialogMatches(HWND dialog, const std::string& name);

}  // namespace calibtest
