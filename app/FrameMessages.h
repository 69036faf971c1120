// The messages the main frame sends to the screens and panes.
#pragma once

// A position: wParam = a SurveyRecord, lParam its kind (GpsPositionKind).
// Receivers copy the record at once: a sent one is the frame's own, a posted
// one a copy the frame frees once the message has been handled.
#define WM_GPS_POSITION 0x2340
// The kinds of WM_GPS_POSITION, its lParam.
enum GpsPositionKind {
    // A new position: sent to the panes, posted to the current screen.
    kGpsPositionNew = 1,
    // A status-only notice ("NODATA", "FINDRADIO", "FIND"), no position; sent.
    kGpsPositionStatus = 4,
};
// The frame's own: posted to itself behind each position it posts to the
// current screen; handling it frees that position's copy. No parameters.
#define WM_GPS_POSITION_DONE 0x2341
// The frame's own: a write of `wParam` (SurveyWriteSource) failed; posted to
// itself so that the box telling it opens once the line being handled has
// been handled, and the receiver's reader never waits on a user. lParam 0.
#define WM_SURVEY_WRITE_NOTE 0x2342
// The writers whose failures the frame tells, each once per run of its own
// failures (CMainFrame::NoteSurveyWrite).
enum SurveyWriteSource {
    kWriteEpoch = 0,   // the raw epoch lines of a measurement
    kWriteDepthLine,   // the timed depth lines of a depth-only run
    kWriteAutoPoint,   // the points of automatic collection
    kWriteBaseLine,    // the base line a new base puts into the raw record
    kWriteBaseRecord,  // the result folder's basecoord.RTK
    kWriteBaseParams,  // the job's .par rewritten for a new base
    kWriteSourceCount,
};
// A depth: wParam = the frame's SounderDepthBlock, lParam 0; sent to every
// window added with CMainFrame::AddNotifyWnd.
#define WM_SOUNDER_DEPTH 0x7F1
// A plan-view command: wParam the code (GraphCommand), lParam a pointer to
// three doubles {north, east, scale} for code 0, else 0.
#define WM_GRAPH_COMMAND 0x458

// The codes of WM_GRAPH_COMMAND.
enum GraphCommand {
    kGraphSetOrigin = 0,
    kGraphZoomIn = 1,
    kGraphZoomOut = 2,
    kGraphZoomWindow = 3,
    kGraphZoomAll = 4,
    kGraphSave = 6,
    kGraphLayoutArea = 7,
    kGraphLayoutChannel = 8,
    kGraphLayoutParallel = 9,
    kGraphLayoutPerpendicular = 10,
    kGraphAreaDelete = 11,
    kGraphDrawText = 14,
    kGraphLoad = 21,
    kGraphClearLayout = 22,
};
