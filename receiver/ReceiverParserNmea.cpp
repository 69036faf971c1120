// CReceiverParser: the NMEA sentences GGA, GSV, ZDA, GSA and GST.
#include <cmath>
#include <cwchar>

#include "receiver/FieldCut.h"
#include "receiver/ReceiverParser.h"
#include "receiver/ReceiverText.h"

namespace {

// Local hour from a UTC hour and a zone of whole hours, in 0..23 whatever
// the sign or size of either.
int LocalHour(int utcHour, int timeZone) {
    long long hour = (static_cast<long long>(utcHour) + timeZone) % 24;
    return static_cast<int>(hour < 0 ? hour + 24 : hour);
}

struct GgaQuality {
    const wchar_t* status;
    int solution;
};

GgaQuality QualityOf(int q) {
    switch (q) {
        case 1:
            return {L"SINGLE", 5};
        case 2:
            return {L"DGPS", 6};
        case 4:
            return {L"FIXED", 10};
        default:
            return {L"FLOAT", 9};
    }
}

}  // namespace

BOOL CReceiverParser::DecodeGga(const wchar_t* line, SurveyRecord* rec, int timeZone) const {
    const wchar_t* text = receiver_text::FromFirst(line, L'$');
    if (!VerifyChecksum(text)) return FALSE;
    const CFieldCut f(text, 15);
    receiver_text::ReadClock(f, 1, rec);
    rec->nHour = LocalHour(rec->nHour, timeZone);
    const int q = f.Int(6);
    if (q == 0) {
        rec->strStatus = rec->nSatsUsed > 4 ? L"SINGLE" : L"NONE";
        rec->nSolution = 1;
    } else {
        const GgaQuality quality = QualityOf(q);
        rec->strStatus = quality.status;
        rec->nSolution = quality.solution;
        rec->dGeoidSep = f.Double(11);
        rec->dLat = receiver_text::SignedDegrees(f, 2, 2);
        rec->dLon = receiver_text::SignedDegrees(f, 4, 3);
        rec->dHeight = f.Double(9) + rec->dGeoidSep;
        rec->nSatsUsed = f.Int(7);
        rec->dDop = f.Double(8);
    }
    receiver_text::SetTag(rec->strLatTag, f, 3);
    receiver_text::SetTag(rec->strLonTag, f, 5);
    return TRUE;
}

BOOL CReceiverParser::ParseGga(CString& sentence, SurveyRecord* rec) {
    const int timeZone = m_host != nullptr ? m_host->TimeZone() : 8;
    if (!DecodeGga(sentence, rec, timeZone)) return FALSE;
    if (m_host != nullptr) {
        m_host->SetGgaSeen();
        ConvertOnDocumentEngine(rec, true);
    }
    return TRUE;
}

BOOL CReceiverParser::ParseGsv(CString& sentence, SurveyRecord* rec) {
    const wchar_t* text = receiver_text::FromFirst(sentence, L'$');
    if (!VerifyChecksum(text)) return FALSE;
    const CFieldCut f(text, 20);
    rec->nSatsInView = f.Int(3);
    const int message = f.Int(2);
    if (message < 1 || message > 3) return TRUE;
    for (int k = 0; k < 4; ++k) {
        SatelliteInfo& sat = rec->sats[4 * (message - 1) + k];
        sat.nPrn = f.Int(4 + 4 * k);
        sat.nElevation = f.Int(5 + 4 * k);
        sat.nAzimuth = f.Int(6 + 4 * k);
        const int snr = f.Int(7 + 4 * k);
        sat.nSnr = snr > 51 ? 51 : snr;
    }
    return TRUE;
}

BOOL CReceiverParser::ParseZda(CString& sentence, SurveyRecord* rec) {
    const wchar_t* text = receiver_text::FromFirst(sentence, L'$');
    if (!VerifyChecksum(text)) return FALSE;
    const CFieldCut f(text, 7);
    m_nZdaDay = rec->nDay = f.Int(2);
    m_nZdaMonth = rec->nMonth = f.Int(3);
    m_nZdaYear = rec->nYear = f.Int(4);
    return TRUE;
}

BOOL CReceiverParser::ParseGsa(CString& sentence, SurveyRecord* rec) {
    const wchar_t* text = receiver_text::FromFirst(sentence, L'$');
    if (!VerifyChecksum(text)) return FALSE;
    const CFieldCut f(text, 18);
    rec->dDop = f.Double(15);
    int used = 0;
    for (int i = 3; i <= 14; ++i) used += f.IsEmpty(i) ? 0 : 1;
    rec->nSatsUsed = used;
    return TRUE;
}

// GST carries no guard: it is cut from the start of the line as it came.
BOOL CReceiverParser::ParseGst(CString& sentence, SurveyRecord* rec) {
    const CFieldCut f(sentence, 9);
    if (f.IsEmpty(1)) return FALSE;
    const double lat = f.Double(6);
    const double lon = f.Double(7);
    rec->dHrms = receiver_text::Hypot(lat, lon);
    rec->dVrms = f.Double(8);
    return TRUE;
}

BOOL CReceiverParser::Parse(int type, CString& sentence, SurveyRecord* rec) {
    switch (type) {
        case 1:
            return ParseGga(sentence, rec);
        case 2:
            return ParseGsv(sentence, rec);
        case 3:
            return ParseZda(sentence, rec);
        case 4:
            return ParseBestPos(sentence, rec);
        case 5:
            return ParseRefStation(sentence, rec);
        case 7:
            return ParseNavPos(sentence, rec);
        case 8:
            return ParseGsa(sentence, rec);
        case 9:
            return ParseGpxxx(sentence, rec);
        case 10:
            return ParseCbn(sentence, rec);
        case 11:
            return ParseCpd(sentence, rec);
        case 12:
            return ParsePbn(sentence, rec);
        case 13:
            return ParsePos(sentence, rec);
        case 14:
            return ParseGst(sentence, rec);
        default:
            return FALSE;
    }
}
