// Storing points from the point-measuring screen and the navigation view:
// the store roads with a dialog (store button, key 'A', key 'D') and the
// automatic collection by time or by distance that runs on each fix.
#pragma once

#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"
#include "receiver/SurveyRecord.h"

class CVendropDoc;

namespace screens {

enum class StoreRoad {
    kStoreButton,  // the point-measuring screen's store button
    kKeyA,         // 'A' on the point-measuring screen
    kKeyD,         // 'D': a general point that also goes to the coordinate library
    kNavigationA,  // 'A' (A, Delete, Left) on the navigation view
    kViewA,        // 'A' on the data view and the plan view
};

enum class StoreResult {
    kRefused,    // a check ended the action (no fix, no differential signal)
    kNotStored,  // no dialog for the storage type, or the dialog cancelled
    kStored,
};

// One store road for the fix `fix` the screen holds (`haveFix` 0 before the
// first fix or after "NODATA"). A stored point is given in `stored`.
[[nodiscard]] StoreResult StorePoint(CVendropDoc& doc, CWnd* pOwner, StoreRoad road, BOOL haveFix,
                                     const SurveyRecord& fix, PointRecord* stored);

// Whether the solution code meets the job's condition for automatic
// storage (nAsCondition 0: single or better, 1: better than single, 2:
// float or better, 3: fixed; any other value: never).
bool MeetsAutoCondition(int condition, int solution);

// The automatic collection step of a fix (the screen's copy `fix`, the
// document's m_curFix for its time and step): nothing unless collection
// is started and the job collects by time or distance. By time, at most
// one point per whole second of the day that is a multiple of the
// interval; by distance, a point once the distance from the reference
// reaches the set distance within half a step, then the next fix is the
// new reference. Returns whether a point went into the point file, given
// in `stored`: a point it refused is neither drawn nor counted, though its
// name is used up. A run of points not written whole is told once.
bool CollectAutomatically(CVendropDoc& doc, const SurveyRecord& fix, PointRecord* stored);

// The 'B' key of the survey screens, by the system time: TRUE for the
// second press within one clock minute and less than 3 seconds after the
// first (the measured-point library then opens, and the presses are
// forgotten, so that no single press opens it again); otherwise the press
// is remembered.
BOOL IsSecondBPress(int& nKeyMinute, int& nKeySecond);

}  // namespace screens
