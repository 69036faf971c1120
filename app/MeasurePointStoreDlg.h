// CMeasurePointStoreDlg: the measured-point store dialog (template 234)
// through which a screen confirms one measured point. The caller sets the
// status line and whether the code follows the name, runs it, and on IDOK
// reads the point's name, code and (vertical) antenna height.
//
// This is the least the callers need until the point libraries bring the
// whole dialog (smoothing, precision question, slant heights): it proposes
// the document's next point name, its point code and the settings'
// antenna height, and hands back what was typed.
#pragma once

#include "platform/framework/Afx.h"

class CMeasurePointStoreDlg : public CDialog {
  public:
    explicit CMeasurePointStoreDlg(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;

    // In.
    BOOL m_bCodeIsName = 0;
    CString m_strStatus;
    // Out (the name and code as typed, the antenna height in metres).
    CString m_strName;
    CString m_strCode;
    double m_dAntHeight = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
