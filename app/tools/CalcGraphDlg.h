// CCalcGraphDlg (page 15175): the graph page of the six plane tools. The
// tool dialog fills the plotted points (given points first; points 0-1 and
// 2-3 are the lines drawn), then calls StartTimer and ZoomAll. Every press,
// in window-zoom mode too, shows the coordinates of the point under it; the
// stylus pans, or draws the window of a window zoom; four buttons zoom.
#pragma once

#include <vector>

#include "app/tools/ToolPlan.h"
#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CCalcGraphDlg : public CDialog {
  public:
    explicit CCalcGraphDlg(CWnd* pParent = nullptr);

    void ClearPoints();
    void AddPoint(const CString& name, double x, double y);
    // Kills a running redraw timer and starts timer 1 with 100 ms.
    void StartTimer();
    void ZoomAll();

    // Plotted points, parallel arrays.
    std::vector<double> m_x, m_y, m_h;
    std::vector<CString> m_names, m_attrs;
    std::vector<CPoint> m_screen;

    tools::PlanView m_view;
    tools::PlanDrag m_drag;
    int m_nSelected = -1;
    CPoint m_square{-1, -1};
    UINT_PTR m_nTimer = 0;
    int m_nPaints = 0;
    CString m_strInfo;
    CString m_strScale;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // A second tap on the same spot comes as a double click: it is a tap.
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnZoomAll();
    afx_msg void OnZoomWindow();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    DECLARE_MESSAGE_MAP()

    void UpdateDrawingRect();
    void Draw(CDC& dc);
    void DrawScaleBar(CDC& dc);
    void Select(int index);

    COwnerDrawButton m_buttons[4];
};
