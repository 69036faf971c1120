// CGGGView: the blank view of the frame's own view command: one fixed
// banner line (string 61638) and nothing else.
#pragma once

#include "platform/framework/Afx.h"

class CGGGView : public CView {
    DECLARE_DYNCREATE(CGGGView)
  public:
    void OnDraw(CDC* pDC) override;

  protected:
    CGGGView() = default;
};
