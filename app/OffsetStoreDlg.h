// COffsetStoreDlg: the offset store dialog (template 235), which stores a
// point at a distance and direction from the current position. The caller
// sets the status line and whether the code follows the name, runs it and
// reads m_bStored; the dialog writes the point itself.
//
// Until the point libraries bring the whole dialog this shows the status
// line and the proposed name and closes without storing (m_bStored 0).
#pragma once

#include "platform/framework/Afx.h"

class COffsetStoreDlg : public CDialog {
  public:
    explicit COffsetStoreDlg(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;

    BOOL m_bCodeIsName = 0;
    CString m_strStatus;
    BOOL m_bStored = 0;
};
