// CDataView's keys: A stores the current point through the store dialogs,
// B twice within 3 seconds of one clock minute opens the measured-point
// library, 6 switches the position between grid and geodetic values.
#include "app/recording/DataView.h"
#include "app/screens/ViewStoreKeys.h"
#include "app/shell/KeyMap.h"
#include "app/shell/VendropDoc.h"

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
    if (CVendropDoc* doc = Doc()) StoreFixFromView(this, *doc, TRUE, m_fix);
}

void CDataView::OpenLibraryOnSecondB() {
    OpenLibraryOnSecondPress(m_nKeyMinute, m_nKeySecond);
}
