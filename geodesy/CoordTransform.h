// CCoordTransform: the coordinate engine. WGS84 geodetic positions to the
// job's local grid (north x, east y, height h) and back, the parameter
// solvers that fill it from common points, and the angle, date and time
// texts of the whole program.
//
// The chain, forward: geodetic to geocentric on WGS84; seven-parameter datum
// shift; geocentric to geodetic on the local ellipsoid; map projection (five
// types); four-parameter plane adjustment. The height fit is applied by the
// callers (HeightAnomaly). Every formula is kept as the program has always
// computed it, constants included, because job files, calibrations and
// other programs hold numbers made by these formulas.
//
// Units and ranges. Angles passed in as degrees are decimal degrees; angles
// passed out are radians unless stated. Lengths are metres. Latitudes in
// [-90, 90]; the projections are meant for latitudes away from the poles and
// longitudes within about 3.5 degrees of the central meridian. The seven-
// and four-parameter rotations are radians; the seven-parameter scale k7 is
// a plain ratio (the transform multiplies by 1 + k7).
//
// Constants. The degree constant comes from pi taken as 3.1415926535897
// (relative error 3e-14: 0.2 micrometre on the ground); ln 10 is taken as
// 1/0.4342945 (relative error 4.2e-8, which shortens type-3 northings).
//
// Sources of the formulas. Geocentric conversion: the closed form one way,
// the classical fixed-point iteration on latitude and height the other way.
// Types 0-2: Gauss-Krueger by the long series (meridian arc to e^8, Redfearn
// terms to the 8th power of the longitude difference), with a projection
// height that enlarges the ellipsoid; measured against GeographicLib's exact
// transverse Mercator, within 0.01 mm inside 3.5 degrees of the meridian on
// WGS84, Krassovsky, IAG-75 and CGCS2000. Type 3: ellipsoidal Mercator about
// a base latitude, inverse by a root scan. Type 4: the short Gauss-Krueger
// series in arc seconds (a few millimetres short of the long one at 3
// degrees). Four parameters: a plane similarity transformation. Seven
// parameters: small-angle Bursa-Wolf, below.
//
// Seven parameters. The formulas are the small-angle Bursa-Wolf form in the
// COORDINATE FRAME rotation convention (EPSG method 1032/9607, PROJ
// +convention=coordinate_frame): X' = dX + (1 + k7) X + wz Y - wy Z, so a
// positive wz turns the frame, not the point, counter-clockwise about Z. For
// parameters published in the position-vector convention negate the three
// rotations. The scale does not multiply the rotation terms; the difference
// from PROJ's Helmert is k7 * w * r, under 0.1 mm while |k7 * w| < 1.5e-11.
// The inverse is first order (the shift is removed after the rotation): its
// round trip is off by about (|w| + |k7|) |shift| + (w^2 + k7^2) r, one to two
// millimetres for the usual Beijing-54 or Xian-80 sets.
//
// Deviations from the historical engine, each deliberate:
// - Every number starts at zero (the historical constructor left them unset).
// - SetEllipsoid with a third value also sets the projection height.
// - GeocentricToGeodetic stops after 50 passes; a position at the centre of
//   the earth or with a non-finite coordinate gives NaN at once; a point in
//   the equatorial plane gives B = 0 and H = p - a.
// - The Mercator inverse's root scan no longer steps past the pole, where
//   tan() changes sign without a zero: it used to report 90 degrees for a
//   point it cannot find (any point south of the equator) and to miss
//   every latitude above 80.2 degrees (its last step jumped from 1.4 rad
//   across the pole).
// - A normal matrix that is singular to working precision (collinear points)
//   counts as singular, not only an exactly singular one; a solver whose
//   inversion fails returns FALSE and leaves its parameters and point list
//   as they were.
// - The dispatchers read the record through a const reference instead of a
//   by-value copy; no caller can tell the difference.
// - There is no base class: the framework's root object class is not part
//   of the platform base library that this folder uses. The destructor is
//   virtual as it was.
//
// State. The engine keeps what was last loaded; after a dispatcher call the
// ellipsoid, projection and parameters are the record's (after GridToWgs84
// with seven parameters the ellipsoid is WGS84). One instance must not be
// shared by two threads.
#pragma once

#include <bit>
#include <cstdint>

#include "geodesy/CoordSysParams.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/base/WinTypes.h"

// A pair of grid points before and after the four-parameter adjustment. The
// solver writes the centred values a, b, c, d.
struct PointPair4 {
    double xs = 0.0;  // source north
    double ys = 0.0;  // source east
    double xt = 0.0;  // target north
    double yt = 0.0;  // target east
    double a = 0.0;   // xs minus the mean of xs
    double b = 0.0;   // ys minus the mean of ys
    double c = 0.0;   // xt minus the mean of xt
    double d = 0.0;   // yt minus the mean of yt
};

// A point known in both geocentric systems, metres. Source: WGS84; target:
// the local datum.
struct CommonPoint7 {
    double xs = 0.0;
    double ys = 0.0;
    double zs = 0.0;
    double xt = 0.0;
    double yt = 0.0;
    double zt = 0.0;
};

// A height-fit point. The fitted quantity is h1 - h2: h1 the height the grid
// dispatcher gives, h2 the known local height. x and y are replaced by their
// centred values when a plane or quadratic surface is solved.
struct HeightFitPoint {
    double reserved0 = 0.0;  // not read by the fit
    double reserved1 = 0.0;  // not read by the fit
    double h1 = 0.0;
    double h2 = 0.0;
    double x = 0.0;  // north
    double y = 0.0;  // east
};

using PointPair4Array = CArray<PointPair4>;
using CommonPoint7Array = CArray<CommonPoint7>;
using HeightFitPointArray = CArray<HeightFitPoint>;

class CCoordTransform {
  public:
    CCoordTransform() = default;
    CCoordTransform(const CCoordTransform&) = default;
    CCoordTransform& operator=(const CCoordTransform&) = default;
    virtual ~CCoordTransform() = default;

    // ---- Setters (store only) ----
    void SetEllipsoid(double a, double invFlattening);
    void SetEllipsoid(double a, double invFlattening, double projectionHeight);
    void SetProjection(double xConst, double yConst, double centralMeridianDeg, double scale,
                       double baseLatitudeDeg, double projectionHeight);
    void SetFourParams(double dx, double dy, double theta, double k4);
    void SetSevenParams(double dX, double dY, double dZ, double wx, double wy, double wz,
                        double k7);
    void SetHeightFitParams(double a0, double a1, double a2, double a3, double a4, double a5,
                            double x0, double y0);
    void SetHeightFitThresholds(int planeMinimum, int quadraticMinimum);

    // ---- Getters of what a solver or a dispatcher left in the engine ----
    void GetEllipsoid(double& a, double& invFlattening) const;
    void GetFourParams(double& dx, double& dy, double& theta, double& k4) const;
    void GetSevenParams(double& dX, double& dY, double& dZ, double& wx, double& wy, double& wz,
                        double& k7) const;
    void GetHeightFitParams(double coeff[6], double& x0, double& y0) const;

    // ---- Point lists of the solvers (callers size and fill them) ----
    PointPair4Array& FourParamPairs() { return m_fourPairs; }
    CommonPoint7Array& SevenParamPoints() { return m_sevenPoints; }
    HeightFitPointArray& HeightFitPoints() { return m_heightPoints; }

    // ---- Primitive transforms (CoordTransform.cpp) ----
    // B, L in degrees, H metres, on the current ellipsoid.
    void GeodeticToGeocentric(double B, double L, double H, double& X, double& Y, double& Z) const;
    // B in [-pi/2, pi/2], L in (-pi, pi] radians. Iterative: stops when the
    // latitude moves 1e-11 rad or less and the height 1e-5 m or less.
    void GeocentricToGeodetic(double X, double Y, double Z, double& B, double& L, double& H) const;
    // x' = dx + k4 (x cos t - y sin t), y' = dy + k4 (y cos t + x sin t);
    // the inverse is exact and divides by k4.
    void ApplyFourParams(double& x, double& y) const;
    void InverseFourParams(double& x, double& y) const;
    // Coordinate-frame Bursa-Wolf, small angles; the inverse is first order.
    void ApplySevenParams(double& X, double& Y, double& Z) const;
    void InverseSevenParams(double& X, double& Y, double& Z) const;
    // a0 + a1 dx + a2 dy + a3 dx^2 + a4 dy^2 + a5 dx dy about (x0, y0).
    double HeightAnomaly(double x, double y) const;
    // Azimuth in degrees from the second point to the first, clockwise from
    // north, in (0, 360] (due north reads 360).
    static void CalcDistanceAzimuth(double x1, double y1, double x2, double y2, double& azimuth,
                                    double& distance);

    // ---- Projections (CoordTransformProjection.cpp) ----
    // f: flattening; B radians. Arc from the equator on the ellipsoid
    // enlarged by the projection height at B.
    double MeridianArcLength(double f, double B) const;
    // Latitude (radians) whose arc is X; the enlargement taken at Bh.
    double MeridianFootpointLatitude(double f, double X, double Bh) const;
    // Types 0-2. B, L degrees in; x north, y east with k0, Xc, Yc.
    void TransverseMercatorForward(double B, double L, double& x, double& y) const;
    // Types 0-2. B, L radians out: one pass without projection height, five
    // with one.
    void TransverseMercatorInverse(double x, double y, double& B, double& L) const;
    // Type 3, without k0 and the constants. B, L degrees; B0, L0 radians.
    void MercatorForward(double B, double L, double B0, double L0, double& x, double& y) const;
    // Type 3 inverse; latitudes from 0 to pi/2 only. Returns how many were
    // found (0 or 1); B is left as it was when none is.
    int MercatorInverse(double x, double y, double B0, double L0, double& B, double& L) const;
    // Type 4, without k0 and the constants. B, L degrees; L0 radians.
    void ProjectionType4Forward(double B, double L, double L0, double& x, double& y) const;
    void ProjectionType4Inverse(double x, double y, double L0, double& B, double& L) const;

    // ---- Dispatchers (CoordTransformDispatch.cpp) ----
    // Wgs84ToGrid: B, L degrees and H on WGS84 to x north, y east and the
    // local height; seven parameters when nSevenPar, projection by nTouYin
    // (any other type leaves x, y as passed in), four parameters when
    // nDifang and szdCk1 are non-zero. GridToWgs84: the reverse, B and L out
    // in radians. Wgs84ToLocalGeodetic: in place, degrees to degrees, with the
    // record's seven parameters whatever nSevenPar says.
    void Wgs84ToGrid(double B, double L, double H, const CoordSysParams& params, double& x,
                     double& y, double& h);
    void GridToWgs84(double x, double y, double h, const CoordSysParams& params, double& B,
                     double& L, double& H);
    void Wgs84ToLocalGeodetic(double& B, double& L, double& H, const CoordSysParams& params);

    // ---- Solvers (CoordTransformSolvers.cpp) ----
    // FALSE when the list is empty or the normal matrix is singular; then
    // nothing changes. Results go to the engine's parameters (Get...).
    BOOL SolveFourParams();
    BOOL SolveSevenParams();
    BOOL SolveHeightFit();

    // ---- Angle, date and time texts (CoordTransformFormat.cpp) ----
    // direction non-zero: packed ddd.mmss to radians; 0: radians to packed
    // (at most ten decimals). Values below 1e-10 convert by magnitude and
    // come back negated.
    static double ConvertDmsRadian(double value, int direction);
    static CString FormatAngleDMS(CString& text, double radians);
    static CString FormatTimeHMS(CString& text, int hours, int minutes, double seconds);
    static CString FormatDate(CString& text, int year, int month, int day, int chinese);

    // Degrees to radians and back, from pi taken as 3.1415926535897.
    static constexpr double kDeg = 0.01745329251994278;
    static constexpr double kRho = 57.29577951308402;
    static constexpr double kWgs84A = 6378137.0;
    static constexpr double kWgs84InvF = 298.257223563;

  private:
    double Eccentricity2() const;
    double HeightEnlargement(double e2, double B) const;
    double FootpointType4(double mu, double c2, double c4, double c6) const;
    void TransverseMercatorPass(double xp, double yp, double Bh, double& B, double& L) const;
    void LoadProjection(const CoordSysParams& params);
    void ProjectForward(double B, double L, int type, double& x, double& y) const;
    void ProjectInverse(double x, double y, int type, double& B, double& L) const;
    BOOL SolveHeightSurface(int terms);

    // Declared in the order the engine has always kept them.
    double m_k4 = 0.0;
    double m_theta4 = 0.0;
    double m_dx4 = 0.0;
    double m_dy4 = 0.0;
    double m_dX7 = 0.0;
    double m_dY7 = 0.0;
    double m_dZ7 = 0.0;
    double m_wx = 0.0;
    double m_wy = 0.0;
    double m_wz = 0.0;
    double m_k7 = 0.0;
    double m_fit[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    double m_fitX0 = 0.0;
    double m_fitY0 = 0.0;
    double m_a = 0.0;
    double m_invF = 0.0;
    double m_hp = 0.0;
    double m_xConst = 0.0;
    double m_yConst = 0.0;
    double m_L0 = 0.0;  // degrees
    double m_k0 = 0.0;
    double m_B0 = 0.0;  // degrees
    int m_planeMinimum = 0;
    int m_quadraticMinimum = 0;
    PointPair4Array m_fourPairs;
    CommonPoint7Array m_sevenPoints;
    HeightFitPointArray m_heightPoints;
    CArray<double, double> m_spareList;  // kept with the engine; unused

    // Caches of values that depend only on loaded parameters; they change
    // no result, only skip recomputing it for every point. Keys compare bit
    // for bit, so that -0.0 and 0.0 (or one NaN and another) never share an
    // entry.
    struct ArcCache {
        double a = 0.0, invF = 0.0, hp = 0.0, B0 = 0.0, arc = 0.0;
        bool valid = false;
    };
    struct TrigCache {
        double theta = 0.0, cosTheta = 1.0, sinTheta = 0.0;
    };
    mutable ArcCache m_baseArc;
    mutable TrigCache m_fourTrig;
    double BaseLatitudeArc() const;
    static bool SameBits(double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    }
    void FourParamTrig(double& c, double& s) const;
};
