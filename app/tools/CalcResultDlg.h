// CCalcResultDlg (page 15174): the result page of the six plane tools. The
// tool dialog gives it the result text (lines ending in CR LF) and, for a
// point-producing tool, the computed point, which button 1094 "存入坐标库"
// appends to the job's coordinate library and to "calcoord.dat".
#pragma once

#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"

class CCalcResultDlg : public CDialog {
  public:
    explicit CCalcResultDlg(CWnd* pParent = nullptr);

    // Shows or hides the store button; FALSE for the tools without a point.
    void SetHasResult(BOOL bHasResult);
    // A new result: its text, whether it is valid, and the page redrawn.
    void SetResult(const CString& text, BOOL bValid);

    BOOL m_bHasResult = TRUE;
    BOOL m_bResultValid = FALSE;
    CString m_strResult;
    PointRecord m_point;  // name "ResultP", h 0, code "00000000"

    static constexpr int kLines = 10;
    CString m_strLines[kLines];

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg void OnPaint();
    afx_msg void OnSaveToLibrary();
    DECLARE_MESSAGE_MAP()

    // The statics' texts from the result (or the failure text).
    void SplitResult();
};
