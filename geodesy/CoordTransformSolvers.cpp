// CCoordTransform: parameter solvers. Each reads the point list a caller has
// filled and stores its result in the engine's own parameters.
//
// Least squares runs on the normal equations, p = -(B'B)^-1 B'L, in the
// program's own order of operations (transpose, B'B, inverse, times B', times
// L, times -1), so that calibrations keep their digits. When the normal
// matrix is singular (too few independent points, collinear points) the
// solver returns FALSE and leaves every parameter and the point list as they
// were.
#include <cmath>

#include "geodesy/CoordTransform.h"
#include "geodesy/Matrix.h"

namespace {

BOOL SolveNormalEquations(const CMatrix& B, const CMatrix& L, CMatrix& p) {
    const CMatrix Bt = B.Transpose();
    const CMatrix inverse = Bt.Multiply(B).Inverse();
    if (!inverse.IsValid()) return FALSE;
    p = inverse.Multiply(Bt).Multiply(L).Scale(-1.0);
    return p.IsValid();
}

}  // namespace

// Similarity transformation (shift, rotation, scale) by least squares on the
// centred coordinates; closed form. One pair, or pairs whose sources all
// coincide, give the identity.
BOOL CCoordTransform::SolveFourParams() {
    const int n = m_fourPairs.GetSize();
    if (n == 0) return FALSE;
    double sxs = 0.0, sys = 0.0, sxt = 0.0, syt = 0.0;
    for (int i = 0; i < n; ++i) {
        const PointPair4& p = m_fourPairs[i];
        sxs += p.xs;
        sys += p.ys;
        sxt += p.xt;
        syt += p.yt;
    }
    const double inv = 1.0 / static_cast<double>(n);
    const double mxs = sxs * inv, mys = sys * inv, mxt = sxt * inv, myt = syt * inv;
    double S1 = 0.0, S2 = 0.0, S3 = 0.0, S4 = 0.0, S5 = 0.0, S6 = 0.0;
    for (int i = 0; i < n; ++i) {
        PointPair4& p = m_fourPairs[i];
        p.a = p.xs - mxs;
        p.b = p.ys - mys;
        p.c = p.xt - mxt;
        p.d = p.yt - myt;
        S1 += p.a * p.d;
        S2 += p.c * p.b;
        S3 += p.c * p.a;
        S4 += p.d * p.b;
        S5 += p.a * p.a;
        S6 += p.b * p.b;
    }
    if (S5 + S6 == 0.0) {
        SetFourParams(0.0, 0.0, 0.0, 1.0);
        return TRUE;
    }
    const double theta = std::atan2(S1 - S2, S3 + S4);
    const double k = std::sqrt((S3 + S4) * (S3 + S4) + (S1 - S2) * (S1 - S2)) / (S5 + S6);
    const double c = std::cos(theta), s = std::sin(theta);
    SetFourParams(mxt - k * c * mxs + k * s * mys, myt - k * s * mxs - k * c * mys, theta, k);
    return TRUE;
}

// Seven parameters in the engine's convention (see CoordTransform.h): one
// point gives the shift, two the mean shift, three or more least squares in
// the unknown order dX, dY, dZ, k7, wx, wy, wz.
BOOL CCoordTransform::SolveSevenParams() {
    const int n = m_sevenPoints.GetSize();
    if (n == 0) return FALSE;
    if (n <= 2) {
        double sx = 0.0, sy = 0.0, sz = 0.0;
        for (int i = 0; i < n; ++i) {
            const CommonPoint7& p = m_sevenPoints[i];
            sx += p.xt - p.xs;
            sy += p.yt - p.ys;
            sz += p.zt - p.zs;
        }
        const double count = static_cast<double>(n);
        SetSevenParams(sx / count, sy / count, sz / count, 0.0, 0.0, 0.0, 0.0);
        return TRUE;
    }
    const unsigned rows = static_cast<unsigned>(3 * n);
    CMatrix B(rows, 7), L(rows, 1), p;
    for (unsigned i = 0; i < rows / 3; ++i) {
        const CommonPoint7& q = m_sevenPoints[static_cast<int>(i)];
        const double row[3][7] = {{1, 0, 0, q.xs, 0, -q.zs, q.ys},
                                  {0, 1, 0, q.ys, q.zs, 0, -q.xs},
                                  {0, 0, 1, q.zs, -q.ys, q.xs, 0}};
        const double obs[3] = {q.xs - q.xt, q.ys - q.yt, q.zs - q.zt};
        for (unsigned r = 0; r < 3; ++r) {
            for (unsigned c = 0; c < 7; ++c) B.SetAt(3 * i + r, c, row[r][c]);
            L.SetAt(3 * i + r, 0, obs[r]);
        }
    }
    if (!SolveNormalEquations(B, L, p)) return FALSE;
    SetSevenParams(p.GetAt(0, 0), p.GetAt(1, 0), p.GetAt(2, 0), p.GetAt(4, 0), p.GetAt(5, 0),
                   p.GetAt(6, 0), p.GetAt(3, 0));
    return TRUE;
}

// Height-fit surface of h1 - h2 over north and east: a constant for one or
// two points, a plane (3 terms) from the plane minimum on, a quadratic
// surface (6 terms) from the quadratic minimum on. Counts in between leave
// the coefficients as they were.
BOOL CCoordTransform::SolveHeightFit() {
    const int n = m_heightPoints.GetSize();
    if (n == 0) return FALSE;
    if (n >= m_quadraticMinimum) return SolveHeightSurface(6);
    double saved[6], savedX0, savedY0;
    GetHeightFitParams(saved, savedX0, savedY0);
    if (n <= 2) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i) sum += m_heightPoints[i].h1 - m_heightPoints[i].h2;
        SetHeightFitParams(n == 1 ? sum : sum / 2.0, 0.0, 0.0, 0.0, 0.0, 0.0, m_fitX0, m_fitY0);
    }
    if (n >= m_planeMinimum && !SolveHeightSurface(3)) {
        // A plane asked of one or two points (thresholds below 3) cannot be
        // solved; the constant just set is withdrawn with it.
        SetHeightFitParams(saved[0], saved[1], saved[2], saved[3], saved[4], saved[5], savedX0,
                           savedY0);
        return FALSE;
    }
    return TRUE;
}

// Least-squares surface with 3 or 6 terms about the points' mean position.
// The points' x, y become their centred values only when the solve succeeds.
BOOL CCoordTransform::SolveHeightSurface(int terms) {
    const int count = m_heightPoints.GetSize();
    const unsigned n = static_cast<unsigned>(count);
    double sx = 0.0, sy = 0.0;
    for (int i = 0; i < count; ++i) {
        sx += m_heightPoints[i].x;
        sy += m_heightPoints[i].y;
    }
    const double x0 = sx / count, y0 = sy / count;
    HeightFitPointArray centred;
    centred.Copy(m_heightPoints);
    CMatrix B(n, static_cast<unsigned>(terms)), L(n, 1), p;
    for (unsigned i = 0; i < n; ++i) {
        HeightFitPoint& q = centred[static_cast<int>(i)];
        q.x -= x0;
        q.y -= y0;
        const double row[6] = {1.0, q.x, q.y, q.x * q.x, q.y * q.y, q.x * q.y};
        for (int c = 0; c < terms; ++c) B.SetAt(i, static_cast<unsigned>(c), row[c]);
        L.SetAt(i, 0, q.h2 - q.h1);
    }
    if (!SolveNormalEquations(B, L, p)) return FALSE;
    double a[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    for (int c = 0; c < terms; ++c) a[c] = p.GetAt(static_cast<unsigned>(c), 0);
    SetHeightFitParams(a[0], a[1], a[2], a[3], a[4], a[5], x0, y0);
    m_heightPoints.Copy(centred);
    return TRUE;
}
