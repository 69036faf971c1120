// CAddCtrlPointSrcDlg (dialog 15122 "增加点(原始坐标)"): the second step of
// adding a control point, where its source coordinates come from: the
// coordinate library (kind 0), the current fix's plain projection (1), the
// base station (2) or a typed geodetic position projected on the job's
// grid (3). Each choice ends the dialog with IDOK and the result members
// filled. "输入空间直角坐标" has no action.
#pragma once

#include "platform/framework/Afx.h"

class CAddCtrlPointSrcDlg : public CDialog {
  public:
    explicit CAddCtrlPointSrcDlg(CWnd* pParent = nullptr);

    double m_dSrcX = 0.0;  // north, metres
    double m_dSrcY = 0.0;  // east, metres
    double m_dSrcH = 0.0;
    int m_nSrcKind = 0;

  protected:
    BOOL OnInitDialog() override;
    afx_msg void OnFromLibrary();
    afx_msg void OnFromCurrentPoint();
    afx_msg void OnFromBaseStation();
    afx_msg void OnFromGeodetic();
    afx_msg void OnFromGeocentric();
    DECLARE_MESSAGE_MAP()
};
