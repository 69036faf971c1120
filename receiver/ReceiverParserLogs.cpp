// CReceiverParser: the logs introduced by '#': BESTPOSA (position, guarded
// by CRC-32), REFSTATIONA (the base station, which also changes the job)
// and NAVPOS, with their tables.
#include <cmath>
#include <cwchar>
#include <string>

#include "platform/files/FileApi.h"
#include "receiver/FieldCut.h"
#include "receiver/ReceiverParser.h"
#include "receiver/ReceiverText.h"

namespace {

// The eight hex digits after the '*' of a log, as a number; FALSE when
// there are fewer.
bool ReadCrcText(const wchar_t* p, uint32_t* value) {
    uint32_t v = 0;
    for (int i = 0; i < 8; ++i) {
        const wchar_t c = p[i];
        int d;
        if (c >= L'0' && c <= L'9') {
            d = c - L'0';
        } else if (c >= L'a' && c <= L'f') {
            d = c - L'a' + 10;
        } else if (c >= L'A' && c <= L'F') {
            d = c - L'A' + 10;
        } else {
            return false;
        }
        v = v << 4 | static_cast<uint32_t>(d);
    }
    *value = v;
    return true;
}

// TRUE when the CRC-32 of the low bytes strictly between the '#' at `log`
// and the first '*' after it equals the number written after the '*'.
bool LogCrcHolds(const wchar_t* log) {
    if (*log != L'#') return false;
    const wchar_t* star = std::wcschr(log, L'*');
    if (star == nullptr) return false;
    std::string body;
    body.reserve(static_cast<size_t>(star - log));
    for (const wchar_t* p = log + 1; p < star; ++p) body.push_back(static_cast<char>(*p & 0xFF));
    uint32_t sent = 0;
    if (!ReadCrcText(star + 1, &sent)) return false;
    return CReceiverParser::CalcCrc32(reinterpret_cast<const BYTE*>(body.data()),
                                      static_cast<int>(body.size())) == sent;
}

struct PositionType {
    const wchar_t* word;
    int solution;
    const wchar_t* status;  // nullptr: the word itself
};

// "WAAS" is the word receivers send for the table's "WASS"; both count.
const PositionType kPositionTypes[] = {
    {L"NONE", 1, nullptr},          {L"FIXEDPOS", 2, nullptr},
    {L"FIXEDHEIGHT", 3, nullptr},   {L"FIXEDVEL", 4, nullptr},
    {L"SINGLE", 5, nullptr},        {L"PSRDIFF", 6, L"DGPS"},
    {L"WASS", 7, L"DGPS"},          {L"WAAS", 7, L"DGPS"},
    {L"L1_FLOAT", 8, L"FLOAT"},     {L"IONOFREE_FLOAT", 8, L"FLOAT"},
    {L"NARROW_FLOAT", 8, L"FLOAT"}, {L"L1_INT", 8, L"FLOAT"},
    {L"NARROW_INT", 10, L"FIXED"},
};

}  // namespace

void CReceiverParser::PositionTypeCode(const CString& word, SurveyRecord* rec) const {
    rec->strStatus = word;
    if (word == L"WIDE_INT") {
        const int level = m_host != nullptr ? m_host->FixLevel() : 0;
        if (level == 0) {
            rec->nSolution = 9;
            rec->strStatus = L"FLOAT";
        } else if (level == 1) {
            rec->nSolution = 10;
            rec->strStatus = L"FIXED";
        }
        return;
    }
    for (const PositionType& type : kPositionTypes) {
        if (word != type.word) continue;
        rec->nSolution = type.solution;
        if (type.status != nullptr) rec->strStatus = type.status;
        return;
    }
    rec->nSolution = 0;
    rec->strStatus = L"NFIX";
}

void CReceiverParser::PositionTypeText(const CString& text, SurveyRecord* rec) {
    switch (text.GetAt(0)) {
        case L'A':
            rec->strStatus = L"SINGLE";
            break;
        case L'C':
        case L'F':
            rec->strStatus = L"FLOAT";
            break;
        case L'D':
            rec->strStatus = L"Diff.";
            break;
        case L'R':
            rec->strStatus = L"FIXED";
            break;
        default:
            break;
    }
}

double CReceiverParser::ParseDmsAngle(const CString& text) {
    const wchar_t* p = text;
    const wchar_t* degreeMark = std::wcschr(p, L'o');
    const wchar_t* minuteMark = degreeMark ? std::wcschr(degreeMark, L'\'') : nullptr;
    const double degrees = nmea::ReadDouble(p);
    const double minutes = degreeMark ? nmea::ReadDouble(degreeMark + 1) : 0.0;
    const double seconds = minuteMark ? nmea::ReadDouble(minuteMark + 1) : 0.0;
    CString rounded;
    rounded.Format(L"%.8f", degrees + minutes / 60.0 + seconds / 3600.0);
    return nmea::ReadDouble(rounded);
}

BOOL CReceiverParser::ParseBestPos(CString& sentence, SurveyRecord* rec) {
    const wchar_t* text = receiver_text::FromFirst(sentence, L'#');
    if (!LogCrcHolds(text)) return FALSE;
    const CFieldCut f(text, 30);
    PositionTypeCode(f.Text(10), rec);
    rec->dLat = f.Double(11);
    rec->dLon = f.Double(12);
    rec->dHeight = f.Double(13) + f.Double(14);
    rec->dHrms = f.Double(16);
    rec->dVrms = f.Double(18);
    if (m_host != nullptr) ConvertOnOwnEngine(rec);
    rec->dGeoidSep = f.Double(14);
    rec->nAux = nmea::TruncateToInt(f.Double(20));
    if (m_host != nullptr) m_host->CurrentFix() = *rec;
    return TRUE;
}

BOOL CReceiverParser::ParseRefStation(CString& sentence, SurveyRecord* rec) {
    if (m_host == nullptr) return FALSE;
    const CFieldCut f(receiver_text::FromFirst(sentence, L'#'), 30);
    const double gx = f.Double(10);
    const double gy = f.Double(11);
    const double gz = f.Double(12);
    CoordSysParams& params = m_host->CoordParams();
    CCoordTransform& engine = m_host->Engine();
    engine.SetEllipsoid(CCoordTransform::kWgs84A, CCoordTransform::kWgs84InvF);
    engine.SetProjection(params.szlTx, params.szlTy, params.szdCenter, params.szdTk, params.szdTlon,
                         params.szdTHigh);
    double lat = 0.0, lon = 0.0, height = 0.0;
    // A position at (or next to) the centre of the earth is an empty log.
    const bool usable = std::sqrt(gx * gx + gy * gy + gz * gz) >= 1.0;
    if (usable) engine.GeocentricToGeodetic(gx, gy, gz, lat, lon, height);
    if (!usable || !std::isfinite(lat) || !std::isfinite(lon) || !std::isfinite(height)) {
        engine.SetEllipsoid(params.szdDa, params.szdDf, params.szdTHigh);
        return FALSE;
    }
    rec->dBaseLat = lat * 57.29577951308402;
    rec->dBaseLon = lon * 57.29577951308402;
    rec->dBaseH = height;
    if (std::fabs(rec->dBaseLat) > 1e-6 && std::fabs(rec->dBaseLon) > 1e-6) {
        m_host->SetBaseChanged();
    }
    params.szdBaseLat = CCoordTransform::ConvertDmsRadian(lat, 0);
    params.szdBaseLon = CCoordTransform::ConvertDmsRadian(lon, 0);
    params.szdBaseHgt = height;
    double x, y, h;
    BaseToGrid(rec->dBaseLat, rec->dBaseLon, height, x, y, h);
    if (std::fabs(x - params.szdBaseX) > 0.001 || std::fabs(y - params.szdBaseY) > 0.001 ||
        std::fabs(h - params.szdBaseH) > 0.001) {
        WriteBaseRecord(lat, lon, height);
    }
    StoreBase(x, y, h);
    m_host->NoteBaseFileWrite(IReceiverHost::kBaseParamsFile, m_host->WriteCoordParams());
    return TRUE;
}

void CReceiverParser::WriteBaseRecord(double latRad, double lonRad, double height) {
    CString line;
    line.Format(L"NowBase,%.10f,%.10f,%.3f,00000000", CCoordTransform::ConvertDmsRadian(latRad, 0),
                CCoordTransform::ConvertDmsRadian(lonRad, 0), height);
    m_host->NoteBaseFileWrite(IReceiverHost::kBaseRecordFile, m_host->AppendBaseRecord(line));
    if (GetFileAttributes(m_host->RawRtkFile()) != INVALID_FILE_ATTRIBUTES) {
        m_host->AppendRtkRecord(1);
    }
    m_host->SetBaseWritten();
}

BOOL CReceiverParser::ParseNavPos(CString& sentence, SurveyRecord* rec) {
    const CFieldCut f(sentence, 30);
    const int n = f.Length(5);
    rec->nSatsUsed = nmea::ReadInt(f.Begin(5) + (n > 2 ? n - 2 : 0));
    receiver_text::ReadClock(f, 2, rec);
    PositionTypeText(f.Text(4), rec);
    receiver_text::SetTag(rec->strLatTag, f, 8);
    receiver_text::SetTag(rec->strLonTag, f, 9);
    rec->dLat = ParseDmsAngle(f.Text(8));
    rec->dLon = ParseDmsAngle(f.Text(9));
    rec->dHeight = f.Double(10);
    return TRUE;
}
