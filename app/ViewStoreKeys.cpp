#include "app/ViewStoreKeys.h"

#include "app/DeviceFiles.h"
#include "app/VendropDoc.h"
#include "app/points/DocStorePoint.h"
#include "app/points/MeasurePointLibDlg.h"
#include "app/points/MeasurePointStoreDlg.h"
#include "app/points/OffsetStoreDlg.h"
#include "app/screens/ScreenStore.h"
#include "res/resource.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

void StoreFixFromView(CWnd* pOwner, CVendropDoc& doc, const SurveyRecord& fix) {
    if (!doc.m_bDiffAlive &&
        pOwner->MessageBox(LoadText(IDS_STRING61755), LoadText(IDS_STRING61314), MB_YESNO) != IDYES)
        return;
    if (doc.m_nStoreType == 3) return;
    doc.m_storeFix = fix;
    CString status;
    if (fix.nSolution != 10) {
        PlayAlarm();
        status.LoadString(IDS_STRING61342);
    } else {
        status.LoadString(IDS_STRING61343);
    }
    if (doc.m_nStoreType == 0 || doc.m_nStoreType == 2) {
        CMeasurePointStoreDlg dialog(pOwner);
        dialog.m_strStatus = status;
        dialog.m_bCodeIsName = doc.m_sysParams.CodeSaveType == 1;
        if (dialog.DoModal() != IDOK) return;
        points::StoreConfirmedPoint(doc, pOwner, dialog);
        pOwner->Invalidate();
    } else if (doc.m_nStoreType == 1) {
        COffsetStoreDlg dialog(pOwner);
        dialog.m_strStatus = status;
        dialog.m_bCodeIsName = doc.m_sysParams.CodeSaveType == 1;
        dialog.DoModal();
    }
}

void OpenLibraryOnSecondPress(int& minute, int& second) {
    if (!screens::IsSecondBPress(minute, second)) return;
    CMeasurePointLibDlg dialog;
    dialog.DoModal();
}
