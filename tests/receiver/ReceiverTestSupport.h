// Helpers of the decoder tests: lines as the link delivers them, NMEA
// checksums for made-up sentences, and a full text of a record to compare
// records whole.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>

#include "platform/base/CString.h"
#include "platform/base/TextConv.h"
#include "receiver/SurveyRecord.h"

// Test output shows texts as text.
inline void PrintTo(const CString& text, std::ostream* out) {
    *out << '"' << quorvel::ToUtf8(text) << '"';
}

namespace receiver_test {

// "$...*" completed with the two hex digits of its checksum.
inline std::string WithChecksum(const std::string& body) {
    unsigned sum = 0;
    for (size_t i = 1; i < body.size() && body[i] != '*'; ++i) {
        sum ^= static_cast<unsigned char>(body[i]);
    }
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", sum);
    return body + "*" + digits;
}

// The line as the reader hands it over: the previous line's LF first, the
// CR last, converted from the device code page.
inline CString Delivered(const std::string& sentence) {
    const std::string bytes = "\n" + sentence + "\r";
    return quorvel::FromGbk(bytes.data(), bytes.size());
}

// Every field of the record, so that "nothing changed" is checked whole.
inline std::string Dump(const SurveyRecord& r) {
    std::string out;
    auto num = [&out](const char* name, double v) {
        char text[64];
        std::snprintf(text, sizeof text, "%s=%.17g ", name, v);
        out += text;
    };
    auto str = [&out](const char* name, const CString& s) {
        out += std::string(name) + "=" + quorvel::ToUtf8(s) + " ";
    };
    num("dop", r.dDop), num("inView", r.nSatsInView), num("used", r.nSatsUsed);
    num("lon", r.dLon), num("lat", r.dLat), num("h", r.dHeight), num("x", r.dX), num("y", r.dY);
    num("antX", r.dAntX), num("antY", r.dAntY), num("gridH", r.dGridH);
    str("status", r.strStatus), num("speed", r.dSpeed), num("heading", r.dHeading);
    num("hour", r.nHour), num("min", r.nMinute), num("sec", r.dSecond);
    num("year", r.nYear), num("month", r.nMonth), num("day", r.nDay);
    for (const SatelliteInfo& s : r.sats) {
        num("prn", s.nPrn), num("el", s.nElevation), num("az", s.nAzimuth), num("snr", s.nSnr);
    }
    num("hrms", r.dHrms), num("vrms", r.dVrms), num("aux", r.nAux), num("sol", r.nSolution);
    num("sep", r.dGeoidSep), str("latTag", r.strLatTag), str("lonTag", r.strLonTag);
    num("baseLat", r.dBaseLat), num("baseLon", r.dBaseLon), num("baseH", r.dBaseH);
    str("id1", r.strRxId1), str("id2", r.strRxId2), str("id3", r.strRxId3);
    str("id3c", r.strRxId3Copy), num("projX", r.dProjX), num("projY", r.dProjY);
    num("projH", r.dProjH), num("pbnLat", r.dPbnLat), num("pbnLon", r.dPbnLon);
    num("pbnH", r.dPbnH), str("diff", r.strDiffFormat), str("baseId", r.strBaseId);
    num("kind", r.nStoreKind), num("total", r.nSmoothTotal), num("index", r.nSmoothIndex);
    return out;
}

}  // namespace receiver_test
