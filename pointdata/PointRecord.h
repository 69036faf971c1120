// PointRecord: the point of every library, file and calculation: name, grid
// north x, grid east y, height h (metres) and code.
#pragma once

#include "platform/base/CString.h"

struct PointRecord {
    CString strName;
    double dX = 0.0;  // north
    double dY = 0.0;  // east
    double dH = 0.0;
    CString strCode;
};
