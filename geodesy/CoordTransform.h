// CCoordTransform: the coordinate engine. WGS84 geodetic positions to the
// job's local grid (north x, east y, height h) and back, the parameter
// solvers that fill it from common points, and the angle, date and time
// texts of the whole program.
//
// The chain, forward: geodetic to geocentric on WGS84; seven-parameter datum
// shift; geocentric to geodetic on the local ellipsoid; map projection (five
// types); four-parameter plane adjustment. The height fit is applied by the
// callers (HeightAnomaly). Every formula is kept exactly as the program has
// always computed it, constants included, because job files, calibrations
// and other programs hold numbers made by these formulas. Differences from
// textbook geodesy are listed with each function below.
//
// Units. Angles passed in as degrees are decimal degrees; angles passed out
// are radians unless stated. Lengths are metres. Seven-parameter rotations
// and the four-parameter rotation are radians; the seven-parameter scale k7
// is a plain ratio (the transform multiplies by 1 + k7).
//
// Constants. The degree constant is derived from pi taken as 3.1415926535897
// (relative error 3e-14, 0.2 nm on the ground), ln 10 is taken as 1/0.4342945
// (relative error 4.2e-8, which scales type-3 northings, see MercatorForward).
//
// Seven parameters. The formulas are the small-angle Bursa-Wolf form in the
// COORDINATE FRAME rotation convention (EPSG method 1032/9607, PROJ
// +convention=coordinate_frame): X' = dX + (1 + k7) X + wz Y - wy Z, so a
// positive wz turns the frame, not the point, counter-clockwise about Z. For
// parameters published in the position-vector convention negate the three
// rotations. The scale does not multiply the rotation terms; the difference
// from PROJ's Helmert is k7 * w * r, under 0.1 mm while |k7 * w| < 1.5e-11.
// The inverse is first order: its round trip is off by about
// (k7 + w) * (|shift| + k7 * r), a few tenths of a millimetre for the usual
// Beijing-54 or Xian-80 sets.
//
// State. The engine keeps what was last loaded; every number starts at zero.
// One instance must not be shared by two threads.
//
// This class has no base: the framework's root object class is not part of
// the platform base library that this folder uses.
#pragma once

#include <vector>

#include "geodesy/CoordSysParams.h"
#include "platform/base/CString.h"
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

using PointPair4Array = std::vector<PointPair4>;
using CommonPoint7Array = std::vector<CommonPoint7>;
using HeightFitPointArray = std::vector<HeightFitPoint>;

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
    // B, L in degrees on the current ellipsoid.
    void GeodeticToGeocentric(double B, double L, double H, double& X, double& Y, double& Z) const;
    // Iterative; B, L out in radians. See the .cpp for the stopping rules.
    void GeocentricToGeodetic(double X, double Y, double Z, double& B, double& L, double& H) const;
    void ApplyFourParams(double& x, double& y) const;
    void InverseFourParams(double& x, double& y) const;
    void ApplySevenParams(double& X, double& Y, double& Z) const;
    void InverseSevenParams(double& X, double& Y, double& Z) const;
    // a0 + a1 dx + a2 dy + a3 dx^2 + a4 dy^2 + a5 dx dy about (x0, y0).
    double HeightAnomaly(double x, double y) const;
    // Azimuth in degrees from the second point to the first, clockwise from
    // north, in (0, 360] (due north reads 360).
    static void CalcDistanceAzimuth(double x1, double y1, double x2, double y2, double& azimuth,
                                    double& distance);

    // ---- Projections (CoordTransformProjection.cpp) ----
    double MeridianArcLength(double f, double B) const;
    double MeridianFootpointLatitude(double f, double X, double Bh) const;
    void TransverseMercatorForward(double B, double L, double& x, double& y) const;
    void TransverseMercatorInverse(double x, double y, double& B, double& L) const;
    void MercatorForward(double B, double L, double B0, double L0, double& x, double& y) const;
    int MercatorInverse(double x, double y, double B0, double L0, double& B, double& L) const;
    void ProjectionType4Forward(double B, double L, double L0, double& x, double& y) const;
    void ProjectionType4Inverse(double x, double y, double L0, double& B, double& L) const;

    // ---- Dispatchers (CoordTransformDispatch.cpp) ----
    // The record is read, never kept or changed: passing it by reference is
    // the same as the historical by-value copy, without the copy.
    void Wgs84ToGrid(double B, double L, double H, const CoordSysParams& params, double& x,
                     double& y, double& h);
    void GridToWgs84(double x, double y, double h, const CoordSysParams& params, double& B,
                     double& L, double& H);
    void Wgs84ToLocalGeodetic(double& B, double& L, double& H, const CoordSysParams& params);

    // ---- Solvers (CoordTransformSolvers.cpp) ----
    BOOL SolveFourParams();
    BOOL SolveSevenParams();
    BOOL SolveHeightFit();

    // ---- Angle, date and time texts (CoordTransformFormat.cpp) ----
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
    std::vector<double> m_spareList;  // kept for the record layout; unused

    // Caches of values that depend only on loaded parameters; they change
    // no result, only skip recomputing it for every point.
    struct ArcCache {
        double a = 0.0, invF = 0.0, hp = 0.0, B0 = 0.0, arc = 0.0;
        bool valid = false;
    };
    struct TrigCache {
        double theta = 0.0, cosTheta = 1.0, sinTheta = 0.0;
    };
    mutable ArcCache m_baseArc;
    mutable TrigCache m_fourTrig;
    double BaseLatitudeArc(double f) const;
    void FourParamTrig(double& c, double& s) const;
};
