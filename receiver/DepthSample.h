// DepthSample: one depth reading with the time it was taken, as the
// sounding-data view builds it for a depth-only line of the survey files.
//
// The time is local time as the caller computed it (UTC plus the job's time
// zone, the hour brought into 1..24, so local midnight reads 24); the date is
// the caller's. The writer formats the fields as they stand.
#pragma once

#include "platform/base/CString.h"

struct DepthSample {
    CString strName;      // the caller's running number, as text
    double dDepth = 0.0;  // metres
    int nHour = 0;
    int nMinute = 0;
    double dSecond = 0.0;  // written truncated to whole seconds
    int nYear = 0;
    int nMonth = 0;
    int nDay = 0;
};
