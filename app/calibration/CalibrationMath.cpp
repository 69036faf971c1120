// The arithmetic of the calibration finish: source points, the four
// parameters of the calibration pairs and the two corrections.
#include <algorithm>

#include "app/calibration/CalibMessages.h"
#include "app/calibration/Calibration.h"
#include "app/calibration/KnowData.h"
#include "app/shell/VendropDoc.h"

namespace {

using GridPoint = CVendropDoc::GridPoint;

// The pages leave a count of 1 to 4; kept inside the tables whatever it is.
int PointCount(const CVendropDoc& doc, int least) {
    return std::clamp(doc.m_nCalibPointCount, least, CVendropDoc::kCalibPoints);
}

void SetSourcePoint(CoordSysParams& p, int index, const GridPoint& point) {
    // Each source point is three consecutive members: x, y, h.
    double* const x[CVendropDoc::kCalibPoints] = {&p.szdSx0, &p.szdSx1, &p.szdSx2, &p.szdSx3,
                                                  &p.szdSx4};
    double* const y[CVendropDoc::kCalibPoints] = {&p.szdSy0, &p.szdSy1, &p.szdSy2, &p.szdSy3,
                                                  &p.szdSy4};
    double* const h[CVendropDoc::kCalibPoints] = {&p.szdSh0, &p.szdSh1, &p.szdSh2, &p.szdSh3,
                                                  &p.szdSh4};
    *x[index] = point.x;
    *y[index] = point.y;
    *h[index] = point.h;
}

void ApplyRecordFourParams(CVendropDoc& doc, double& x, double& y) {
    const CoordSysParams& p = doc.m_coordParams;
    doc.m_coordTransform.SetFourParams(p.szdCx1, p.szdCy1, p.szdCa1, p.szdCk1);
    doc.m_coordTransform.ApplyFourParams(x, y);
}

double RecordHeightAnomaly(CVendropDoc& doc, double x, double y) {
    const CoordSysParams& p = doc.m_coordParams;
    doc.m_coordTransform.SetHeightFitParams(p.szdNiheA0, p.szdNiheA1, p.szdNiheA2, p.szdNiheA3,
                                            p.szdNiheA4, p.szdNiheA5, p.szdNiheX0, p.szdNiheY0);
    return doc.m_coordTransform.HeightAnomaly(x, y);
}

// Sum over the slots first..n-1 of known H + antenna - measured h, with
// `firstHeight` in place of the measured height of slot `first`.
double HeightDifferenceSum(const CVendropDoc& doc, int first, int n, double firstHeight) {
    double sum = 0.0;
    for (int i = first; i < n; ++i) {
        const double measured = i == first ? firstHeight : doc.m_calibMeasured[i].h;
        sum += doc.m_calibKnown[i].H + doc.m_calibKnown[i].dAntHeight - measured;
    }
    return sum;
}

// The correction that carries the measured point of `slot`, reduced by the
// job's four parameters and height fit when they are on, onto its known
// point; the height one is the mean over the slots slot..n-1.
void SetCorrection(CVendropDoc& doc, int slot, int n) {
    CoordSysParams& p = doc.m_coordParams;
    GridPoint measured = doc.m_calibMeasured[slot];
    if (p.nDifang == 1) ApplyRecordFourParams(doc, measured.x, measured.y);
    if (p.nNiheMode == 1) measured.h -= RecordHeightAnomaly(doc, measured.x, measured.y);
    p.szdCorrectionX = doc.m_calibKnown[slot].X - measured.x;
    p.szdCorrectionY = doc.m_calibKnown[slot].Y - measured.y;
    p.szdCorrectionH = HeightDifferenceSum(doc, slot, n, measured.h) / (n - slot);
}

CString Text4(double value) {
    CString text;
    text.Format(L"%.4f", value);
    return text;
}

}  // namespace

void UpdateCalibSourcePoints(CVendropDoc& doc) {
    const int n = PointCount(doc, 0);
    CoordSysParams& p = doc.m_coordParams;
    if (n < 2) {
        doc.m_calibMeasured[0] = GridPoint{p.szdSx0, p.szdSy0, p.szdSh0};
    } else {
        const GridPoint point{doc.m_calibPoint.dX, doc.m_calibPoint.dY, doc.m_calibPoint.dH};
        doc.m_calibMeasured[n - 1] = point;
        SetSourcePoint(p, n - 1, point);
    }
    SaveCalibrationParams(doc);
}

void SolveCalibFourParams(CVendropDoc& doc, BOOL bSkipFirst) {
    const int n = PointCount(doc, 0);
    PointPair4Array& pairs = doc.m_coordTransform.FourParamPairs();
    pairs.RemoveAll();
    for (int i = bSkipFirst ? 1 : 0; i < n; ++i) {
        PointPair4 pair;
        pair.xs = doc.m_calibMeasured[i].x;
        pair.ys = doc.m_calibMeasured[i].y;
        pair.xt = doc.m_calibKnown[i].X;
        pair.yt = doc.m_calibKnown[i].Y;
        pairs.Add(pair);
    }
    if (pairs.GetSize() < 2) return;
    if (!doc.m_coordTransform.SolveFourParams()) return;
    CoordSysParams& p = doc.m_coordParams;
    doc.m_coordTransform.GetFourParams(p.szdCx1, p.szdCy1, p.szdCa1, p.szdCk1);
    p.nDifang = 1;
    SaveCalibrationParams(doc);
}

void ComputeCorrectionKnownBase(CVendropDoc& doc) {
    SetCorrection(doc, 0, PointCount(doc, 1));
    SaveCalibrationParams(doc);
}

void ComputeCorrectionUnknownBase(CVendropDoc& doc) {
    SetCorrection(doc, 1, PointCount(doc, 2));
    const CoordSysParams& p = doc.m_coordParams;

    double x0 = doc.m_calibMeasured[0].x;
    double y0 = doc.m_calibMeasured[0].y;
    double h0 = doc.m_calibMeasured[0].h;
    if (p.nDifang != 0) ApplyRecordFourParams(doc, x0, y0);
    if (p.nNiheMode == 1) h0 -= RecordHeightAnomaly(doc, x0, y0);
    CVendropDoc::KnownPoint& base = doc.m_calibKnown[0];
    base = CVendropDoc::KnownPoint{p.szdCorrectionX + x0, p.szdCorrectionY + y0,
                                   p.szdCorrectionH + h0, 1.2};

    CKnowData store;
    store.SetFileName(doc.m_strJobDir + L"knowdata.dat");
    store.Load();
    store.SetAt(0, L"0", Text4(base.X), Text4(base.Y), Text4(base.H), Text4(base.dAntHeight));
    if (!store.Save()) ReportKnowDataNotSaved();
    SaveCalibrationParams(doc);
}
