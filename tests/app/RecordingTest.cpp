#include "tests/app/RecordingTest.h"

namespace shelltest {
namespace {

// A command's state as the command bar asks for it.
class StateProbe : public CCmdUI {
  public:
    void Enable(BOOL bOn) override {
        CCmdUI::Enable(bOn);
        m_bOn = bOn;
    }
    BOOL m_bOn = TRUE;
};

}  // namespace

bool RecordingTest::IsEnabled(UINT id) {
    StateProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(Frame(), TRUE);
    return probe.m_bOn != 0;
}

std::vector<std::string> RecordingTest::Lines(LPCTSTR devicePath) const {
    std::vector<std::string> lines;
    const std::string bytes = ReadDevice(devicePath);
    size_t start = 0;
    for (size_t end = bytes.find("\r\n"); end != std::string::npos;
         end = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start) + "<no line end>");
    return lines;
}

SystemParams RecordingTest::SavedSettings() {
    CIniFile ini;
    SystemParams params;
    EXPECT_TRUE(ini.ReadSystemParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.ini", &params));
    return params;
}

SurveyRecord MakeFix(double x, double y, int hour, int minute, double second) {
    SurveyRecord fix;
    fix.dLat = 48.8583;
    fix.dLon = 11.2939;
    fix.dHeight = 512.25;
    fix.dX = x;
    fix.dY = y;
    fix.dGridH = 466.5;
    fix.strStatus = L"固定解";
    fix.nSolution = 10;
    fix.nSatsUsed = 9;
    fix.dDop = 1.1;
    fix.nYear = 2012;
    fix.nMonth = 6;
    fix.nDay = 5;
    fix.nHour = hour;
    fix.nMinute = minute;
    fix.dSecond = second;
    return fix;
}

}  // namespace shelltest
