// The points a survey screen shows on its plan: the job's measured-point
// file read into PointRecords, and each shown point's place on the screen.
// The point-measuring screen and the stake-out screens share both.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "pointdata/PointRecord.h"

// A shown point: its name, its screen position (pixels of the plan
// control's client area) and its code, for the label beside it.
struct ScreenPointRecord {
    CString m_strName;
    int m_nX = 0;
    int m_nY = 0;
    CString m_strCode;
};

// The points of a measured-point file, oldest first, into `points` (emptied
// first). The path is trimmed; an empty path or a missing, unreadable or
// empty file gives none. The small data files' line rules hold: lines end
// at LF with the character before it dropped, reading stops at the first
// empty line and text after the last LF is not read. Each line that is not
// blank once trimmed gives one point: field 0 the name, fields 1 to 3 x
// (north), y (east) and h (bad or missing numbers read as 0), field 4 the
// code. A file that cannot be read returns FALSE.
BOOL LoadScreenPoints(const CString& path, CArray<PointRecord>& points);
