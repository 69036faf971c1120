#include "tests/app/recording/RecordingTest.h"

namespace shelltest {

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
