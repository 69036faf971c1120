// DrawCircle: the circle of the plan view's glyphs and the survey screens'
// markers. It is a closed path of truncate(2πr) vertices rather than an
// ellipse, so that drawing it twice in the inverting mode leaves the screen
// exactly as it was and every screen draws the same pixels.
#pragma once

#include "platform/gdi/GdiApi.h"

class CDC;

// Vertices (cx + truncate(r cos φ), cy - truncate(r sin φ)) at
// φ = 2π i / n, n = truncate(2πr); the path returns to its first vertex.
// Nothing is drawn when n is below 1 (r under about 0.16) or r is not
// finite.
void DrawCircle(HDC hdc, int cx, int cy, double r);
void DrawCircle(CDC* pDC, int cx, int cy, double r);

// The vertex count above; 0 when nothing is drawn.
int CircleVertexCount(double r);
