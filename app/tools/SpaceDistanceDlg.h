// CSpaceDistanceDlg (dialog 209 "空间距离计算"): the straight (chord)
// length between two WGS84 geodetic points, appended on request to
// "skydis.txt" in the result folder. Latitudes and longitudes are packed
// ddd.mmss texts.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CSpaceDistanceDlg : public CDialog {
  public:
    explicit CSpaceDistanceDlg(CWnd* pParent = nullptr);

    CString m_strStartName, m_strStartLon, m_strStartLat, m_strStartH;
    CString m_strEndName, m_strEndLon, m_strEndLat, m_strEndH;
    CString m_strLength;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPickStart();
    afx_msg void OnPickEnd();
    afx_msg void OnCompute();
    afx_msg void OnSave();
    DECLARE_MESSAGE_MAP()

    void Pick(CString& name, CString& lat, CString& lon, CString& height);

    COwnerDrawButton m_pickStart;
    COwnerDrawButton m_pickEnd;
};
