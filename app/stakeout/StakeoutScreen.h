// What the point and the line stake-out screens do alike: their button
// bar's look, the plan's frame and first scale, storing a staked point's
// record line beside the library, and the 'B' key's double press.
#pragma once

#include <vector>

#include "app/stakeout/StakeoutPlan.h"
#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"
#include "ui/OwnerDrawButton.h"

class CVendropDoc;

namespace stakeout {

// Icons 30 x 30, the face a little lighter than the system's, green
// when pressed, text under the icon.
void StyleScreenButtons(COwnerDrawButton* buttons, const int* icons, int count, CFont* font);

// The view takes the plan control's client area; the frame stands 6
// pixels inside it, and the first scale shows 50 m across its shorter side.
void FitPlanView(CWnd& plan, PlanView& view, RECT& frame);

// A drag with the left button to p (plan coordinates). With the window
// zoom armed the rubber band follows from its pressed corner, if any;
// otherwise the plan pans with the pointer from panFrom. True when the
// plan moved and wants a full redraw.
bool DragPlan(CWnd& plan, PlanView& view, bool windowZoom, POINT anchor, POINT& corner,
              POINT& panFrom, POINT p);

// The inverting position marker to (n, e): redrawn when the position
// moved or no marker stands (a plan just redrawn shows a standing fix's
// circle at once rather than only after it moves). `single` for a
// single-point fix. The previous position is then (n, e). True when the
// marker was redrawn.
bool StepMarker(CDC* dc, const PlanView& view, double n, double e, bool single, MarkerShape& marker,
                double& prevN, double& prevE, BOOL& hasPrevious);

// The point just stored (name, code, grid coordinates of the store fix)
// joins the recorded ones and is appended to the record file beside the
// library, with extension ext. No library chosen: nowhere to record.
void RecordStoredPoint(CWnd* owner, const CVendropDoc& doc, std::vector<PointRecord>& recorded,
                       const CString& libraryPath, LPCTSTR ext);

// Two presses within 3 seconds of one clock minute open the measured
// points' library. An opening forgets the press, so no single press can
// open the library afterwards.
void OpenLibraryOnSecondPress(CWnd* owner, int& keyMinute, int& keySecond);

}  // namespace stakeout
