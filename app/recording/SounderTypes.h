// The echo sounder's records: the sounder types the frame knows and the
// depth sample it sends to its depth subscribers.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// One sounder type. The frame frames its telegrams by the start tag and the
// terminator and divides the depth by the scale.
struct SounderTypeRecord {
    CString strName;
    CString strStartTag;
    int nTerminator = 0;  // its low byte closes a sentence
    int nFieldStart = 0;  // kept with the type, not read
    int nFieldLen = 0;    // kept with the type, not read
    float fScale = 1.0f;  // divisor of the depth value
    int nErrorChar = 0;   // its low byte marks an error report
    int nDecimals = 0;    // kept with the type, not read
    int nReserved = 0;
    CString strReserved;
};

// The frame's depth sample. Each receiver copies the whole block and clears
// its own copy's new-depth flag when it has used the depth.
struct SounderDepthBlock {
    double dDepth = 0.0;  // metres
    BOOL bError = 0;      // the last framed sentence was an error report
    BOOL bNewDepth[2] = {0, 0};
};
