#include "pointdata/SurveyLines.h"

#include <cmath>

namespace quorvel::pointdata {

namespace {

// Seconds are written whole, truncated; a value no clock gives (NaN, out of
// the int range) writes 0 instead of an undefined conversion.
int WholeSeconds(double seconds) {
    if (!(std::fabs(seconds) < 2147483647.0)) return 0;
    return static_cast<int>(seconds);
}

}  // namespace

CString PackedFromDegrees(double degrees) {
    return PackedFromRadians(degrees * CCoordTransform::kDeg);
}

CString PackedFromRadians(double radians) {
    CString text;
    text.Format(L"%.10f", CCoordTransform::ConvertDmsRadian(radians, 0));
    return text;
}

CString FieldRecordLine(const CStringRecord32& record) {
    CString line;
    for (int i = 0; i < CStringRecord32::kFieldCount; ++i) {
        line += record[i];
        line += L',';
    }
    return line;
}

CString TimedRecordLine(const DepthSample& s) {
    CString line;
    line.Format(L"%s,%d-%02d-%02d,%02d:%2d:%02d,%.2f", s.strName, s.nYear, s.nMonth, s.nDay,
                s.nHour, s.nMinute, WholeSeconds(s.dSecond), s.dDepth);
    return line;
}

CString MeasuredPointLine(const SurveyDocFields& doc) {
    const SurveyRecord& f = doc.m_storeFix;
    // Fields 11 and 12 have no source in any receiver sentence: always 0.
    const double unusedA = 0.0;
    const double unusedB = 0.0;
    CString line;
    line.Format(L"%s,%.3f,%.3f,%.3f,%s,%d,%.3f,%.3f,%d,%.2f,%02d:%02d:%.2f,%.4f,%.4f,%.3f,",
                doc.m_strPointName, f.dX, f.dY, f.dGridH - doc.m_dPointAntHeight,
                doc.m_strPointCode, f.nSolution, f.dHrms, f.dVrms, f.nSatsUsed, f.dDop, f.nHour,
                f.nMinute, f.dSecond, unusedA, unusedB, doc.m_dPointAntHeight);
    return line;
}

void RtkHeaderLines(const SurveyDocFields& doc, RtkHeaderKind kind, CString lines[7]) {
    const SurveyRecord& f = doc.m_storeFix;
    const CoordSysParams& p = doc.m_coordParams;
    lines[0] = kind == RtkHeaderKind::kPoint ? L"Rem Version      Ver1.00.050603"
                                             : L"Rem Version      Ver1.00.050106";
    lines[1].Format(L"Rem DataTime     %d-%02d-%02d  %02d:%02d:%.2f", f.nYear, f.nMonth, f.nDay,
                    f.nHour, f.nMinute, f.dSecond);
    lines[2].Format(L"Rem Datums       %d  %.1f  %.9f", p.nCoord, p.szdDa, p.szdDf);
    lines[3].Format(L"Rem Projection   %.4f  %ld  %ld  %.4f  %.4f", p.szdCenter, p.szlTx, p.szlTy,
                    p.szdTk, p.szdTlon);
    lines[4].Format(L"Rem Seven        %d  %.8f  %.8f  %.8f  %.8f  %.8f  %.8f  %.8f", p.nSevenPar,
                    p.szddx, p.szddy, p.szddz, p.szdWx, p.szdWy, p.szdWz, p.szddK);
    lines[5].Format(L"Rem Difang       %d  %.4f  %.4f  %.8f  %.8f", p.nDifang, p.szdCx1, p.szdCy1,
                    p.szdCa1, p.szdCk1);
    lines[6].Format(L"Rem Nihe         %d  %.8f  %.8f  %.8f  %.8f  %.8f  %.8f  %.8f   %.8f",
                    p.nNiheMode, p.szdNiheA0, p.szdNiheA1, p.szdNiheA2, p.szdNiheA3, p.szdNiheA4,
                    p.szdNiheA5, p.szdNiheX0, p.szdNiheY0);
}

CString RtkBaseLine(const CoordSysParams& p) {
    CString line;
    line.Format(L"Rem BaseStation  %.3f  %.3f  %.3f  %.10f  %.10f  %.3f", p.szdBaseX, p.szdBaseY,
                p.szdBaseH, p.szdBaseLat, p.szdBaseLon, p.szdBaseHgt);
    return line;
}

CString SmoothingBaseLine(const CoordSysParams& p, const SurveyRecord& curFix) {
    CString line;
    line.Format(L"Rem BaseStation  %.4f  %.4f  %.4f  %s  %s  %.4f", p.szdBaseX, p.szdBaseY,
                p.szdBaseH, PackedFromDegrees(curFix.dBaseLat), PackedFromDegrees(curFix.dBaseLon),
                curFix.dBaseH);
    return line;
}

CString RtkPointLine(const SurveyDocFields& doc) {
    const SurveyRecord& f = doc.m_storeFix;
    CString line;
    line.Format(L"%s,%s,%s,%.3f,%s,%.3f,%d,%.3f,%.3f,%d,%.3f,%02d:%02d:%.3f", doc.m_strPointName,
                PackedFromDegrees(f.dLat), PackedFromDegrees(f.dLon), f.dHeight, doc.m_strPointCode,
                doc.m_dPointAntHeight, f.nSolution, f.dHrms, f.dVrms, f.nSatsUsed, f.dDop, f.nHour,
                f.nMinute, f.dSecond);
    return line + StorageSuffix(doc);
}

// The height is the stored fix's ellipsoidal height, not the recovered one.
CString BlhPointLine(const SurveyDocFields& doc, double gridLat, double gridLon) {
    const SurveyRecord& f = doc.m_storeFix;
    CString line;
    line.Format(L"%s,%s,%s,%.3f,%s,%.2f,%d,%.3f,%.3f,%d,%.2f,%02d:%02d:%.2f", doc.m_strPointName,
                PackedFromRadians(gridLat), PackedFromRadians(gridLon), f.dHeight,
                doc.m_strPointCode, doc.m_dPointAntHeight, f.nSolution, f.dHrms, f.dVrms,
                f.nSatsUsed, f.dDop, f.nHour, f.nMinute, f.dSecond);
    return line + StorageSuffix(doc);
}

CString SmoothingEpochLine(const SurveyDocFields& doc, const SurveyRecord& e) {
    CString line;
    line.Format(L"%s,%s,%s,%.3f,%s,%.2f,%d,%.3f,%.3f,%d,%.2f,%02d:%02d:%.2f,%d,%d,%d",
                doc.m_strPointName, PackedFromDegrees(e.dLat), PackedFromDegrees(e.dLon), e.dHeight,
                doc.m_strPointCode, doc.m_dPointAntHeight, e.nSolution, e.dHrms, e.dVrms,
                e.nSatsUsed, e.dDop, e.nHour, e.nMinute, e.dSecond, e.nStoreKind, e.nSmoothTotal,
                e.nSmoothIndex);
    return line;
}

// The offset floats are widened to double before they are formatted.
CString StorageSuffix(const SurveyDocFields& doc) {
    CString suffix;
    switch (doc.m_nStoreKind) {
        case 1:
            suffix.Format(L",%d", 1);
            break;
        case 2:
            suffix.Format(
                L",%d,%d,%.4f,%.4f,%.4f,%.4f,%.4f", 2, doc.m_nOffsetRefMode,
                static_cast<double>(doc.m_fOffsetDistance), static_cast<double>(doc.m_fOffsetAngle),
                static_cast<double>(doc.m_fVerticalOffset), doc.m_dOffsetRefX, doc.m_dOffsetRefY);
            break;
        case 3:
            suffix.Format(L",%d,%d,%d", 3, doc.m_nSmoothCount, doc.m_nSmoothRemaining);
            break;
        case 4:
            suffix.Format(L",%d,%d,%d", 4, doc.m_nAutoKind, doc.m_nAutoInterval);
            break;
        default:
            break;
    }
    return suffix;
}

CString LibProjectedLine(const SurveyDocFields& doc, double x, double y) {
    CString line;
    line.Format(L"1,%s,%.3f,%.3f,%.3f,%s", doc.m_strPointName, x, y,
                doc.m_storeFix.dHeight - doc.m_dPointAntHeight, doc.m_strPointCode);
    return line;
}

CString LibGridLine(const SurveyDocFields& doc) {
    const SurveyRecord& f = doc.m_storeFix;
    CString line;
    line.Format(L"0,%s,%.3f,%.3f,%.3f,%s", doc.m_strPointName, f.dX, f.dY,
                f.dGridH - doc.m_dPointAntHeight, doc.m_strPointCode);
    return line;
}

}  // namespace quorvel::pointdata
