// CEditCtrlPointDlg (dialog 131 "编辑点"): one control point's name, known
// and source coordinates as texts, each part also taken from the
// coordinate library (1050 known, 1038 source). A separator in any text is
// refused on OK, as in the first step of adding a point.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CEditCtrlPointDlg : public CDialog {
  public:
    explicit CEditCtrlPointDlg(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strKnownX;
    CString m_strKnownY;
    CString m_strKnownH;
    CString m_strSrcX;
    CString m_strSrcY;
    CString m_strSrcH;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPickKnown();
    afx_msg void OnPickSource();
    DECLARE_MESSAGE_MAP()

    COwnerDrawButton m_btnKnown;
    COwnerDrawButton m_btnSource;
};
