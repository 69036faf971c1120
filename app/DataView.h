// CDataView: the sounding-data view, the splitter's lower pane. Until the
// receiver's views land it only registers itself with the frame and copies
// the positions and depths it is sent.
#pragma once

#include "app/SounderTypes.h"
#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CDataView : public CView {
    DECLARE_DYNCREATE(CDataView)
  public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    SurveyRecord m_fix;
    SounderDepthBlock m_depth;

  protected:
    CDataView() = default;
    afx_msg LRESULT OnGpsPosition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSounderDepth(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
