// CCoordConvertDlg: the conversion of one point between grid and WGS84 coordinates
// (dialog 15108 "坐标转换").
// Until the full dialog lands it is a plain dialog of its template with OK
// and Cancel; its opener reads nothing back.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CCoordConvertDlg : public CDialog {
  public:
    explicit CCoordConvertDlg(CWnd* pParent = nullptr) : CDialog(IDD_COORD_CONVERT, pParent) {}
};
