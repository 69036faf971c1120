// CSevenParamDlg (dialog 148 "设置七参数"): the job's seven datum
// parameters, rotations in arc-seconds and the scale in ppm. It reads the
// document when it opens; the seven-parameter command (and the
// seven-parameter calculation) take the members over after IDOK.
#pragma once

#include "app/coordsys/ParamFields.h"
#include "platform/framework/Afx.h"

// The enable check is 1035.
class CSevenParamDlg : public CDialog, public SevenParamFields {
  public:
    explicit CSevenParamDlg(CWnd* pParent = nullptr);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};
