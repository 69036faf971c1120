// CDataConvertModeDlg: what the result conversion does (template 15240):
// 0 convert a result file into another format, 1 make a result file from
// a raw RTK file, 2 make a raw RTK file from a result file.
#pragma once

#include "platform/framework/Afx.h"

class CDataConvertModeDlg : public CDialog {
  public:
    explicit CDataConvertModeDlg(CWnd* pParent = nullptr);

    int m_nMode = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
