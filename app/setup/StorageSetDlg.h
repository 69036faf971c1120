// CStorageSetDlg: the raw files of a measurement (template 15264): their
// base name and number, and how measured points are named. The data folder
// is only shown. A base name that a file name cannot hold is refused on OK:
// every epoch would go to a file that cannot be written.
#pragma once

#include "platform/framework/Afx.h"

class CStorageSetDlg : public CDialog {
  public:
    explicit CStorageSetDlg(CWnd* pParent = nullptr);

    CString m_szSFName;      // raw-file base name
    CString m_strDataDir;    // shown only
    long m_nSFStartID = 0;   // raw-file (line) number
    int m_nSFNameMode = -1;  // 0 standard, 1 continue the numbers, 2 line and number

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
