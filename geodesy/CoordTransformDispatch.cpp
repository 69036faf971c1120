// CCoordTransform: the dispatchers that run the whole chain from a job's
// CoordSysParams. Each loads what it needs into the engine, which keeps it
// afterwards (after GridToWgs84 with seven parameters the ellipsoid is
// WGS84).
#include "geodesy/CoordTransform.h"

namespace {

bool UsesFourParams(const CoordSysParams& p) {
    return p.nDifang != 0 && p.szdCk1 != 0.0;
}

}  // namespace

void CCoordTransform::LoadProjection(const CoordSysParams& p) {
    SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
    SetEllipsoid(p.szdDa, p.szdDf);
}

// Types 0-2 include scale and constants themselves; 3 and 4 get them here.
// Any other type leaves x and y as they are.
void CCoordTransform::ProjectForward(double B, double L, int type, double& x, double& y) const {
    switch (type) {
        case 0:
        case 1:
        case 2:
            TransverseMercatorForward(B, L, x, y);
            return;
        case 3:
            MercatorForward(B, L, m_B0 * kDeg, m_L0 * kDeg, x, y);
            break;
        case 4:
            ProjectionType4Forward(B, L, m_L0 * kDeg, x, y);
            break;
        default:
            return;
    }
    x = m_k0 * x + m_xConst;
    y = m_k0 * y + m_yConst;
}

// B, L out in radians; any other type leaves them as they are.
void CCoordTransform::ProjectInverse(double x, double y, int type, double& B, double& L) const {
    if (type >= 0 && type <= 2) {
        TransverseMercatorInverse(x, y, B, L);
        return;
    }
    if (type != 3 && type != 4) return;
    x = (x - m_xConst) / m_k0;
    y = (y - m_yConst) / m_k0;
    if (type == 3) {
        MercatorInverse(x, y, m_B0 * kDeg, m_L0 * kDeg, B, L);
    } else {
        ProjectionType4Inverse(x, y, m_L0 * kDeg, B, L);
    }
}

// B, L in degrees, H ellipsoidal height on WGS84. x north, y east, h the
// local ellipsoidal height; the height fit is the caller's.
void CCoordTransform::Wgs84ToGrid(double B, double L, double H, const CoordSysParams& params,
                                  double& x, double& y, double& h) {
    if (params.nSevenPar != 0) Wgs84ToLocalGeodetic(B, L, H, params);
    LoadProjection(params);
    ProjectForward(B, L, params.nTouYin, x, y);
    h = H;
    if (UsesFourParams(params)) {
        SetFourParams(params.szdCx1, params.szdCy1, params.szdCa1, params.szdCk1);
        ApplyFourParams(x, y);
    }
}

// x north, y east, h local height. B, L out in radians, H on WGS84.
void CCoordTransform::GridToWgs84(double x, double y, double h, const CoordSysParams& params,
                                  double& B, double& L, double& H) {
    if (UsesFourParams(params)) {
        SetFourParams(params.szdCx1, params.szdCy1, params.szdCa1, params.szdCk1);
        InverseFourParams(x, y);
    }
    H = h;
    LoadProjection(params);
    ProjectInverse(x, y, params.nTouYin, B, L);
    B *= kRho;
    L *= kRho;
    if (params.nSevenPar == 0) {
        B *= kDeg;
        L *= kDeg;
        return;
    }
    double X, Y, Z;
    GeodeticToGeocentric(B, L, H, X, Y, Z);
    SetSevenParams(params.szddx, params.szddy, params.szddz, params.szdWx, params.szdWy,
                   params.szdWz, params.szddK);
    InverseSevenParams(X, Y, Z);
    SetEllipsoid(kWgs84A, kWgs84InvF);
    GeocentricToGeodetic(X, Y, Z, B, L, H);
}

// In place: B, L in degrees and H on WGS84 become degrees and height on the
// local ellipsoid, with the record's seven parameters whatever nSevenPar
// says.
void CCoordTransform::Wgs84ToLocalGeodetic(double& B, double& L, double& H,
                                           const CoordSysParams& params) {
    double X, Y, Z;
    SetEllipsoid(kWgs84A, kWgs84InvF);
    GeodeticToGeocentric(B, L, H, X, Y, Z);
    SetSevenParams(params.szddx, params.szddy, params.szddz, params.szdWx, params.szdWy,
                   params.szdWz, params.szddK);
    ApplySevenParams(X, Y, Z);
    SetEllipsoid(params.szdDa, params.szdDf);
    GeocentricToGeodetic(X, Y, Z, B, L, H);
    B *= kRho;
    L *= kRho;
}
