// CGGGView: the blank start view of view command 32774.
#pragma once

#include "platform/framework/Afx.h"

class CGGGView : public CView {
    DECLARE_DYNCREATE(CGGGView)
  public:
    void OnDraw(CDC* pDC) override;

  protected:
    CGGGView() = default;
};
