// CAddGeoCoordDlg (dialog 15205 "增加大地坐标") and CEditGeoCoordDlg
// (dialog 15203 "编辑大地坐标"): one geodetic point as texts (latitude and
// longitude packed ddd.mmss). All texts start empty; they go into a
// comma-separated file, so a separator in them is refused on OK.
#pragma once

#include "platform/framework/Afx.h"

class CGeoEntryDlg : public CDialog {
  public:
    CString m_strName;
    CString m_strLat;
    CString m_strLon;
    CString m_strHeight;
    CString m_strCode;

  protected:
    CGeoEntryDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};

class CAddGeoCoordDlg : public CGeoEntryDlg {
  public:
    explicit CAddGeoCoordDlg(CWnd* pParent = nullptr);
};

class CEditGeoCoordDlg : public CGeoEntryDlg {
  public:
    explicit CEditGeoCoordDlg(CWnd* pParent = nullptr);
};
