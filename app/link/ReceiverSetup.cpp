#include "app/link/ReceiverSetup.h"

#include <cmath>
#include <cwchar>

#include "app/setup/BasePositionDlg.h"
#include "app/shell/VendropDoc.h"

namespace {

// What the 'c' token of the link carries at most: eleven characters.
constexpr double kTokenMin = -999999999.0;
constexpr double kTokenMax = 2147483647.0;

CString Formatted(LPCTSTR format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

}  // namespace

BOOL IdentificationHolds(const SurveyRecord& fix, LPCTSTR code) {
    return !fix.strRxId1.IsEmpty() && fix.strRxId1.Find(code) >= 0;
}

BOOL TakesSetupCommands(const SurveyRecord& fix) {
    return IdentificationHolds(fix, L"VX40") || IdentificationHolds(fix, L"VX41");
}

BOOL HasSettableRadio(const SurveyRecord& fix) {
    return IdentificationHolds(fix, L"T4") || IdentificationHolds(fix, L"T7");
}

int PdopTimesTen(double pdop) {
    const double tenfold = std::trunc(pdop * 10.0);
    if (std::isnan(tenfold)) return 0;
    if (tenfold < kTokenMin) return static_cast<int>(kTokenMin);
    if (tenfold > kTokenMax) return static_cast<int>(kTokenMax);
    return static_cast<int>(tenfold);
}

CString StaticParamsTokens(int interval, int cutoff, int pdop10) {
    CString tokens;
    for (const wchar_t* c = L"abcd"; *c; ++c) {
        tokens += L'a';
        tokens += *c;
        tokens += L' ';
    }
    tokens.AppendFormat(L"i%d c%d c%d c%d", 1500, interval, cutoff, pdop10);
    return tokens;
}

CString StaticParamsShortTokens(int interval, int cutoff, int pdop10) {
    CString tokens;
    tokens.Format(L"c%d c%d c%d", interval, cutoff, pdop10);
    return tokens;
}

CString BaseStartTokens(int format, int interval, int pdop10, int cutoff) {
    CString tokens;
    tokens.Format(L"C%d C%d C%d C%d ", format + 1, interval, pdop10, cutoff);
    return tokens;
}

CString CharacterTokens(const CString& line) {
    CString tokens;
    for (int i = 0; i < line.GetLength(); ++i) {
        if (i > 0) tokens += L' ';
        tokens += L'a';
        tokens += line[i];
    }
    return tokens;
}

CString RoverInterfaceModeLine(int format) {
    static const wchar_t* const kLines[] = {
        L"interfacemode,com2,rtca,novatel\r\n", L"interfacemode,com2,rtcm,novatel\r\n",
        L"interfacemode,com2,cmr,novatel\r\n", L"interfacemode,com2,rtcmv3,novatel\r\n"};
    return format >= 0 && format < 4 ? CString(kLines[format]) : CString();
}

std::vector<CString> BaseSetupLines(int format, const CString& fixLine, const CString& ident,
                                    int interval) {
    CString logLine;
    switch (format) {
        case kFormatRtca:
            logLine.Format(L"log,com2,rtcaobs,ontime,%d\r\n", interval);
            return {L"interfacemode,com2,none,rtca\r\n",
                    fixLine,
                    L"dgpstxid,rtca,\"" + ident.Right(4) + L"\"\r\n",
                    logLine,
                    L"log,com2,rtcaref,ontime,10\r\n",
                    L"saveconfig\r\n"};
        case kFormatRtcm:
            logLine.Format(L"log,com2,rtcm1819,ontime,%d\r\n", interval);
            return {L"interfacemode,com2,none,rtcm\r\n",
                    fixLine,
                    L"dgpstxid,rtcm,725",
                    L"log,com2,rtcm3,ontime,10\r\n",
                    L"log,com2,rtcm22,ontime,10\r\n",
                    logLine,
                    L"saveconfig\r\n"};
        case kFormatCmr:
            logLine.Format(L"log,com2,cmrobs,ontime,%d\r\n", interval);
            return {
                L"interfacemode,com2,none,cmr\r\n", fixLine,          L"dgpstxid,cmr,38", logLine,
                L"log,com2,cmrref,ontime,10\r\n",   L"saveconfig\r\n"};
        default:
            return {L"", fixLine, L"", L"saveconfig\r\n"};
    }
}

CString MakeBaseFixLine(CBasePositionDlg& dlg, CVendropDoc& doc) {
    if (dlg.m_nCoordKind == 1) {
        const CoordSysParams params = doc.m_coordParams;
        double lat = 0.0;
        double lon = 0.0;
        double height = 0.0;
        doc.m_coordTransform.GridToWgs84(
            std::wcstod(dlg.m_strB, nullptr), std::wcstod(dlg.m_strL, nullptr),
            std::wcstod(dlg.m_strH, nullptr), params, lat, lon, height);
        dlg.m_strB = Formatted(L"%.10f", CCoordTransform::ConvertDmsRadian(lat, 0));
        dlg.m_strL = Formatted(L"%.10f", CCoordTransform::ConvertDmsRadian(lon, 0));
        dlg.m_strH = Formatted(L"%.4f", height);
    }
    const double lat = CCoordTransform::ConvertDmsRadian(std::wcstod(dlg.m_strB, nullptr), 1) *
                       CCoordTransform::kRho;
    const double lon = CCoordTransform::ConvertDmsRadian(std::wcstod(dlg.m_strL, nullptr), 1) *
                       CCoordTransform::kRho;
    const double baseHeight = std::wcstod(dlg.m_strH, nullptr) + dlg.m_dAntHeight;
    CString line;
    line.Format(L"fix,position,%.8f,%.8f,%.4f\r\n", lat, lon, baseHeight + doc.m_curFix.dGeoidSep);
    return line;
}
