#include "tests/app/calibration/CalibTest.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/settings/DefaultRecords.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgramControl.h"
#include "platform/base/TextConv.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "pointdata/AppendFile.h"
#include "res/resource.h"
#include "sim/Nmea.h"
#include "tests/platform/device/SoundTestWave.h"

namespace fs = std::filesystem;

namespace calibtest {

namespace {

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The job of the tests: the defaults on WGS84 with the meridian at -114.
CoordSysParams JobParams() {
    CoordSysParams p;
    FillDefaultParRecord(p);
    p.nCoord = 2;
    p.szdDa = 6378137.0;
    p.szdDf = 298.257223563;
    p.szdCenter = -114.0;
    return p;
}

}  // namespace

BOOL CDocumentHost::WriteCoordParams() {
    return Doc().WriteCoordParams();
}

BOOL CDocumentHost::AppendBaseRecord(const CString& line) {
    return CAppendFile::AppendLineTo(Doc().m_strResultDir + L"basecoord.RTK", line);
}

// Told as the program tells it: by the frame, once the line is handled.
void CDocumentHost::NoteBaseFileWrite(BaseFile file, BOOL written) {
    if (CMainFrame* frame = GetMainFrame())
        frame->NoteSurveyWrite(file == kBaseParamsFile ? kWriteBaseParams : kWriteBaseRecord,
                               written);
}

void CDocumentHost::SetBaseStation(double x, double y, double h) {
    Doc().m_calibMeasured[0] = CVendropDoc::GridPoint{x, y, h};
}

CString CDocumentHost::RawRtkFile() const {
    const CString& name = Doc().m_strDataFile;
    return Doc().m_strDataDir + name.Left(name.GetLength() - 3) + L"RTK";
}

void CalibTest::SetUp() {
    ShellTest::SetUp();
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/calibration/ref");
    m_previousSink = quorvel::device::SetSoundSink(&m_sounds);
}

void CalibTest::TearDown() {
    ShellTest::TearDown();
    quorvel::device::SetSoundSink(m_previousSink);
}

void CalibTest::StartJob() {
    WriteDefaultJob([](SystemParams&) {});
    CIniFile ini;
    const CoordSysParams params = JobParams();
    ASSERT_TRUE(ini.WriteCoordParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.par", params));
    ASSERT_NE(StartAndSettle(), nullptr);
}

void CalibTest::Restart() {
    quorvel::app::EndProgramWithoutQuestions();
    Pump();
    delete m_app;
    m_app = new CVendropApp;
    m_fix = SurveyRecord{};
    ASSERT_NE(StartAndSettle(), nullptr);
}

void CalibTest::Receive(const std::string& line) {
    CString text = quorvel::FromUtf8(line);
    if (line.rfind("#REFSTATIONA", 0) == 0) {
        m_parser.ParseRefStation(text, &m_fix);
    } else if (line.rfind("$GPGGA", 0) == 0 && m_parser.ParseGga(text, &m_fix)) {
        Doc().m_curFix = m_fix;
    }
}

std::string CalibTest::RefStationLog(int which) const {
    std::ifstream in(QUORVEL_TESTDATA_DIR "/receiver-logs/ascii-logs-valid.txt");
    std::string line;
    int found = 0;
    while (std::getline(in, line)) {
        if (line.rfind("#REFSTATIONA", 0) == 0 && found++ == which) return line + "\r";
    }
    ADD_FAILURE() << "no REFSTATIONA log " << which << " in the capture";
    return std::string();
}

void CalibTest::ReceiveGga(double lat, double lon, double height, int quality) {
    quorvel::sim::NmeaEpoch epoch;
    epoch.secondsOfDay = 3600.0;
    epoch.latDeg = lat;
    epoch.lonDeg = lon;
    epoch.heightM = height;
    epoch.geoidSepM = -17.0;
    epoch.quality = quality;
    epoch.diffAgeS = 1.0;
    Receive(quorvel::sim::GgaSentence(epoch));
}

void CalibTest::RunWizard() {
    Frame()->SendMessage(WM_COMMAND, ID_CALIBRATION_WIZARD);
    Pump();
}

std::string CalibTest::JobFile(const std::string& name) const {
    return ReadHostFile(m_root + "/Flash Disk/Jobs/ruvo/" + name);
}

std::string CalibTest::Data(const std::string& name) {
    const std::string bytes =
        ReadHostFile(QUORVEL_SOURCE_DIR "/tests/app/calibration/data/" + name);
    EXPECT_FALSE(bytes.empty()) << "missing reference " << name;
    return bytes;
}

std::vector<std::wstring> CalibTest::SoundsPlayed() const {
    std::vector<std::wstring> paths;
    for (const auto& entry : m_sounds.Played()) paths.push_back(entry.path);
    return paths;
}

void WriteSound(const std::string& hostPath) {
    const std::vector<uint8_t> wave = soundtest::MakeWave(soundtest::WaveFormat{1, 8000, 16, 800});
    fs::create_directories(fs::path(hostPath).parent_path());
    std::ofstream(hostPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(wave.data()),
               static_cast<std::streamsize>(wave.size()));
}

void ExpectDialogMatches(HWND dialog, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(
        quorvel::testing::DumpDialog(dialog),
        QUORVEL_SOURCE_DIR "/tests/app/calibration/ref/" + name + ".txt");
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), name);
}

}  // namespace calibtest
