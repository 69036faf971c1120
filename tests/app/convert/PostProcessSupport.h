// What the raw RTK conversions should give, worked out apart from the
// program: PROJ's grid values (data/reference.gie) carried through the
// four-parameter and height-fit formulas, the shifts of data/ctrl.cot and
// the job's corrections, then the offset and smoothing rules.
#pragma once

#include <string>
#include <vector>

#include "geodesy/CoordSysParams.h"
#include "tests/app/convert/ConvertTest.h"

namespace converttest {

struct GridValue {
    double x = 0.0;  // north
    double y = 0.0;  // east
    double h = 0.0;
};

struct Shift {
    double dx = 0.0;
    double dy = 0.0;
    double dh = 0.0;
};

// The shifts of data/ctrl.cot's one row: its known position less its raw
// position projected on the job's ellipsoid and rounded to 0.1 mm.
Shift ControlFileShift();

class Expectation {
  public:
    Expectation(const CoordSysParams& job, const Shift& shift, bool corrections);

    // The point of reference.gie as the chain gives it, before any offset
    // or antenna height.
    GridValue Point(const std::string& name) const;
    GridValue Plain(const std::string& name, double antenna) const;
    // `distance` along the azimuth (degrees), plus `dh`.
    GridValue Offset(const std::string& name, double distance, double azimuth, double dh,
                     double antenna) const;
    // `distance` along the direction towards (refNorth, refEast) turned by
    // `angle` (degrees), plus `dh`.
    GridValue Toward(const std::string& name, double distance, double refNorth, double refEast,
                     double angle, double dh, double antenna) const;
    GridValue Mean(const std::string& first, const std::string& second, double antenna) const;

  private:
    CoordSysParams m_job;
    Shift m_shift;
    bool m_bCorrections;
    std::vector<ReferencePoint> m_points;
};

// The lines of a result file cut at CR LF, each cut at commas.
std::vector<std::vector<std::string>> ResultLines(const std::string& bytes);

// A result line: the name, x and y within a millimetre with `decimals`
// decimals, the height within a millimetre with three, then the copied
// fields exactly.
void ExpectLine(const std::vector<std::string>& fields, const std::string& name,
                const GridValue& expected, const std::string& copied, int decimals);

}  // namespace converttest
