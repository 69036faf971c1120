// The drawing both stake-out screens share: read-outs drawn into their
// controls, and the plan's scale bar, north arrow, link indicator, fix
// time, labels, dashed line and the inverting position marker.
#pragma once

#include "app/stakeout/StakeoutPlan.h"
#include "platform/framework/Afx.h"

struct SurveyRecord;
class CVendropDoc;

namespace stakeout {

// The read-out's control repainted first (so that its own paint cannot
// come later and wipe the text), then 32 blanks over it and the text,
// left-aligned in 154 pixels, "system" 14 px bold on the button face.
void DrawReadout(CWnd* control, const CString& text);

void DrawScaleBar(CDC* dc, const RECT& frame, double scale);
void DrawNorthArrow(CDC* dc, const RECT& frame);
// The correction link's level from the fix's differential age.
int LinkLevel(int diffAge);
// The letter beside the antenna: the radio channel, "M" or "R".
CString LinkLetter(const CVendropDoc* doc);
void DrawLinkIndicator(CDC* dc, const RECT& frame, bool bars, int diffAge, const CString& letter);
// "%02d:%02d:%02.0f" of the fix's time at the frame's bottom left.
void DrawFixTime(CDC* dc, const RECT& frame, const SurveyRecord& fix);
// A point's label: code or name, 8-point "宋体", from (x + 5, y - 5) to
// (x + right, y + 5).
void DrawLabel(CDC* dc, int x, int y, int right, const CString& text);
// 3-pixel dashes from `a` towards `b`.
void DrawDashedLine(CDC* dc, POINT a, POINT b);
// The marker in R2_NOT: drawn again, it is gone.
void DrawMarker(CDC* dc, const MarkerShape& shape);
// The window zoom's dashed rectangle from the pressed corner to the
// dragged one, inverting: drawn twice it is gone. Nothing while either
// corner is unset (x == -1).
void DrawRubberBand(CDC* dc, POINT anchor, POINT corner);

}  // namespace stakeout
