// CPostProcOutputDlg (template 15261): the wizard's last page. It shows the
// raw file, offers the result formats (the two fixed ones, then the
// document's user-defined formats, which its buttons add, edit and delete,
// writing "dealformat.fmt" after each change) and runs the job on
// "开始改正": the recompute (mode 1 only), the raw file's stored points,
// the result files, "综合后处理完成", and the names of the files written
// in edit 1195. A raw file that cannot be read, or a result that could not
// be written, ends the run without the completion message.
#pragma once

#include "app/postproc/PostProcJob.h"
#include "app/postproc/PostProcPages.h"
#include "platform/framework/Afx.h"

class CVendropDoc;

class CPostProcOutputDlg : public CPostProcPage {
  public:
    CPostProcOutputDlg();

    // Copied from the earlier steps when step 4 is entered.
    void TakeSteps(int nMode, int nSource, const CString& strCotPath, const CString& strRawPath);

    int m_nSource = 0;
    int m_nMode = 0;
    CString m_strCotPath;
    CString m_strRawPath;   // edit 1196
    CString m_strResults;   // edit 1195
    double m_dDatum = 0.0;  // edit 1204
    int m_nFormat = 0;      // combo 1091
    CPostProcJob m_job;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnFormatChanged();
    afx_msg void OnNewFormat();
    afx_msg void OnEditFormat();
    afx_msg void OnDeleteFormat();
    afx_msg void OnStart();
    DECLARE_MESSAGE_MAP()

  private:
    CString FormatFilePath() const;
    void SaveFormats();
    [[nodiscard]] BOOL RunJob();

    CVendropDoc* m_pDoc = nullptr;
    CPostProcBoxes m_boxes;
    CComboBox m_combo;
};
