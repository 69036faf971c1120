// CProjectionDlg (dialog 138 "投影参数设置"): the job's ellipsoid and map
// projection. It reads the document when it opens; the projection command
// takes the members over after IDOK (central meridian and base latitude as
// packed ddd.mmss).
//
// Besides the shown axis pair the dialog remembers a user-defined pair,
// first the job's own: what the user types into the axis edits goes there,
// so that choosing "用户自定义" again brings it back. What the dialog
// writes into the edits itself is not the user's typing and is not kept.
#pragma once

#include "platform/framework/Afx.h"

class CProjectionDlg : public CDialog {
  public:
    explicit CProjectionDlg(CWnd* pParent = nullptr);

    int m_nCoord = 0;
    double m_dA = 0.0;
    double m_dInvF = 0.0;
    double m_dCenter = 0.0;  // central meridian, packed ddd.mmss
    double m_dTk = 0.0;      // projection scale
    long m_lTx = 0;          // added to the northing
    long m_lTy = 0;          // added to the easting
    double m_dTHigh = 0.0;   // projection height
    double m_dTlon = 0.0;    // base latitude, packed ddd.mmss
    double m_dUserA = 0.0;
    double m_dUserInvF = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChangeEllipsoid();
    afx_msg void OnChangeAxis();
    afx_msg void OnChangeInvFlattening();
    DECLARE_MESSAGE_MAP()

    void WriteControls();

    BOOL m_bWritingControls = FALSE;
};
