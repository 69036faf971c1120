// CVendropView: the navigation view, the bare plan the frame's toggle puts
// in place of the point-measuring screen. On each fix it draws the scale
// bar, the position marker, the north arrow and the fix time straight onto
// its window, with the reference point of its mapping at the bottom-left
// corner; it stores points from the keyboard and collects automatically
// like the point-measuring screen, but shows no stored point. Its repaint
// draws nothing: a pan blanks it until the next fix.
#pragma once

#include "app/screens/PlanDrawing.h"
#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CVendropDoc;

class CVendropView : public CView {
    DECLARE_DYNCREATE(CVendropView)
  public:
    static constexpr UINT_PTR kTimerId = 111;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    // The view's own keys: 'A' for A, Delete and Left; 'B' for B, PgUp and
    // Up; 0 for the others.
    static int MapNavigationKey(WPARAM virtualKey);
    screens::PlanMapping Mapping() const;

    CRect m_rcDraw;
    CPoint m_ptLast{-1, -1};
    BOOL m_bZoomWindow = 0;
    double m_dCentreE = 0.0, m_dCentreN = 0.0;
    double m_dScale = 1.0;
    BOOL m_bScaleSet = 0;  // the initial scale waits for the first size
    CRect m_rcClient;
    screens::Marker m_marker;
    double m_dPrevN = 0.0, m_dPrevE = 0.0;
    BOOL m_bPrevSet = 0;
    BOOL m_bHaveFix = 0;
    int m_nKeySecond = 0, m_nKeyMinute = -1;
    SurveyRecord m_fix;

  protected:
    CVendropView() = default;
    static CVendropDoc* Doc();
    void TakeClientRect();

    afx_msg LRESULT OnPositionUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

  private:
    screens::PlanFonts m_fonts;
};
