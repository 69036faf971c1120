#include "app/convert/RtkConverter.h"

#include <cmath>

#include "app/convert/ConvertText.h"
#include "app/coordsys/CoordSysUi.h"

namespace convert {

namespace {

constexpr int kRtkFields = 19;
constexpr int kGridFields = 5;

enum RtkField {
    kName = 0,
    kLat = 1,
    kLon = 2,
    kHeight = 3,
    kCode = 4,
    kAntenna = 5,
    kLastCopied = 10,
    kStorage = 12,
    kOffsetKind = 13,
    kDistance = 14,
    kAngle = 15,
    kHeightOffset = 16,
    kRefNorth = 17,
    kRefEast = 18,
    kSmoothCount = 13,
    kSmoothLeft = 14,
};

double PackedDegrees(std::wstring_view field) {
    return coordsys::PackedToDegrees(FieldNumber(field));
}

void LoadHeightFit(CCoordTransform& engine, const CoordSysParams& p) {
    if (p.nNiheMode != 1) return;
    engine.SetHeightFitParams(p.szdNiheA0, p.szdNiheA1, p.szdNiheA2, p.szdNiheA3, p.szdNiheA4,
                              p.szdNiheA5, p.szdNiheX0, p.szdNiheY0);
}

}  // namespace

bool CorrectionsInUse(const CoordSysParams& p) {
    return std::fabs(p.szdCorrectionX) > 0.001 || std::fabs(p.szdCorrectionY) > 0.001 ||
           std::fabs(p.szdCorrectionH) > 0.001;
}

CGridChain::CGridChain(const CoordSysParams& params, const GridShift& shift, BOOL bCorrections)
    : m_params(params), m_shift(shift), m_bCorrections(bCorrections) {
    LoadHeightFit(m_engine, m_params);
}

void CGridChain::ToGrid(double packedLat, double packedLon, double height, double& x, double& y,
                        double& h) {
    m_engine.Wgs84ToGrid(coordsys::PackedToDegrees(packedLat), coordsys::PackedToDegrees(packedLon),
                         height, m_params, x, y, h);
    x += m_shift.dx;
    y += m_shift.dy;
    h += m_shift.dh;
    if (m_bCorrections) {
        x += m_params.szdCorrectionX;
        y += m_params.szdCorrectionY;
        h += m_params.szdCorrectionH;
    }
    if (m_params.nNiheMode == 1) h -= m_engine.HeightAnomaly(x, y);
}

CRtkToGridConverter::CRtkToGridConverter(const CoordSysParams& params, const GridShift& shift,
                                         BOOL bCorrections, int decimals)
    : m_chain(params, shift, bCorrections), m_nDecimals(decimals) {}

CRtkToGridConverter::GridPoint CRtkToGridConverter::ToGrid(const std::wstring_view* f) {
    GridPoint p;
    m_chain.ToGrid(FieldNumber(f[kLat]), FieldNumber(f[kLon]), FieldNumber(f[kHeight]), p.x, p.y,
                   p.h);
    return p;
}

void CRtkToGridConverter::ApplyOffset(const std::wstring_view* f, GridPoint& p) {
    double azimuth = 0.0;
    if (f[kOffsetKind] == L"0") {
        azimuth = CCoordTransform::ConvertDmsRadian(FieldNumber(f[kAngle]), 1);
    } else if (f[kOffsetKind] == L"1") {
        double degrees =
            std::atan2(FieldNumber(f[kRefEast]) - p.y, FieldNumber(f[kRefNorth]) - p.x) *
            CCoordTransform::kRho;
        if (degrees < 0.0) degrees += 360.0;
        degrees += PackedDegrees(f[kAngle]);
        if (degrees > 360.0) degrees -= 360.0;
        azimuth = degrees * CCoordTransform::kDeg;
    } else {
        return;
    }
    const double distance = FieldNumber(f[kDistance]);
    p.x += std::cos(azimuth) * distance;
    p.y += std::sin(azimuth) * distance;
    p.h += FieldNumber(f[kHeightOffset]);
}

// False while the group is still open (nothing to write).
bool CRtkToGridConverter::Smooth(const std::wstring_view* f, GridPoint& p) {
    if (f[kSmoothCount] != f[kSmoothLeft]) {
        m_group.push_back(p);
        return false;
    }
    if (m_group.empty()) return true;
    GridPoint sum;
    for (const GridPoint& q : m_group) {
        sum.x += q.x;
        sum.y += q.y;
        sum.h += q.h;
    }
    const double n = static_cast<double>(m_group.size());
    p = GridPoint{sum.x / n, sum.y / n, sum.h / n};
    m_group.clear();
    return true;
}

void CRtkToGridConverter::ConvertLine(const std::wstring& line, std::string& out) {
    if (IsRemark(line)) return;
    std::wstring_view f[kRtkFields];
    CutFields(line, f, kRtkFields);
    GridPoint p = ToGrid(f);
    if (f[kStorage] == L"2") {
        ApplyOffset(f, p);
    } else if (f[kStorage] == L"3" && !Smooth(f, p)) {
        return;
    }
    AppendGbk(out, f[kName]);
    out += ',';
    AppendFixed(out, p.x, m_nDecimals);
    out += ',';
    AppendFixed(out, p.y, m_nDecimals);
    out += ',';
    AppendFixed(out, p.h - FieldNumber(f[kAntenna]), 3);
    for (int i = kCode; i <= kLastCopied; ++i) {
        out += ',';
        AppendGbk(out, f[i]);
    }
    AppendLineEnd(out);
    ++m_nWritten;
}

CGridToRtkConverter::CGridToRtkConverter(const CoordSysParams& params) : m_params(params) {
    LoadHeightFit(m_engine, m_params);
}

void CGridToRtkConverter::ConvertLine(const std::wstring& line, std::string& out) {
    if (IsRemark(line)) return;
    std::wstring_view f[kGridFields];
    CutFields(line, f, kGridFields);
    const double x = FieldNumber(f[1]);
    const double y = FieldNumber(f[2]);
    double h = FieldNumber(f[3]);
    if (m_params.nNiheMode == 1) h += m_engine.HeightAnomaly(x, y);
    double lat = 0.0;
    double lon = 0.0;
    double height = 0.0;
    m_engine.GridToWgs84(x, y, h, m_params, lat, lon, height);
    AppendGbk(out, f[0]);
    out += ',';
    AppendFixed(out, CCoordTransform::ConvertDmsRadian(lat, 0), 10);
    out += ',';
    AppendFixed(out, CCoordTransform::ConvertDmsRadian(lon, 0), 10);
    out += ',';
    AppendFixed(out, height, 3);
    out += ',';
    AppendGbk(out, f[4]);
    AppendLineEnd(out);
    ++m_nWritten;
}

}  // namespace convert
