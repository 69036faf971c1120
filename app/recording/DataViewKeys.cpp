// CDataView's keys: A stores the current point through the store dialogs,
// B twice within 3 seconds of one clock minute opens the measured-point
// library, 6 switches the position between grid and geodetic values.
#include "app/DeviceFiles.h"
#include "app/points/DocStorePoint.h"
#include "app/points/MeasurePointLibDlg.h"
#include "app/points/MeasurePointStoreDlg.h"
#include "app/points/OffsetStoreDlg.h"
#include "app/recording/DataView.h"
#include "app/screens/ScreenStore.h"
#include "app/shell/KeyMap.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BOOL CDataView::PreTranslateMessage(MSG* pMsg) {
    switch (MapKeyToCommand(pMsg->message, pMsg->wParam)) {
        case 'A':
            StoreCurrentPoint();
            break;
        case 'B':
            OpenLibraryOnSecondB();
            break;
        case '6':
            m_bGeodetic = !m_bGeodetic;
            BuildPanelRows();
            Invalidate();
            break;
        default:
            break;
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

void CDataView::StoreCurrentPoint() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    if (!doc->m_bDiffAlive &&
        MessageBox(LoadText(IDS_STRING61755), LoadText(IDS_STRING61314), MB_YESNO) != IDYES)
        return;
    if (doc->m_nStoreType == 3) return;
    doc->m_storeFix = m_fix;
    CString status;
    if (m_fix.nSolution != 10) {
        PlayAlarm();
        status.LoadString(IDS_STRING61342);
    } else {
        status.LoadString(IDS_STRING61343);
    }
    if (doc->m_nStoreType == 0 || doc->m_nStoreType == 2) {
        StoreMeasuredPoint(status);
    } else if (doc->m_nStoreType == 1) {
        COffsetStoreDlg dialog(this);
        dialog.m_strStatus = status;
        dialog.m_bCodeIsName = doc->m_sysParams.CodeSaveType == 1;
        dialog.DoModal();
    }
}

void CDataView::StoreMeasuredPoint(const CString& status) {
    CVendropDoc* doc = Doc();
    CMeasurePointStoreDlg dialog(this);
    dialog.m_strStatus = status;
    dialog.m_bCodeIsName = doc->m_sysParams.CodeSaveType == 1;
    if (dialog.DoModal() != IDOK) return;
    points::StoreConfirmedPoint(*doc, this, dialog);
    Invalidate();
}

// Two presses count only within one minute of the clock; an opening
// forgets the press (the survey screens' rule).
void CDataView::OpenLibraryOnSecondB() {
    if (!screens::IsSecondBPress(m_nKeyMinute, m_nKeySecond)) return;
    CMeasurePointLibDlg dialog;
    dialog.DoModal();
}
