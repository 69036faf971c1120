// The read-outs and prompts of the two stake-out screens, as pure
// functions of the target (or the design line) and the live fix, so that
// what the surveyor reads can be checked without a window.
//
// Direction words name the way to walk: on the point screen "北" when the
// target lies north of the fix; on the line screen "南" when the fix lies
// north of the line (move south to reach it). A magnitude after a word is
// never printed as "-0.000".
#pragma once

#include "platform/base/CString.h"
#include "pointdata/LibraryRecords.h"

namespace stakeout {

// One design line: start and end point and the start's chainage, as the
// line library holds it.
using StakeLine = LineRecord;

// `word` followed by "%.3f" of `magnitude` (a -0 prints as 0.000).
CString WordAndMagnitude(LPCTSTR word, double magnitude);

// "%d°%02d'%02d\"" of an azimuth in degrees [0, 360), with the carries of
// seconds into minutes and minutes into degrees (so 359.99999999 reads
// 360°00'00").
CString FormatAzimuth(double degrees);

// ---- Point stake-out ----
struct PointReadouts {
    CString dx;        // 1023: "北"/"南" and |dN|
    CString dy;        // 1024: "东"/"西" and |dE|
    CString dh;        // 1025
    CString azimuth;   // 1059
    CString distance;  // 1026
    double dN = 0.0, dE = 0.0, dH = 0.0, d = 0.0;
};

// dN = target x - fix x, dE = target y - fix y; DH against the fix's grid
// height, less the rover antenna height when it is applied.
PointReadouts ComputePointReadouts(const PointRecord& target, double fixX, double fixY,
                                   double fixGridH, BOOL useAntHeight, double antHeight);

// The near-target prompt: the rings are drawn inside `maxPrompt`; the
// sound plays once per approach (the flag clears when the fix leaves,
// while sound prompts are on).
struct PointPromptStep {
    bool drawRings = false;
    bool sound = false;
};
PointPromptStep StepPointPrompt(double distance, double maxPrompt, int soundPrompt, int& sounded);

// ---- Line stake-out ----
struct Foot {
    double x = 0.0, y = 0.0;
    bool inside = false;  // strictly between the ends
};
Foot PerpendicularFoot(double x1, double y1, double x2, double y2, double px, double py);

struct LineReadouts {
    bool valid = false;  // a line of some length
    CString offset;      // 1030 "右"/"左" and the distance from the line
    CString startDist;   // 1032
    CString endDist;     // 1031
    CString chainage;    // 1034, also the next point's code
    CString dx;          // 1023
    CString dy;          // 1024
    double along = 0.0;  // from the start to the foot, unsigned
    double offsetDist = 0.0;
};

// Empty texts for a line of no length (nothing to measure against).
LineReadouts ComputeLineReadouts(const StakeLine& line, double px, double py, BOOL showPlumb);

// The near-line and whole-chainage prompts for one position.
struct LinePromptState {
    int nearPlayed = 0;
    int chainageArmed = 1;
};
struct LinePromptStep {
    bool sound = false;  // near the line (once per approach)
    bool chainageSound = false;
    bool drawGuides = false;
};
LinePromptStep StepLinePrompt(const StakeLine& line, double px, double py, double along,
                              double maxPrompt, int soundPrompt, int intMilPrompt,
                              double intMileage, LinePromptState& state);

}  // namespace stakeout
