// CFileOpenModeDlg: whether points read into a library replace its rows or
// are added to them (template 15188). m_nResult: 0 overwrite (also when no
// button was pressed), 1 append, 2 cancelled.
#pragma once

#include "platform/framework/Afx.h"

class CFileOpenModeDlg : public CDialog {
  public:
    explicit CFileOpenModeDlg(CWnd* pParent = nullptr);

    int m_nResult = 0;

  protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

    afx_msg void OnOverwrite();
    afx_msg void OnAppend();
    DECLARE_MESSAGE_MAP()
};
