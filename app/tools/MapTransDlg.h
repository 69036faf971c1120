// CMapTransDlg (dialog 15245 "地图转换"): a point read off a paper map
// sheet. The degree-minute values of the nearest grid lines, the point's
// distance from them in millimetres and the sheet's scale (millimetres to
// arc seconds, per direction) give latitude and longitude, which the job's
// coordinate system turns into grid x and y; those can be appended to the
// job's library and "calcoord.dat". The scales and grid lines are kept in
// the job's "maptrans" settings file between runs.
#pragma once

#include "platform/framework/Afx.h"

class CMapTransDlg : public CDialog {
  public:
    explicit CMapTransDlg(CWnd* pParent = nullptr);

    // Latitude = grid line + fraction of the d.mm value as minutes +
    // (seconds / millimetres) x offset seconds; FALSE when a scale's
    // millimetres are below 1e-6.
    static BOOL SheetDegrees(double dm, double scaleMm, double scaleSeconds, double offsetMm,
                             double& degrees);

    CString m_strBSetMM, m_strBSetS, m_strLSetMM, m_strLSetS;
    CString m_strInputBDM, m_strBOffset, m_strInputLDM, m_strLOffset;
    CString m_strX, m_strY;
    CString m_strName = L"MAP";
    CString m_strCode;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnConvert();
    afx_msg void OnStore();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CString SettingsPath() const;
};
