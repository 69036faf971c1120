// The two hot keys of the data view and the plan view: A stores the
// current point through the store dialogs of the document's storage type,
// B pressed twice within 3 seconds of one clock minute opens the
// measured-point library.
#pragma once

#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CVendropDoc;

// The store road of the two views (screens::StorePoint): without data
// (`haveFix` FALSE) it refuses, without corrections the user confirms
// first, storage by time stores nothing here, a fix that is not fixed
// sounds the alarm. The view is repainted after a stored point.
void StoreFixFromView(CWnd* pOwner, CVendropDoc& doc, BOOL haveFix, const SurveyRecord& fix);

// `minute` -1: no press remembered. An opening forgets the press, so no
// single press can open the library afterwards.
void OpenLibraryOnSecondPress(int& minute, int& second);
