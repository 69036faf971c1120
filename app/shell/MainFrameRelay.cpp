// Speed and heading between GGA fixes, and the GGA relay: while the
// corrections come through the receiver's modem, the correction server is
// sent the rover's GGA at the first fixed epoch, at the first float epoch
// after single ones, and then every GSMSendTimeInterval epochs.
#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"

namespace {

constexpr double kTwoPi = 6.2831853071794;
// Fixes further apart than this (minutes) give no speed or heading.
constexpr int kMaxMinuteGap = 15;
// Relay distance to whole arc-seconds: one arc-second counted as 30 m.
constexpr double kArcSecondsPerMetre = 1.0 / 30.0;

// Degrees from "ddmm.mmmm" (2 degree digits) or "dddmm.mmmm" (3).
double NmeaAngle(const CString& field, int degreeDigits) {
    const double degrees = std::wcstod(field.Left(degreeDigits), nullptr);
    return degrees + std::wcstod(field.Mid(degreeDigits), nullptr) / 60.0;
}

}  // namespace

void CMainFrame::CalcSpeedHeading(double* pSpeed, double* pHeading) {
    const SurveyRecord& f = m_fix;
    EpochMark& prev = m_prevFix;
    if (prev.bValid && std::abs(f.nMinute - prev.nMinute) < kMaxMinuteGap) {
        const double dx = f.dX - prev.x;
        const double dy = f.dY - prev.y;
        const double distance = std::sqrt(dx * dx + dy * dy);
        const double dt = (f.nMinute * 60 + f.dSecond) - (prev.nMinute * 60 + prev.dSeconds);
        *pSpeed = dt < 0.0001 ? 0.0 : distance / dt;
        double heading = std::atan2(dy, dx);
        if (heading < 0) heading += kTwoPi;
        *pHeading = heading;
    }
    prev.x = f.dX;
    prev.y = f.dY;
    prev.h = f.dGridH;
    prev.nHour = f.nHour;
    prev.nMinute = f.nMinute;
    prev.dSeconds = f.dSecond;
    prev.bValid = 1;
}

void CMainFrame::ParseNmeaLatLon(RelayPoint* point) {
    CStringArray fields;
    const CString rest = point->strName.Mid(7);
    int start = 0;
    for (;;) {
        const int comma = rest.Find(L',', start);
        fields.Add(comma < 0 ? rest.Mid(start) : rest.Mid(start, comma - start));
        if (comma < 0) break;
        start = comma + 1;
    }
    auto field = [&fields](int i) { return i < fields.GetSize() ? fields[i] : CString(); };
    point->x = NmeaAngle(field(3), 3);
    point->y = NmeaAngle(field(1), 2);
    point->h = std::wcstod(field(8), nullptr);
}

void CMainFrame::CheckRelayDistance() {
    m_nRelayMode = 2;
    const double metres = Doc()->m_sysParams.GSMSendDisInterval;
    const int limit = static_cast<int>(metres * kArcSecondsPerMetre);
    if (m_strRelayGga.IsEmpty()) {
        m_strRelayGga = m_strCurGga;
        return;
    }
    RelayPoint point;
    point.strName = m_strCurGga;
    ParseNmeaLatLon(&point);
    if (std::fabs(point.x - m_lastRelayPos.x) * 3600.0 >= limit) {
        m_strRelayGga = m_strCurGga;
        m_lastRelayPos = point;
    }
}

void CMainFrame::RelayGga() {
    CheckRelayDistance();
    const int interval = Doc()->m_sysParams.GSMSendTimeInterval;
    const CString& status = m_fix.strStatus;
    if (status == L"固定解") {
        if (m_strRelayState != L"FIXED") {
            m_strRelayGga = m_strCurGga;
            m_strRelayState = L"FIXED";
            m_nRelayCounter = interval;
        }
    } else if (status == L"浮点解") {
        if (m_strRelayState == L"单点解") {
            m_strRelayGga = m_strCurGga;
            m_strRelayState = L"FLOAT";
            m_nRelayCounter = interval;
        }
    } else {
        m_strRelayState = L"单点解";
    }
    if (m_nRelayCounter >= interval) {
        if (!m_strRelayGga.IsEmpty()) {
            const CString gga = m_strRelayGga.SpanExcluding(L"\r").SpanExcluding(L"\n");
            CString quotedWithEnd = L"send com2 \"" + gga + L"\r\n\"\r\n";
            CString quoted = L"send com2 \"" + gga + L"\"\r\n";
            CString newline = L"sendhex com2 2 0D0A\r\n";
            g_gpsComm.SendText(quotedWithEnd);
            g_gpsComm.SendText(quoted);
            g_gpsComm.SendText(newline);
        }
        m_nRelayCounter = 0;
    }
    ++m_nRelayCounter;
}
