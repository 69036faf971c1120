#include "app/calibration/ParamsFromControlFile.h"

#include <vector>

#include "app/InputRules.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/settings/SettingsText.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/Parse.h"
#include "pointdata/ControlPoints.h"
#include "pointdata/StoredLines.h"
#include "res/resource.h"

namespace {

constexpr int kMaxRows = static_cast<int>(pointdata::kMaxControlRows);

// "%.4f" and back: the rows hold what a printed coordinate would hold.
double Rounded4(double value) {
    CString text;
    text.Format(L"%.4f", value);
    return wcstod_c(text.GetString(), nullptr);
}

// The fields as the control-point library reads them; a field that is no
// number, or not a finite one, reads as 0.
ControlPointRow ReadRow(const CString& line, const CCoordTransform& engine) {
    const std::vector<CString> f = pointdata::ParseCotLine(line);
    ControlPointRow row;
    const double lat = coordsys::PackedToDegrees(ReadNumber(f[4]));
    const double lon = coordsys::PackedToDegrees(ReadNumber(f[5]));
    double x = 0.0;
    double y = 0.0;
    engine.TransverseMercatorForward(lat, lon, x, y);
    row.x = Rounded4(x);
    row.y = Rounded4(y);
    row.h = ReadNumber(f[6]);
    row.dKnownX = ReadNumber(f[1]);
    row.dKnownY = ReadNumber(f[2]);
    row.dKnownH = ReadNumber(f[3]);
    row.bPlane = f[9] == L"Y" ? 1 : 0;
    row.bHeight = f[10] == L"Y" ? 1 : 0;
    return row;
}

// The combo index of the control-library settings: 0 or 1.
int FitSetting(int stored) {
    return stored == 0 ? 0 : 1;
}

void SolvePlane(CCoordTransform& engine, const CArray<ControlPointRow>& rows,
                CoordSysParams& params, double& dx, double& dy, int& planeMode) {
    PointPair4Array& pairs = engine.FourParamPairs();
    pairs.RemoveAll();
    for (int i = 0; i < rows.GetSize(); ++i) {
        if (!rows[i].bPlane) continue;
        PointPair4 pair;
        pair.xs = rows[i].x;
        pair.ys = rows[i].y;
        pair.xt = rows[i].dKnownX;
        pair.yt = rows[i].dKnownY;
        pairs.Add(pair);
    }
    if (pairs.GetSize() == 1) {
        dx = pairs[0].xt - pairs[0].xs;
        dy = pairs[0].yt - pairs[0].ys;
        planeMode = 1;
        return;
    }
    if (pairs.GetSize() < 2 || !engine.SolveFourParams()) return;
    engine.GetFourParams(params.szdCx1, params.szdCy1, params.szdCa1, params.szdCk1);
    params.nDifang = 1;
    dx = 0.0;
    dy = 0.0;
    planeMode = 2;
}

void SolveHeight(CCoordTransform& engine, const CArray<ControlPointRow>& rows,
                 const SystemParams& settings, CoordSysParams& params, double& dh,
                 int& heightMode) {
    HeightFitPointArray& points = engine.HeightFitPoints();
    points.RemoveAll();
    double sum = 0.0;
    for (int i = 0; i < rows.GetSize(); ++i) {
        if (!rows[i].bHeight) continue;
        HeightFitPoint point;
        point.h1 = rows[i].h;
        point.h2 = rows[i].dKnownH;
        point.x = rows[i].dKnownX;
        point.y = rows[i].dKnownY;
        points.Add(point);
        sum += rows[i].dKnownH - rows[i].h;
    }
    const int count = points.GetSize();
    if (count == 0) return;
    const int plane = FitSetting(settings.nPlaneNihe);
    if (count <= plane + 2) {
        dh = sum / count;
        heightMode = 1;
        return;
    }
    engine.SetHeightFitThresholds(plane + 3, FitSetting(settings.nCurveNihe) + 6);
    if (!engine.SolveHeightFit()) return;
    double coefficients[6];
    engine.GetHeightFitParams(coefficients, params.szdNiheX0, params.szdNiheY0);
    params.szdNiheA0 = coefficients[0];
    params.szdNiheA1 = coefficients[1];
    params.szdNiheA2 = coefficients[2];
    params.szdNiheA3 = coefficients[3];
    params.szdNiheA4 = coefficients[4];
    params.szdNiheA5 = coefficients[5];
    params.nNiheMode = 1;
    dh = 0.0;
    heightMode = 2;
}

}  // namespace

namespace {

CCoordTransform JobEngine(const CoordSysParams& job) {
    CCoordTransform engine;
    engine.SetEllipsoid(job.szdDa, job.szdDf);
    engine.SetProjection(job.szlTx, job.szlTy, job.szdCenter, job.szdTk, job.szdTlon, job.szdTHigh);
    return engine;
}

}  // namespace

BOOL ReadControlPointRows(const CString& path, const CoordSysParams& job,
                          CArray<ControlPointRow>& rows) {
    rows.RemoveAll();
    CFile file;
    CString text;
    if (!LoadSettingsText(file, path, CFile::modeRead, text)) return FALSE;
    const CCoordTransform engine = JobEngine(job);
    for (const CString& line : SplitStoredLines(text, kMaxRows)) rows.Add(ReadRow(line, engine));
    return TRUE;
}

void SolveControlPointRows(const CArray<ControlPointRow>& rows, const CoordSysParams& job,
                           const SystemParams& settings, CoordSysParams& params, double& dx,
                           double& dy, double& dh, int& planeMode, int& heightMode) {
    CCoordTransform engine = JobEngine(job);
    SolvePlane(engine, rows, params, dx, dy, planeMode);
    SolveHeight(engine, rows, settings, params, dh, heightMode);
}

int ComputeParamsFromControlFile(CVendropDoc& doc, CoordSysParams& params, double& dx, double& dy,
                                 double& dh, int& planeMode, int& heightMode) {
    CArray<ControlPointRow> rows;
    if (!ReadControlPointRows(doc.m_strPostFile, doc.m_coordParams, rows)) {
        AfxMessageBox(IDS_STRING61410, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    doc.m_ctrlRows.Copy(rows);
    SolveControlPointRows(doc.m_ctrlRows, doc.m_coordParams, doc.m_sysParams, params, dx, dy, dh,
                          planeMode, heightMode);
    return 1;
}
