// The conversions between the raw RTK point files and plane coordinates.
//
// CRtkToGridConverter: one .RTK (or .BLH) point line, cut into 19 fields,
// to a result line. "Rem " header lines are skipped. Per point:
//   1. latitude (field 1) and longitude (field 2), packed ddd.mmss, and the
//      ellipsoidal height (field 3) through the record's whole chain to x
//      north, y east, h;
//   2. plus the shifts dx, dy, dh (of a control-point file, else 0);
//   3. plus the record's corrections, unless they are turned off;
//   4. with the record's height fit in use (nNiheMode 1), h less the
//      fitted anomaly at the corrected x, y;
//   5. by storage kind (field 12):
//      "2" an offset point: with field 13 "0" the distance (14) along the
//      azimuth (15, packed) and the height offset (16); with "1" the
//      distance along the direction towards the reference point (fields
//      17 north, 18 east, from north through east, as the offset store
//      dialog measured it) turned by the angle of field 15; any other
//      field 13 leaves the point as converted;
//      "3" a smoothed point: the points of a group are kept until its
//      closing line (fields 13 and 14 the same text), which writes the mean
//      of the points before it (its own point when there were none);
//      anything else: the point as converted.
// The result line: name, x, y (with 3 or 4 decimals), height less the
// antenna height of field 5 ("%.3f"), then fields 4 to 10 as they were read.
//
// CGridToRtkConverter: one plane-coordinate line (0 name, 1 x, 2 y, 3 h,
// 4 code) back to "name,lat,lon,height,code" with packed ddd.mmss latitude
// and longitude ("%.10f") and the WGS84 height ("%.3f"); with the height fit
// in use the fitted anomaly is added before the conversion.
//
// Both count the lines they write.
#pragma once

#include <vector>

#include "app/convert/FileConversion.h"
#include "geodesy/CoordSysParams.h"
#include "geodesy/CoordTransform.h"

namespace convert {

struct GridShift {
    double dx = 0.0;
    double dy = 0.0;
    double dh = 0.0;
};

// One raw position (packed ddd.mmss latitude and longitude, ellipsoidal
// height) through the chain of steps 1 to 4 above; shared with the
// post-processing of the raw epoch files.
class CGridChain {
  public:
    CGridChain(const CoordSysParams& params, const GridShift& shift, BOOL bCorrections);
    void ToGrid(double packedLat, double packedLon, double height, double& x, double& y, double& h);

  private:
    CoordSysParams m_params;
    CCoordTransform m_engine;
    GridShift m_shift;
    BOOL m_bCorrections;
};

class CRtkToGridConverter : public CLineConverter {
  public:
    // `decimals`: of x and y in the result line (3 or 4).
    CRtkToGridConverter(const CoordSysParams& params, const GridShift& shift, BOOL bCorrections,
                        int decimals);

    void ConvertLine(const std::wstring& line, std::string& out) override;
    int Counted() const override { return m_nWritten; }

  private:
    struct GridPoint {
        double x = 0.0;
        double y = 0.0;
        double h = 0.0;
    };
    GridPoint ToGrid(const std::wstring_view* fields);
    static void ApplyOffset(const std::wstring_view* fields, GridPoint& p);
    bool Smooth(const std::wstring_view* fields, GridPoint& p);

    CGridChain m_chain;
    int m_nDecimals;
    std::vector<GridPoint> m_group;
    int m_nWritten = 0;
};

class CGridToRtkConverter : public CLineConverter {
  public:
    explicit CGridToRtkConverter(const CoordSysParams& params);

    void ConvertLine(const std::wstring& line, std::string& out) override;
    int Counted() const override { return m_nWritten; }

  private:
    CoordSysParams m_params;
    CCoordTransform m_engine;
    int m_nWritten = 0;
};

// Whether any of the record's three corrections differs from 0 by more
// than a millimetre.
bool CorrectionsInUse(const CoordSysParams& params);

}  // namespace convert
