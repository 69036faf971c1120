#include "pointdata/ControlPoints.h"

#include <cmath>

#include "pointdata/LibraryText.h"

namespace pointdata {
namespace {

constexpr double kPlaneLimit = 0.1;
constexpr double kHeightLimit = 0.15;

void SolvePlane(CCoordTransform& engine, std::vector<ControlCalcRow>& rows, ControlCalcResult& r) {
    std::vector<const ControlCalcRow*> used;
    for (const ControlCalcRow& row : rows)
        if (row.usePlane) used.push_back(&row);
    if (used.empty()) {
        r.planeKind = 0;
        return;
    }
    if (used.size() == 1) {
        r.shiftN = used[0]->knownN - used[0]->rawN;
        r.shiftE = used[0]->knownE - used[0]->rawE;
        r.planeKind = 1;
        for (ControlCalcRow& row : rows)
            row.planeResidual = RoundToMillimetres(
                std::hypot(row.rawN + r.shiftN - row.knownN, row.rawE + r.shiftE - row.knownE));
        return;
    }
    PointPair4Array& pairs = engine.FourParamPairs();
    pairs.RemoveAll();
    for (const ControlCalcRow* row : used) {
        PointPair4 pair;
        pair.xs = row->rawN;
        pair.ys = row->rawE;
        pair.xt = row->knownN;
        pair.yt = row->knownE;
        pairs.Add(pair);
    }
    if (!engine.SolveFourParams()) {
        r.planeKind = -1;
        return;
    }
    double dx = 0.0, dy = 0.0, theta = 0.0, k = 0.0;
    engine.GetFourParams(dx, dy, theta, k);
    engine.SetFourParams(dx, dy, theta, k);
    r.shiftN = r.shiftE = 0.0;
    r.planeKind = 2;
    for (ControlCalcRow& row : rows) {
        double n = row.rawN;
        double e = row.rawE;
        engine.ApplyFourParams(n, e);
        row.planeResidual = RoundToMillimetres(std::hypot(n - row.knownN, e - row.knownE));
    }
}

void SolveHeight(CCoordTransform& engine, std::vector<ControlCalcRow>& rows, int nPlaneNihe,
                 int nCurveNihe, ControlCalcResult& r) {
    std::vector<const ControlCalcRow*> used;
    for (const ControlCalcRow& row : rows)
        if (row.useHeight) used.push_back(&row);
    const size_t minimum = static_cast<size_t>(nPlaneNihe + 3);
    if (used.empty()) {
        r.heightKind = 0;
        return;
    }
    if (used.size() < minimum) {
        double sum = 0.0;
        for (const ControlCalcRow* row : used) sum += row->knownH - row->rawH;
        // The mean as it has always been taken: a third by multiplication.
        r.heightShift =
            used.size() == 3 ? sum * 0.3333333333333333 : sum / static_cast<double>(used.size());
        r.heightKind = 1;
        for (ControlCalcRow& row : rows)
            row.heightResidual = RoundToMillimetres(row.rawH + r.heightShift - row.knownH);
        return;
    }
    HeightFitPointArray& points = engine.HeightFitPoints();
    points.RemoveAll();
    for (const ControlCalcRow* row : used) {
        HeightFitPoint p;
        p.h1 = row->rawH;
        p.h2 = row->knownH;
        p.x = row->knownN;
        p.y = row->knownE;
        points.Add(p);
    }
    engine.SetHeightFitThresholds(nPlaneNihe + 3, nCurveNihe + 6);
    if (!engine.SolveHeightFit()) {
        r.heightKind = -1;
        return;
    }
    r.heightShift = 0.0;
    r.heightKind = 2;
    for (ControlCalcRow& row : rows) {
        row.correctedH =
            RoundToMillimetres(row.rawH - engine.HeightAnomaly(row.knownN, row.knownE));
        row.heightResidual = RoundToMillimetres(row.correctedH - row.knownH);
    }
}

}  // namespace

std::vector<CString> ParseCotLine(const CString& line) {
    return SplitFields(line, kCotFields);
}

CString FormatCotLine(const std::vector<CString>& fields) {
    CString line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) line += L",";
        line += fields[i];
    }
    line += L",\r\n";
    return line;
}

double RoundToMillimetres(double value) {
    CString text;
    text.Format(L"%.3f", value);
    return ReadNumber(text);
}

ControlCalcResult RecalculateControlRows(CCoordTransform& engine, std::vector<ControlCalcRow>& rows,
                                         int nPlaneNihe, int nCurveNihe,
                                         const ControlCalcResult& previous) {
    ControlCalcResult r;
    r.shiftN = previous.shiftN;
    r.shiftE = previous.shiftE;
    r.heightShift = previous.heightShift;
    SolvePlane(engine, rows, r);
    SolveHeight(engine, rows, nPlaneNihe, nCurveNihe, r);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (std::fabs(rows[i].planeResidual) > kPlaneLimit) r.planeOver.push_back(number);
        if (std::fabs(rows[i].heightResidual) > kHeightLimit) r.heightOver.push_back(number);
    }
    return r;
}

}  // namespace pointdata
