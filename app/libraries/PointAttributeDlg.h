// CPointAttributeDlg (dialog 15120 "点属性"): whether a control point
// takes part in the plane transformation and in the height correction.
#pragma once

#include "platform/framework/Afx.h"

class CPointAttributeDlg : public CDialog {
  public:
    explicit CPointAttributeDlg(CWnd* pParent = nullptr);

    BOOL m_bUsePlane = FALSE;
    BOOL m_bUseHeight = FALSE;
    CString m_strName;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
