// The plane calculations of the tools menu, each a plain function of its
// inputs: forward, inverse, line intersection, distance intersection,
// offset point, deflection angle and offset distance, and the area of a
// polygon.
//
// Units: x is grid north, y grid east, metres; azimuths run clockwise from
// north. Angles typed by the surveyor arrive as packed dd.mmss and go
// through CCoordTransform::ConvertDmsRadian with flag 1, as every angle
// field of the program does.
//
// Deviations from the historical formulas, each deliberate:
// - A result that is not finite fails (bSuccess FALSE), and so does a
//   triangle that cannot close (a + b < L or |a - b| > L, beyond 1e-9 m);
//   a product made slightly negative by rounding counts as 0.
// - Distance intersection: the foot is placed at t = (a^2 + L^2 - b^2) /
//   (2L) from A along AB, which is negative when the angle at A is obtuse.
//   The historical t = sqrt(a^2 - h^2) is always positive and so put the
//   point on the wrong side of A in that case.
#pragma once

#include <vector>

#include "platform/base/CString.h"

namespace tools {

struct PlanePoint {
    double x = 0.0;  // north
    double y = 0.0;  // east
};

// Forward: from (x0, y0) along the packed azimuth for distance metres.
struct ForwardResult {
    BOOL bSuccess = FALSE;
    double x = 0.0;
    double y = 0.0;
};
ForwardResult CalcForward(double x0, double y0, double packedAzimuth, double distance);

// Inverse: azimuth in degrees in [0, 360), horizontal distance and height
// difference (end less start).
struct InverseResult {
    BOOL bSuccess = FALSE;
    double azimuth = 0.0;
    double distance = 0.0;
    double heightDiff = 0.0;
};
InverseResult CalcInverse(double xs, double ys, double hs, double xe, double ye, double he);

// The intersection of two lines is IntersectLines in graphics/LineLayout.h,
// shared with the survey-line layout.

// Distance intersection: the point at a from A and b from B, on the left
// (side 0) or the right (side 1) of the direction A to B.
struct PointResult {
    BOOL bSuccess = FALSE;
    double x = 0.0;
    double y = 0.0;
};
PointResult CalcDistIntersect(PlanePoint a, PlanePoint b, double distA, double distB, int side);

// Offset point. Mode 0 (offset distance): reference 0 measures along from
// the start (fromStart), 1 from the end (fromEnd); the point lies offset
// metres to the side. Mode 1 (offset angle): fromEnd metres from B, turned
// by the packed angle from the prolongation of AB.
struct OffsetInput {
    int nMode = 0;
    int nReference = 0;
    int nSide = 0;  // 0 left, 1 right
    double fromStart = 0.0;
    double fromEnd = 0.0;
    double offset = 0.0;
    double packedAngle = 0.0;
};
PointResult CalcOffsetPoint(PlanePoint a, PlanePoint b, const OffsetInput& in);

// Deflection angle and offset distance of P3 against the line P1 P2.
// deflection in degrees in (-180, 180], negative turning left.
struct DeflectionResult {
    BOOL bSuccess = FALSE;
    double fromStart = 0.0;
    double fromEnd = 0.0;
    double offset = 0.0;
    double deflection = 0.0;
    int nDegrees = 0;
    int nMinutes = 0;
    double seconds = 0.0;
    BOOL bLeft = TRUE;  // "左偏" when deflection < 1e-6
};
DeflectionResult CalcDeflection(PlanePoint p1, PlanePoint p2, PlanePoint p3);

// Area and perimeter of a closed polygon (vertices in order, at least 3).
struct AreaResult {
    double perimeter = 0.0;
    double area = 0.0;  // square metres
    double hectares = 0.0;
    double mu = 0.0;
};
AreaResult CalcPolygonArea(const std::vector<PlanePoint>& vertices);

}  // namespace tools
