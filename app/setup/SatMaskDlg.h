// CSatMaskDlg: the elevation mask (template 162), in whole degrees. OK
// accepts only 0..89; the opener sends the mask to the receiver and stores
// it in the settings.
#pragma once

#include "platform/framework/Afx.h"

class CSatMaskDlg : public CDialog {
  public:
    explicit CSatMaskDlg(CWnd* pParent = nullptr);

    int m_nGAngle = 0;  // degrees

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
