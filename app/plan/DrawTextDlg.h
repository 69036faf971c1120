// CDrawTextDlg: content, size, angle and colour of a text the plan view
// places where the stylus tapped, with a sample in the chosen colour.
#pragma once

#include "platform/framework/Afx.h"

class CDrawTextDlg : public CDialog {
  public:
    explicit CDrawTextDlg(CWnd* pParent = nullptr);
    ~CDrawTextDlg() override = default;

    int m_nAngle = 0;  // degrees; preset by the caller
    int m_nSize = 12;
    COLORREF m_crColor = 0;
    CString m_strAngle;
    CString m_strSize;
    CString m_strContent;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnColor();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

// The sample shown in the preview.
inline constexpr const wchar_t* kDrawTextSample = L"绘制文本示例效果";
