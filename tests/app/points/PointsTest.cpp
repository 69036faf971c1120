#include "tests/app/points/PointsTest.h"

#include <filesystem>

#include "app/settings/IniFile.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"

namespace pointstest {

void PointsTest::SetUp() {
    CoordsysTest::SetUp();
    if (HasFatalFailure()) return;
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/points/ref");
    std::filesystem::create_directories(Host("Flash Disk/Jobs/ruvo/data"));
    Doc().m_strNextPointName = L"PT1";
    Doc().LoadCoordTransform();
    ASSERT_TRUE(Doc().SaveSystemParams());
}

SurveyRecord PointsTest::Fix(double x, double y, double h, double hrms, double vrms) {
    SurveyRecord fix;
    fix.dLat = 22.5;
    fix.dLon = 114.25;
    fix.dHeight = h + 3.0;
    fix.dX = x;
    fix.dY = y;
    fix.dGridH = h;
    fix.dHrms = hrms;
    fix.dVrms = vrms;
    fix.strStatus = L"固定解";
    fix.nSolution = 10;
    fix.nSatsUsed = 12;
    fix.dDop = 0.8;
    fix.nYear = 2012;
    fix.nMonth = 6;
    fix.nDay = 5;
    fix.nHour = 8;
    fix.nMinute = 0;
    fix.dSecond = 1.0;
    return fix;
}

void PointsTest::Tick(HWND dialog, uint64_t ms) {
    quorvel::AdvanceVirtualClock(ms);
    quorvel::testing::PumpDialogMessages(dialog);
    quorvel::win::PumpUntilIdle();
}

std::string PointsTest::HostOf(LPCTSTR devicePath) const {
    std::string relative = quorvel::ToUtf8(devicePath).substr(1);
    for (char& c : relative)
        if (c == '\\') c = '/';
    return Host(relative);
}

std::string PointsTest::Read(LPCTSTR devicePath) const {
    return quorvel::testing::ReadFile(HostOf(devicePath));
}

void PointsTest::Write(LPCTSTR devicePath, const std::string& bytes) const {
    std::string relative = HostOf(devicePath).substr(Host("").size());
    WriteHost(relative, bytes);
}

std::vector<std::string> PointsTest::Lines(LPCTSTR devicePath) const {
    const std::string text = Read(devicePath);
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    if (from < text.size()) lines.push_back(text.substr(from) + "<no line end>");
    return lines;
}

SystemParams PointsTest::SavedSettings() {
    SystemParams params;
    CIniFile ini;
    EXPECT_TRUE(ini.ReadSystemParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.ini", &params));
    return params;
}

std::string FieldOf(const std::string& line, size_t index) {
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) {
        start = line.find(',', start);
        if (start == std::string::npos) return {};
        ++start;
    }
    const size_t end = line.find(',', start);
    return line.substr(start, end == std::string::npos ? end : end - start);
}

}  // namespace pointstest
