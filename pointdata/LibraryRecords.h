// The records of the point libraries.
#pragma once

#include "platform/base/CString.h"
#include "pointdata/PointRecord.h"

// One record of the coordinate library (<job>.lib).
struct NumberedPoint {
    int number = 0;  // 1: raw-grid record (projection only); else a library record
    CString name;
    double x = 0.0;  // north, m
    double y = 0.0;  // east, m
    double h = 0.0;  // m
    CString code;
};

// One design line of the stake-out line library (.lnb).
struct LineRecord {
    PointRecord start;
    PointRecord end;
    double chainage = 0.0;  // of the start point, m
};

// A point handed to the find dialogs: the point, and its row in the
// caller's list. For the lat/long library x, y, h hold latitude,
// longitude (packed ddd.mmss) and height.
struct GeoPointRecord {
    PointRecord point;
    int index = 0;
};
