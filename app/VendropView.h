// CVendropView: the main view of the document template, the survey screen
// the view commands switch to. Until the survey screens land it is blank:
// it registers as the screen that receives positions and keeps the last.
#pragma once

#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CVendropView : public CView {
    DECLARE_DYNCREATE(CVendropView)
  public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    SurveyRecord m_fix;

  protected:
    CVendropView() = default;
    afx_msg LRESULT OnGpsPosition(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
