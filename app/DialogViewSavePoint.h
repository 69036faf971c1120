// CDialogViewSavePoint: the point-store view. Until the survey screens land
// it is blank: it registers as the screen that receives positions and keeps
// the last.
#pragma once

#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CDialogViewSavePoint : public CView {
    DECLARE_DYNCREATE(CDialogViewSavePoint)
  public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    SurveyRecord m_fix;

  protected:
    CDialogViewSavePoint() = default;
    afx_msg LRESULT OnGpsPosition(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
