// The live plan of the point-measuring screen and the navigation view: the
// grid-to-pixel mapping, the position marker (drawn inverted, so that
// drawing it again removes it), the link indicator, the north arrow, the
// scale bar and the time of the fix. Both screens draw these alike, each
// with its own mapping; the stake-out screens draw their link indicator,
// north arrow, scale bar and time through these too, in their own letters.
#pragma once

#include <vector>

#include "platform/base/Collections.h"
#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CVendropDoc;

namespace screens {

// Pixel coordinates never leave this range, so that a point thousands of
// kilometres off the plan, or a value that is not finite, still gives an
// int the drawing can take (far outside any plan).
inline constexpr double kPixelLimit = 1.0e6;
int ToPixel(double value);

// screen x = (E - centreE) / scale + originX, screen y = originY - (N -
// centreN) / scale, each truncated toward zero.
struct PlanMapping {
    double dCentreN = 0.0;
    double dCentreE = 0.0;
    double dScale = 1.0;  // metres per pixel
    int nOriginX = 0;
    int nOriginY = 0;
    CPoint ToScreen(double n, double e) const;
};

// The fonts of the plans: the point labels, time and scale label ("宋体"
// 8 points) and the bold 14-pixel "system" face of the north letter and the
// read-outs. Made once per screen.
class PlanFonts {
  public:
    PlanFonts();
    ~PlanFonts();
    PlanFonts(const PlanFonts&) = delete;
    PlanFonts& operator=(const PlanFonts&) = delete;
    HFONT Small() const { return m_hSmall; }
    HFONT Bold() const { return m_hBold; }

  private:
    HFONT m_hSmall = nullptr;
    HFONT m_hBold = nullptr;
};

// The marker kept between fixes: no point (none drawn), one point (the
// stationary circles) or four (the position, the arrow's tip and wings).
using Marker = CArray<CPoint>;

// Draws `marker` in the inverting mode: removes it when it shows.
void InvertMarker(HDC hdc, const Marker& marker);

// The marker step of a fix at (n, e) after one at (prevN, prevE): nothing
// when they coincide within 1e-6 m and a marker shows; otherwise the last marker removed and
// the new one drawn (stationary when `stationaryStatus` and under 0.1 m,
// or under 0.02 m; else the arrow in the direction of travel), `marker`
// and the previous position updated.
void MoveMarker(HDC hdc, const PlanMapping& map, double n, double e, bool stationaryStatus,
                double& prevN, double& prevE, Marker& marker);

// The status texts the stationary marker tests: "SINGLE", or the
// translation the dispatcher puts in its place.
bool IsSingleStatus(const CString& status);

// Whether a fix at (n, e) lies more than half the drawing rectangle from
// the mapping's centre, either way.
bool OutsideHalfPlan(const PlanMapping& map, const CRect& draw, double n, double e);

// The link level of a differential age: 10 for 1..3, 10 - age for 4..8,
// else 0.
int LinkLevel(int age);
// The letter beside the antenna, by the correction link: the radio
// channel 1..4, "M" on GSM or "R" on the network while their flags are
// set; else a blank, as without a document.
CString LinkLetter(const CVendropDoc* doc);
// How a screen letters its link indicator: the survey screens draw the
// letter over the plan in their bold face, the stake-out screens on white,
// cut to its box, in the context's own face (a null font).
struct LinkLettering {
    HFONT font = nullptr;
    bool boxed = false;
};
// The link indicator at the top left of `draw`: with `bars` those of the
// differential age's link level, else none; the letter centred in its box.
void DrawLinkIndicator(HDC hdc, const CRect& draw, int diffAge, bool bars, const CString& letter,
                       const LinkLettering& lettering);
void DrawNorthArrow(HDC hdc, const CRect& draw, HFONT bold);
// The scale bar's label for a half bar of `metres` (graphics' ScaleBarLabel)
// with its unit.
CString ScaleLabel(double metres);
// The scale bar and its label, and the time of the fix, in `font`; a null
// font draws in the context's own (the stake-out screens).
void DrawScaleBar(HDC hdc, const CRect& draw, double scale, HFONT font);
void DrawFixTime(HDC hdc, const CRect& draw, const SurveyRecord& fix, HFONT font);
// Stored points: each a circle of radius 2 and its label to the right.
// The pen, brush and font are chosen once for all the points drawn.
class PointLabeller {
  public:
    PointLabeller(HDC hdc, HFONT font);
    ~PointLabeller();
    PointLabeller(const PointLabeller&) = delete;
    PointLabeller& operator=(const PointLabeller&) = delete;
    void Draw(int x, int y, const CString& label);
    // Whether the circles are filled from runs (else drawn as ellipses).
    bool FillsRuns() const { return m_bCircleRuns; }

  private:
    struct CircleRun {
        int dy, x0, x1;  // a row's pixels x0 <= x < x1 from the centre
        bool outline;    // black outline, else white interior
    };
    void TakeCircleRuns();

    std::vector<CircleRun> m_circleRuns;
    bool m_bCircleRuns = false;
    HDC m_hdc;
    HGDIOBJ m_oldPen, m_oldBrush, m_oldFont;
    int m_oldMode;
    int m_nTextHeight = 0;
};
void DrawPointLabel(HDC hdc, int x, int y, const CString& label, HFONT font);

// Zoom in shrinks the scale by 7/8 while scale x 70 is above 0.01; zoom
// out doubles it, short of a scale that would not be finite.
double ZoomedIn(double scale);
double ZoomedOut(double scale);

}  // namespace screens
