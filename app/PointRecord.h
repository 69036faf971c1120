// PointRecord: the point of every library, file and calculation: name, grid
// north x, grid east y, height h (metres) and code.
//
// The document's GetCurrentFix fills one. The point libraries own this
// record; this definition serves until theirs is in the tree and then goes.
#pragma once

#include "platform/base/CString.h"

struct PointRecord {
    CString strName;
    double dX = 0.0;  // north
    double dY = 0.0;  // east
    double dH = 0.0;
    CString strCode;
};
