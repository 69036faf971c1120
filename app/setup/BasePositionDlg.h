// The two dialogs that take a base station's position: CBaseManualSetDlg
// (template 166, with the base's start parameters) and CBaseSettingDlg
// (template 15200). They share the position controls and their handlers
// through CBasePositionDlg.
//
// The position is three texts, B, L and H: latitude and longitude as packed
// ddd.mmss and the ellipsoidal height while geodetic coordinates are chosen,
// grid x (north), y (east) and height while plane coordinates are; switching
// the kind converts the three texts through the job's coordinate system.
// They open on the latest receiver fix. On OK the three texts must be
// numbers, or the framework's prompt is shown and the dialog stays open, so
// that no base is ever set up at a position nobody typed.
#pragma once

#include "platform/framework/Afx.h"

class CBasePositionDlg : public CDialog {
  public:
    CBasePositionDlg(UINT nIDTemplate, int nAntHeightId, CWnd* pParent);

    CString m_strB;
    CString m_strL;
    CString m_strH;
    int m_nInterval = 1;        // broadcast interval, seconds
    int m_nCoordKind = 0;       // 0 geodetic, 1 plane
    double m_dAntHeight = 0.0;  // metres

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // The members of a derived dialog, exchanged between the kind and the
    // antenna height.
    virtual void ExchangeParameters(CDataExchange* pDX);
    // The last word on OK, after the data exchange; FALSE keeps the dialog.
    virtual BOOL ConfirmOk();

    afx_msg void OnGeodetic();
    afx_msg void OnPlane();
    afx_msg void OnSinglePoint();
    DECLARE_MESSAGE_MAP()

  private:
    // B, L and H from the document's latest fix.
    void FillFromFix();
    void SetLabels(LPCTSTR b, LPCTSTR l, LPCTSTR h);

    int m_nAntHeightId;
    BOOL m_bCheckNumbers = FALSE;
};

class CBaseManualSetDlg : public CBasePositionDlg {
  public:
    explicit CBaseManualSetDlg(CWnd* pParent = nullptr);

    int m_nFormat = 0;  // 0 RTCA, 1 RTCM, 2 CMR, 3 RTCM3
    double m_dPdop = 3.0;
    int m_nCutoff = 10;  // degrees
    // The base starts with these parameters at its next power-on.
    int m_bRepeat = 0;

  protected:
    BOOL OnInitDialog() override;
    void ExchangeParameters(CDataExchange* pDX) override;
    BOOL ConfirmOk() override;

    afx_msg void OnRepeat();
    DECLARE_MESSAGE_MAP()
};

class CBaseSettingDlg : public CBasePositionDlg {
  public:
    explicit CBaseSettingDlg(CWnd* pParent = nullptr);
};
