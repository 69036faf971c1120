// ControlPointRow: one line of a control-point file (".cot") as the
// parameter derivation reads it: the raw position projected onto the job's
// grid beside the known local coordinates, and what the point is used for.
#pragma once

#include "platform/base/WinTypes.h"

struct ControlPointRow {
    double x = 0.0;        // grid north of the raw position, rounded to 4 decimals
    double y = 0.0;        // grid east of the raw position, rounded to 4 decimals
    double h = 0.0;        // raw (ellipsoidal) height, metres
    double dKnownX = 0.0;  // known north
    double dKnownY = 0.0;  // known east
    double dKnownH = 0.0;  // known height
    BOOL bPlane = 0;       // the plane parameters use the point
    BOOL bHeight = 0;      // the height parameters use the point
};
