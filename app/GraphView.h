// CGraphView: the plan view, the splitter's upper pane. This is the least
// the shell needs of it until the graphics land: it registers itself with
// the frame, takes the plan origin and scale (code 0 of WM_GRAPH_COMMAND)
// and copies them into the frame, copies positions and depths, and paints
// white.
#pragma once

#include "app/recording/SounderTypes.h"
#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CGraphView : public CView {
    DECLARE_DYNCREATE(CGraphView)
  public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    double m_dOriginNorth = 0.0;
    double m_dOriginEast = 0.0;
    double m_dScale = 1.0;
    SurveyRecord m_fix;
    SounderDepthBlock m_depth;

  protected:
    CGraphView() = default;
    afx_msg LRESULT OnGraphCommand(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGpsPosition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSounderDepth(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
