// CStoreTypeDlg (dialog 142 "点存储类型设置"): how the screens store points
// (general, offset, smoothing, automatic by time or distance) and the
// display and code options that go with stored points.
//
// A click on a storage radio, on "按时间" / "按距离" and typing in the
// point-count combo write the document at once and stay after Cancel; OK
// writes the rest and rewrites the job's .ini. Opening it stops automatic
// collection.
#pragma once

#include "platform/framework/Afx.h"

class CStoreTypeDlg : public CDialog {
  public:
    explicit CStoreTypeDlg(CWnd* pParent = nullptr);

    int m_nStoreRadio = 0;  // 0 general, 1 offset, 2 smoothing, 3 automatic
    int m_nAutoRadio = 0;   // 0 by time, 1 by distance
    int m_nTime = 0;        // seconds
    double m_dDistance = 0.0;
    int m_nCondition = 0;  // "Single", "DGPS", "FLOAT", "FIXED"
    int m_nSmoothCount = 0;
    CString m_strPointCount;
    int m_nDisplay = 0;   // 0 name, 1 code beside drawn points
    int m_nCodeMode = 0;  // 0 kept, 1 follows the name

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnGeneral();
    afx_msg void OnOffset();
    afx_msg void OnSmooth();
    afx_msg void OnAuto();
    afx_msg void OnByTime();
    afx_msg void OnByDistance();
    afx_msg void OnPointCountEdit();
    DECLARE_MESSAGE_MAP()

  private:
    // Kind 1 general, 2 offset, 3 smoothing, 4 automatic.
    void EnableForKind(int nKind);
    void ChooseKind(int nKind);
    void TakePointCount();
};
