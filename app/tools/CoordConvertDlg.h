// CCoordConvertDlg (dialog 15108 "坐标转换"): one point between the job's
// grid and WGS84 geodetic coordinates through the job's coordinate system,
// appended on request to the job's library and the result folder's file of
// the result's kind (grid: .lib and "calcoord.dat"; geodetic: .WGS and
// "calcoord.RTK").
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CCoordConvertDlg : public CDialog {
  public:
    explicit CCoordConvertDlg(CWnd* pParent = nullptr);

    int m_nCoordSys = 0;  // 0 plane input, 1 geodetic input
    double m_dIn1 = 0.0, m_dIn2 = 0.0, m_dIn3 = 0.0;
    double m_dOut1 = 0.0, m_dOut2 = 0.0, m_dOut3 = 0.0;
    CString m_strName = L"EndP";
    CString m_strCode = L"00000000";
    // The input kind of the last conversion, -1 for none: a save needs a
    // result of the kind now chosen.
    int m_nConvertedSys = -1;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChoosePlane();
    afx_msg void OnChooseGeodetic();
    afx_msg void OnPick();
    afx_msg void OnConvert();
    afx_msg void OnSave();
    DECLARE_MESSAGE_MAP()

    void UpdateLabels(int nCoordSys);

    COwnerDrawButton m_pick;
};
