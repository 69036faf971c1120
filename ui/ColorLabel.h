// CColorLabel: a static text in its own font and colours: the value fields
// and plan areas of the survey and stake-out screens, which give it a white
// background. The parent's WM_CTLCOLORSTATIC is reflected to the label,
// which selects its font (a copy of the system font), sets its text colour
// and a transparent background, and hands back its own brush.
//
// The label owns its brush and font.
#pragma once

#include "platform/framework/Afx.h"

class CColorLabel : public CStatic {
  public:
    CColorLabel();
    ~CColorLabel() override;

    // Replaces the background brush by a solid brush of the colour.
    CColorLabel& SetBkColor(COLORREF crBkgnd);

  protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

  private:
    COLORREF m_crText;
    HBRUSH m_hBrush;
    LOGFONT m_lf{};
    CFont m_font;
};
