// CLineLayout: planned survey lines from the points typed or picked in the
// layout dialogs. Parallel lines at an azimuth and spacing cut by a polygon,
// offset polylines either side of a channel axis, cross-sections
// perpendicular to an axis, single offset segments. x is north and y east
// (metres); generated points have empty names and h = 0.
#pragma once

#include <memory>
#include <vector>

#include "graphics/GraphRecords.h"

// N = slope × E + intercept; a line of constant E has slope kVerticalSlope
// and its E as intercept.
struct LineEquation {
    double m_dSlope = 0.0;
    double m_dIntercept = 0.0;
};
constexpr double kVerticalSlope = 9999.0;

// One survey line: its number (from 0) and the pieces inside the polygon
// as consecutive pairs of points (0-1, 2-3, ...).
struct SurveyLineRecord {
    int m_nLine = 0;
    std::vector<CNamedPoint> m_points;
};

// The line through points 1 and 2 met with the line through 3 and 4 (x, y
// any consistent pair of axes; tolerance 1e-6), for the channel layout's
// joins and the calculation tools' line intersection. 0, with x and y
// untouched, when both lines have constant x, when either line's two
// points coincide, when the lines are parallel, or when the result is not
// finite; else 1.
int IntersectLines(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                   double y4, double& x, double& y);

class CLineLayout : public CObject {
    DECLARE_DYNAMIC(CLineLayout)
  public:
    CLineLayout() = default;
    ~CLineLayout() override = default;
    void Serialize(CArchive&) override {}

    // Azimuth in radians clockwise from north; reads the polygon (m_polygon).
    void GenerateAreaLines(double azimuth, double spacing);
    // Reads the axis; 0 when it has fewer than two points. Offsets by
    // width / 2 (side non-zero: left of the direction of travel).
    int GenerateChannelLines(double width, int side);
    // Reads the axis; appends the cross-sections.
    void GeneratePerpLines(double left, double right, double spacing);
    // The segment moved sideways by distance / 2; names empty.
    CNamedSegment OffsetSegment(const CNamedSegment& segment, double distance, int side) const;

    // The number of survey lines GenerateAreaLines would make: at most
    // kMaxLayoutLines are made at all, a caller counts first.
    long long CountAreaLines(double azimuth, double spacing) const;
    long long CountPerpLines(double spacing) const;

    std::vector<CNamedPoint> m_axis;     // A: axis or base points
    std::vector<CNamedPoint> m_left;     // B: left offset polyline
    std::vector<CNamedPoint> m_right;    // C: right offset polyline
    std::vector<CNamedPoint> m_chosen;   // D: the side asked for
    std::vector<CNamedPoint> m_polygon;  // E: area polygon
    std::vector<CNamedSegment> m_perpSegments;
    std::vector<CNamedSegment> m_leftSegments;
    std::vector<CNamedSegment> m_rightSegments;
    std::vector<LineEquation> m_surveyLines;
    std::vector<LineEquation> m_edges;
    std::vector<std::unique_ptr<SurveyLineRecord>> m_records;
};

// No layout makes more lines than this: the count is checked first and a
// larger layout adds nothing.
constexpr long long kMaxLayoutLines = 10000;
