// CLatLonCoordLibDlg (dialog 15202 "经纬度坐标库"): the lat/long library run
// as a point picker.
//
// The picker's stand-in until the point libraries bring the full dialog:
// it shows the rows of Rows(), which its users (tests) fill, in list 1000,
// and hands back the row selected at OK as texts (latitude and longitude
// packed ddd.mmss, as the rows hold them).
#pragma once

#include <vector>

#include "platform/framework/Afx.h"

struct LatLonLibRow {
    CString strName;
    CString strLat;
    CString strLon;
    CString strHeight;
    CString strCode;
};

class CLatLonCoordLibDlg : public CDialog {
  public:
    explicit CLatLonCoordLibDlg(CWnd* pParent = nullptr);

    // The library's rows, shared by every instance.
    static std::vector<LatLonLibRow>& Rows();

    // Read by the caller after IDOK, only when m_bPicked is set.
    BOOL m_bPicked = FALSE;
    CString m_strPickName;
    CString m_strPickLat;
    CString m_strPickLon;
    CString m_strPickHeight;
    CString m_strPickCode;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    CListBox m_list;
};
