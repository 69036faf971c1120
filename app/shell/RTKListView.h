// CRTKListView: a report list view with grid lines and whole-row
// selection, shown by the frame's view command 32782 with four sample
// columns and one sample row.
#pragma once

#include "platform/framework/ListView.h"

class CRTKListView : public CListView {
    DECLARE_DYNCREATE(CRTKListView)
  public:
    void OnInitialUpdate() override;

  protected:
    CRTKListView() = default;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
