// CTimeZoneDlg: the hours added to UTC for the local time of a fix
// (template 15249); any whole number is taken.
#pragma once

#include "platform/framework/Afx.h"

class CTimeZoneDlg : public CDialog {
  public:
    explicit CTimeZoneDlg(CWnd* pParent = nullptr);

    int m_nTimeZone = 8;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
