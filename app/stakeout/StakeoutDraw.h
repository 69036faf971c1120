// The drawing both stake-out screens share: read-outs drawn into their
// controls, and the plan's labels, dashed line and the inverting position
// marker. The scale bar, north arrow, link indicator and fix time are the
// survey screens' (app/screens/PlanDrawing.h), in the stake-out letters.
#pragma once

#include "app/screens/PlanDrawing.h"
#include "app/stakeout/StakeoutPlan.h"
#include "platform/framework/Afx.h"

class CVendropDoc;

namespace stakeout {

// The read-out's control repainted first (so that its own paint cannot
// come later and wipe the text), then 32 blanks over it and the text,
// left-aligned in 154 pixels, "system" 14 px bold on the button face.
void DrawReadout(CWnd* control, const CString& text);

// The stake-out letters: the scale label, the time and the link letter in
// the context's own face (a null font), the letter on white and cut to its
// box; the north letter in the read-outs' bold face.
inline constexpr screens::LinkLettering kLinkLettering{nullptr, true};
HFONT NorthFont();
// The link indicator in those letters, its letter by `doc`'s correction
// link: with `bars` those of the differential age's level.
void DrawLink(CDC* dc, const CRect& frame, int diffAge, bool bars, const CVendropDoc* doc);

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
