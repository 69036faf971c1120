// CMapTransDlg: the map-sheet conversion (dialog 15245 "地图转换").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CMapTransDlg : public CDialog {
  public:
    explicit CMapTransDlg(CWnd* pParent = nullptr) : CDialog(IDD_MAP_TRANS, pParent) {}
};
