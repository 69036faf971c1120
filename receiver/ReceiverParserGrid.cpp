// CReceiverParser: WGS84 positions into the job's grid, and the offset of
// the measured point from the antenna.
#include <cmath>

#include "receiver/ReceiverParser.h"

namespace {

// The job's ellipsoid (with its projection height) and projection.
void LoadJobSystem(CCoordTransform& engine, const CoordSysParams& p) {
    engine.SetEllipsoid(p.szdDa, p.szdDf, p.szdTHigh);
    engine.SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
}

}  // namespace

void CReceiverParser::RotateOffset(double theta, const OffsetPoint& a, const OffsetPoint& b,
                                   const OffsetPoint& p, OffsetPoint* out) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    out->x = p.x + c * dy - s * dx;
    out->y = p.y + s * dy + c * dx;
}

void CReceiverParser::RunGridChain(CCoordTransform& engine, const CoordSysParams& params,
                                   SurveyRecord* rec, double& x, double& y, double& h) {
    LoadJobSystem(engine, params);
    double lat = rec->dLat;
    double lon = rec->dLon;
    double height = rec->dHeight;
    if (params.nSevenPar != 0) engine.Wgs84ToLocalGeodetic(lat, lon, height, params);
    engine.TransverseMercatorForward(lat, lon, rec->dProjX, rec->dProjY);
    rec->dProjH = height;
    x = y = h = 0.0;
    engine.Wgs84ToGrid(rec->dLat, rec->dLon, rec->dHeight, params, x, y, h);
}

void CReceiverParser::ConvertOnDocumentEngine(SurveyRecord* rec, bool offsetStep) {
    const CoordSysParams& params = m_host->CoordParams();
    double x, y, h;
    RunGridChain(m_host->Engine(), params, rec, x, y, h);
    const OffsetPoint antenna{x + params.szdCorrectionX, y + params.szdCorrectionY};
    rec->dGridH = h + params.szdCorrectionH;
    if (!offsetStep) {
        rec->dX = antenna.x;
        rec->dY = antenna.y;
        return;
    }
    rec->dAntX = antenna.x;
    rec->dAntY = antenna.y;
    OffsetPoint offset;
    m_host->GetMeasuredPointOffset(offset.x, offset.y);
    OffsetPoint point;
    RotateOffset(rec->dHeading, OffsetPoint{}, offset, antenna, &point);
    rec->dX = point.x;
    rec->dY = point.y;
}

void CReceiverParser::ConvertOnOwnEngine(SurveyRecord* rec) {
    const CoordSysParams& params = m_host->CoordParams();
    double x, y, h;
    RunGridChain(m_engine, params, rec, x, y, h);
    rec->dX = x + params.szdCorrectionX;
    rec->dY = y + params.szdCorrectionY;
    rec->dGridH = h + params.szdCorrectionH;
    if (params.nNiheMode != 1) return;
    CCoordTransform& engine = m_host->Engine();
    engine.SetHeightFitParams(params.szdNiheA0, params.szdNiheA1, params.szdNiheA2,
                              params.szdNiheA3, params.szdNiheA4, params.szdNiheA5,
                              params.szdNiheX0, params.szdNiheY0);
    rec->dGridH -= engine.HeightAnomaly(rec->dX, rec->dY);
}

void CReceiverParser::BaseToGrid(double lat, double lon, double height, double& x, double& y,
                                 double& h) {
    const CoordSysParams& params = m_host->CoordParams();
    CCoordTransform& engine = m_host->Engine();
    LoadJobSystem(engine, params);
    if (params.nSevenPar != 0) engine.Wgs84ToLocalGeodetic(lat, lon, height, params);
    x = y = 0.0;
    engine.TransverseMercatorForward(lat, lon, x, y);
    h = height;
}

void CReceiverParser::StoreBase(double x, double y, double h) {
    CoordSysParams& params = m_host->CoordParams();
    params.szdBaseX = x;
    params.szdBaseY = y;
    params.szdBaseH = h;
    params.szdSx0 = x;
    params.szdSy0 = y;
    params.szdSh0 = h;
    m_host->SetBaseStation(x, y, h);
}
