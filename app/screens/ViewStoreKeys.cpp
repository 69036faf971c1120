#include "app/screens/ViewStoreKeys.h"

#include "app/points/MeasurePointLibDlg.h"
#include "app/screens/ScreenStore.h"

void StoreFixFromView(CWnd* pOwner, CVendropDoc& doc, BOOL haveFix, const SurveyRecord& fix) {
    if (screens::StorePoint(doc, pOwner, screens::StoreRoad::kViewA, haveFix, fix, nullptr) ==
        screens::StoreResult::kStored)
        pOwner->Invalidate();
}

void OpenLibraryOnSecondPress(int& minute, int& second) {
    if (!screens::IsSecondBPress(minute, second)) return;
    CMeasurePointLibDlg dialog;
    dialog.DoModal();
}
