// CFourParamDlg (dialog 147 "设置四参数"): the job's plane four
// parameters, the rotation as packed dd.mmssssss. It reads the document
// when it opens; the four-parameter command (and the four-parameter
// calculation) take the members over after IDOK.
#pragma once

#include "app/coordsys/ParamFields.h"
#include "platform/framework/Afx.h"

// The enable check is 1105.
class CFourParamDlg : public CDialog, public FourParamFields {
  public:
    explicit CFourParamDlg(CWnd* pParent = nullptr);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};
