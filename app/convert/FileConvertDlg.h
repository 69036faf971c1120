// CFileConvertDlg (dialog 175 "文件格式转换输出"): converts a point data
// file of the job into one of nine exchange formats (PointFileConverter.h).
//
// The source and target are chosen with the two buttons beside their
// display-only edits, in the job's data folder; the source button works
// only when the document's dialog context is 15, as both commands that
// open the dialog set it. "转换" converts and keeps the dialog open;
// "退出" puts the dialog context back to 11.
#pragma once

#include "platform/framework/Afx.h"

class CFileConvertDlg : public CDialog {
  public:
    explicit CFileConvertDlg(CWnd* pParent = nullptr);

    // Converts `strSource` into `strTarget` in `nFormat` (1..9) and tells
    // the user the outcome. Always TRUE.
    BOOL Convert(const CString& strSource, const CString& strTarget, int nFormat);

    int m_nFormat = 0;  // combo index: the format less 1
    CString m_strTarget;
    CString m_strSource;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnBrowseSource();
    afx_msg void OnBrowseTarget();
    afx_msg void OnConvert();
    afx_msg void OnSelChangeFormat();
    DECLARE_MESSAGE_MAP()
};
