// CMeasurePointStoreDlg: the measured-point store dialog (template 234)
// through which a screen confirms one measured point. The caller puts the
// fix into the document's m_storeFix, sets the status line and whether the
// code follows the name (a stake-out screen also the name and the three
// differences), runs it, and on IDOK hands it to points::StoreConfirmedPoint
// (DocStorePoint.h), which writes the files. The dialog itself writes only
// the antenna-height settings back into the job's .ini.
//
// With smoothing storage it takes one epoch a second from the document's
// current fix (only when a new one has arrived), collects each in the
// writer's epoch list and keeps the running mean in m_storeFix; OK waits
// until the count is complete.
#pragma once

#include "platform/framework/Afx.h"

class CMeasurePointStoreDlg : public CDialog {
  public:
    static constexpr UINT_PTR kSmoothTimer = 9900;

    explicit CMeasurePointStoreDlg(CWnd* pParent = nullptr);

    // In.
    BOOL m_bCodeIsName = 0;
    CString m_strStatus;
    // State: 1 once OK has passed its checks; epochs still to take.
    BOOL m_bStored = 0;
    int m_nRemaining = 0;
    // The spread and extremes of the epochs taken.
    double m_dSumX = 0.0, m_dSumY = 0.0, m_dSumH = 0.0;
    double m_dMinX = 0.0, m_dMaxX = 0.0, m_dMinY = 0.0, m_dMaxY = 0.0;
    double m_dMinH = 0.0, m_dMaxH = 0.0;
    // Out: as typed; m_dAntHeight after OK the vertical antenna height.
    double m_dAntHeight = 0.0;
    CString m_strCode;
    // Differences: the smoothing's spread, or a stake-out screen's offsets.
    double m_dDiffH = 0.0, m_dDiffX = 0.0, m_dDiffY = 0.0;
    double m_dH = 0.0;
    double m_dHrms = 0.0;
    CString m_strName;
    double m_dX = 0.0, m_dY = 0.0;
    double m_dVrms = 0.0;
    CString m_strStatusShown;
    int m_nAntHeightType = -1;  // 0 vertical, 1 slant, -1 none

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

  private:
    void TakeEpoch(int n);
    void ShowCountdown(const CString& text);
    void ShowFigures();
    BOOL PrecisionAccepted();

    int m_nEpochs = 0;  // the count this run smooths over
    CFont m_countdownFont;
};
