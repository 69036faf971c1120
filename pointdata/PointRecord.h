// PointRecord: the point of every library, file and calculation: name, grid
// north x, grid east y, height h (metres) and code.
#pragma once

#include <cmath>

#include "platform/base/CString.h"

struct PointRecord {
    CString strName;
    double dX = 0.0;  // north
    double dY = 0.0;  // east
    double dH = 0.0;
    CString strCode;
};

// The horizontal distance between two points (grid north and east).
inline double PointDistance2D(PointRecord a, PointRecord b) {
    return std::sqrt((b.dY - a.dY) * (b.dY - a.dY) + (b.dX - a.dX) * (b.dX - a.dX));
}
