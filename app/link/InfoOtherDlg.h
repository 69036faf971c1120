// CInfoOtherDlg: the information display's last page: up to 15 lines of
// text that the opener hands over, one a row from the top.
#pragma once

#include "app/link/InfoPage.h"

class CInfoOtherDlg : public CInfoPage {
  public:
    static constexpr int kLines = 15;

    // The opener's text, lines separated by LF; set before the page is
    // created.
    CString m_strText;

  protected:
    BOOL OnInitDialog() override;
};
