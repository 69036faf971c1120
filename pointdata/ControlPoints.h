// The control-point library's file (*.cot) and its recalculation.
//
// A .cot line holds eleven comma fields and ends ",\r\n": 0 name, 1-3 known
// north, east, height (texts as typed), 4-5 raw latitude and longitude
// (packed ddd.mmss, "%.10f"), 6 raw height, 7-8 horizontal and height
// residuals, 9-10 plane and height use ("Y" exactly means used).
//
// The recalculation takes the rows' numbers and finds the plane part (a
// shift from one plane row, four parameters from two or more) and the
// height part (the mean shift from 1 to M - 1 height rows, a height fit
// from M = plane-fit minimum + 3 on), then every row's residuals, rounded
// to millimetres, and the rows over the limits (horizontal > 0.1 m, height
// > 0.15 m, marked for use or not).
//
// Result kinds: plane 0 no plane row, 1 shift, 2 four parameters; height
// 0 no height row, 1 mean shift, 2 fit; -1 when the solve failed (the
// residuals then stay as they were).
#pragma once

#include <vector>

#include "geodesy/CoordTransform.h"
#include "platform/base/CString.h"

namespace pointdata {

inline constexpr size_t kCotFields = 11;
inline constexpr size_t kMaxControlRows = 50;

// The eleven fields of a .cot line (missing ones empty).
std::vector<CString> ParseCotLine(const CString& line);
// Fields joined by commas, ",\r\n" after the last.
CString FormatCotLine(const std::vector<CString>& fields);

struct ControlCalcRow {
    double rawN = 0.0;
    double rawE = 0.0;
    double rawH = 0.0;
    double knownN = 0.0;
    double knownE = 0.0;
    double knownH = 0.0;
    bool usePlane = false;
    bool useHeight = false;
    double planeResidual = 0.0;   // kept from the last calculation
    double heightResidual = 0.0;  // kept from the last calculation
    double correctedH = 0.0;      // height-fit mode only
};

struct ControlCalcResult {
    int planeKind = 0;
    int heightKind = 0;
    double shiftN = 0.0;
    double shiftE = 0.0;
    double heightShift = 0.0;
    // Row numbers (from 1) over the limits.
    std::vector<int> planeOver;
    std::vector<int> heightOver;
    bool WithinLimits() const { return planeOver.empty() && heightOver.empty(); }
};

// `engine` is set to the job's ellipsoid and projection; on a four-
// parameter or height-fit result it holds the solved values. The combo
// indexes of the settings: plane-fit minimum nPlaneNihe + 3, curved
// nCurveNihe + 6. `previous` gives the kinds and shifts a part without
// rows or with a failed solve keeps.
ControlCalcResult RecalculateControlRows(CCoordTransform& engine, std::vector<ControlCalcRow>& rows,
                                         int nPlaneNihe, int nCurveNihe,
                                         const ControlCalcResult& previous);

// Through "%.3f" and back, as the list shows it.
double RoundToMillimetres(double value);

}  // namespace pointdata
