// CoordSysParams: one job's coordinate-system parameters, the record of the
// job's .par file.
//
// Members are declared in the file's key order (after the title line), and
// each member is named after its key. The transformation engine receives the
// record by value; it reads nTouYin, nDifang, nSevenPar, szdCenter, szlTx,
// szlTy, szdTk, szdTlon, szdTHigh, szdDa, szdDf, the seven and the four
// parameters. The height-fit coefficients reach the engine only through
// CCoordTransform::SetHeightFitParams. The remaining members are stored and
// loaded, never computed with.
//
// Units: lengths in metres, szdCenter and szdTlon in decimal degrees, the
// rotations szdWx/szdWy/szdWz and szdCa1 in radians, szddK a plain ratio
// (the engine multiplies by 1 + szddK), szdTk and szdCk1 ratios.
//
// Every number starts at zero; the defaults of a new job are filled by the
// document, not here.
#pragma once

#include "platform/base/CString.h"

struct CoordSysParams {
    CString szTitle;  // first line of the .par file; written, never read back

    // [TouYin Par]
    int nCoord = 0;           // ellipsoid preset: 0 北京54, 1 国家80, 2 WGS84, 3 WGS72, 4 user
    int nTouYin = 0;          // projection type 0..4; any other value: no projection
    int nDifang = 0;          // non-zero: four-parameter plane adjustment in use
    int nSevenPar = 0;        // non-zero: seven-parameter datum shift in use
    double szdCenter = 0.0;   // central meridian, decimal degrees
    int szlTx = 0;            // added to the northing, metres
    int szlTy = 0;            // added to the easting, metres
    double szdTk = 0.0;       // projection scale
    double szdTlon = 0.0;     // base latitude, decimal degrees (types 0..3)
    double szdTHigh = 0.0;    // projection height, metres (<= 0: none)
    double szdDa = 0.0;       // local ellipsoid semi-major axis, metres
    double szdDf = 0.0;       // local ellipsoid inverse flattening
    double ProjectLat = 0.0;  // stored only

    // [Seven Par]
    double szddx = 0.0;  // shift of X, metres
    double szddy = 0.0;  // shift of Y, metres
    double szddz = 0.0;  // shift of Z, metres
    double szdWx = 0.0;  // rotation about X, radians
    double szdWy = 0.0;  // rotation about Y, radians
    double szdWz = 0.0;  // rotation about Z, radians
    double szddK = 0.0;  // scale as a plain ratio (ppm x 1e-6)

    // [Four Par]
    double szdCx1 = 0.0;  // shift of north, metres
    double szdCy1 = 0.0;  // shift of east, metres
    double szdCa1 = 0.0;  // rotation, radians
    double szdCk1 = 0.0;  // scale (1 = none; 0 switches the step off)
    int nNiheMode = 0;    // 1: callers apply the height fit
    double szdNiheA0 = 0.0;
    double szdNiheA1 = 0.0;
    double szdNiheA2 = 0.0;
    double szdNiheA3 = 0.0;
    double szdNiheA4 = 0.0;
    double szdNiheA5 = 0.0;
    double szdNiheX0 = 0.0;  // height-fit origin, north, metres
    double szdNiheY0 = 0.0;  // height-fit origin, east, metres
    CString szConF;          // stored only

    // [Base Coordinate]
    double szdBaseLat = 0.0;
    double szdBaseLon = 0.0;
    double szdBaseHgt = 0.0;
    double szdBaseX = 0.0;  // grid north, metres
    double szdBaseY = 0.0;  // grid east, metres
    double szdBaseH = 0.0;
    int UseNum = 0;  // correction in use
    double szdCorrectionX = 0.0;
    double szdCorrectionY = 0.0;
    double szdCorrectionH = 0.0;

    // [szdSourceC]: source coordinates of up to five calibration points
    double szdSx0 = 0.0;
    double szdSy0 = 0.0;
    double szdSh0 = 0.0;
    double szdSx1 = 0.0;
    double szdSy1 = 0.0;
    double szdSh1 = 0.0;
    double szdSx2 = 0.0;
    double szdSy2 = 0.0;
    double szdSh2 = 0.0;
    double szdSx3 = 0.0;
    double szdSy3 = 0.0;
    double szdSh3 = 0.0;
    double szdSx4 = 0.0;
    double szdSy4 = 0.0;
    double szdSh4 = 0.0;
};
