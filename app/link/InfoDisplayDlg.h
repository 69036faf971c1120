// CInfoDisplayDlg (dialog 15141 "信息显示"): the receiver's current state on
// five pages: position, sky plot, satellite table, base station and the
// opener's text. While open it is the frame's current screen, so the
// position broadcast reaches it, and the receiver sends its satellites in
// view once a second; both are undone when it goes.
#pragma once

#include "app/link/InfoBaseDlg.h"
#include "app/link/InfoOtherDlg.h"
#include "app/link/InfoPositionDlg.h"
#include "app/link/InfoSatListDlg.h"
#include "app/link/InfoSkyPlotDlg.h"
#include "ui/TabSheet.h"

class CInfoDisplayDlg : public CDialog {
  public:
    static constexpr int kPages = 5;

    explicit CInfoDisplayDlg(CWnd* pParent = nullptr);

    // Up to 15 lines (LF between them) for the last page; set before
    // DoModal.
    CString m_strOtherText;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnDestroy();
    // WM_GPS_POSITION: wParam the frame's SurveyRecord.
    afx_msg LRESULT OnPositionUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

  private:
    // The screen that was current before, current again; the satellites
    // in view no longer asked for.
    void RestoreScreen();

    HWND m_hPrevView = nullptr;
    BOOL m_bRegistered = FALSE;
    SurveyRecord m_record;
    CInfoPositionDlg m_pagePosition;
    CInfoSkyPlotDlg m_pageSkyPlot;
    CInfoSatListDlg m_pageSatList;
    CInfoBaseDlg m_pageBase;
    CInfoOtherDlg m_pageOther;
    CString m_strTitles[kPages];
    CTabSheet m_tabSheet;
};
