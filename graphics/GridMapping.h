// Grid to pixel and back for the plan view: north up, the window's origin
// (grid north and east) at the bottom-left corner of the drawing rectangle,
// a scale in metres per pixel; the projection of a layer onto the client
// rectangle; and the out-codes and clipping of a screen segment.
#pragma once

#include "graphics/GraphRecords.h"

struct GridMapping {
    double m_dOriginN = 0.0;
    double m_dOriginE = 0.0;
    double m_dScale = 1.0;  // metres per pixel
    RECT m_rcDraw{0, 0, 0, 0};

    // Truncated toward zero. A coordinate far outside the drawing rectangle
    // (or not finite) is first held 2^20 pixels beyond it, so that the pixel
    // always fits an int and segments keep their direction on screen.
    POINT WorldToScreen(double north, double east) const;
    void ScreenToWorld(int x, int y, double& north, double& east) const;
};

// Whether a window may be applied: a scale that is finite and above 0 and
// finite origins.
bool IsUsableWindow(double originN, double originE, double scale);

// Inside the client rectangle: left and top inclusive, right and bottom
// exclusive.
bool PointInClient(const RECT& rc, int x, int y);

// Screen positions and on-screen flags of every visible set of the layer.
// Only the newest kDrawnTrackPoints points are projected: older ones are
// never drawn.
void ProjectLayer(CGraphLayer& layer, const GridMapping& map, const RECT& client);

// 1 left of, 2 right of, then 4 above or else 8 below the rectangle.
int ComputeOutCode(const RECT& rc, int x, int y);

// Clips the segment to the rectangle (edges inclusive). FALSE when nothing
// of it lies inside; both ends are then (-1000, -1000).
BOOL ClipLine(const RECT& rc, int& x1, int& y1, int& x2, int& y2);

// The number under the scale bar for a half-bar of `half` metres: the
// first of 0.1, 0.2, 0.5, 1, 2, 5 that it is below, else its leading digit
// (rounded) followed by zeros (7 m gives "10", 1234 m "1000").
CString ScaleBarLabel(double half);
