// CDialogViewSavePoint: the point-measuring screen, a form view (template
// 15118) the frame puts in place of its current view. A small plan of the
// job's measured points and the points stored here, the live position
// marker, link indicator, north arrow, scale bar and fix time; read-outs of
// the point name, status, position, PDOP and RMS; a row of buttons (zoom,
// storage type, coordinate library, parameters, store, help, exit).
//
// On each fix the plan is drawn incrementally, straight into the plan
// control: the marker is drawn inverted (drawing it again removes it), the
// stored points only by a full repaint. The plan and read-outs are drawn
// into the child controls, so the view clips its children: invalidating it
// repaints them only through its own paint, and the drawing of button 1132
// (the last of the row) invalidates it once more, which puts the plan back
// over the controls' own painting without repainting them again.
//
// Points are stored through the store dialogs (store button, 'A', 'D') and
// automatically by time or distance (ScreenStore.h).
//
// Files: DialogViewSavePoint.cpp (messages, buttons, keys, stylus),
// DialogViewSavePointDraw.cpp (plan and read-outs).
#pragma once

#include "app/screens/PlanDrawing.h"
#include "app/screens/ScreenPoints.h"
#include "app/screens/ScreenStore.h"
#include "platform/base/Collections.h"
#include "platform/framework/Afx.h"
#include "platform/framework/FormView.h"
#include "pointdata/PointRecord.h"
#include "receiver/SurveyRecord.h"
#include "ui/ColorLabel.h"
#include "ui/OwnerDrawButton.h"

class CVendropDoc;

class CDialogViewSavePoint : public CFormView {
    DECLARE_DYNCREATE(CDialogViewSavePoint)
  public:
    static constexpr int kButtonCount = 10;
    static const int kButtonIds[kButtonCount];
    static const int kButtonIcons[kButtonCount];

    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The plan's mapping: the centre at the middle of control 1003.
    screens::PlanMapping Mapping() const;
    // The help text of button 1009.
    CString HelpText() const;
    // Extents of m_points; scale at least 0.01; nothing without points.
    void ZoomToAllPoints();
    // Reads the job's data file into m_points.
    void LoadPoints();

    CString m_strLoadedFile;
    BOOL m_bPointsLoaded = 0;  // the data file was read since the screen or the file changed
    CColorLabel m_plan;
    COwnerDrawButton m_buttons[kButtonCount];
    CButton m_btnDefault;
    CString m_strStatusText;
    CString m_strName, m_strX, m_strY, m_strH, m_strStatus;
    CString m_strPdop, m_strRms;
    BYTE m_bBlink = 1;
    double m_dPrevN = 0.0, m_dPrevE = 0.0;
    BOOL m_bPrevSet = 0;
    double m_dScale = 1.0;
    double m_dCentreN = 0.0, m_dCentreE = 0.0;
    screens::Marker m_marker;
    CRect m_rcDraw;
    CPoint m_ptLast{-1, -1};
    CPoint m_ptBand{-1, -1};
    CPoint m_ptUp{-1, -1}, m_ptDown{-1, -1};
    BOOL m_bZoomWindow = 0;
    CArray<PointRecord> m_points;
    CArray<ScreenPointRecord> m_screenPoints;
    HICON m_hIcon = nullptr;
    BOOL m_bHaveFix = 0;
    int m_nKeySecond = 0, m_nKeyMinute = -1;
    SurveyRecord m_fix;

  protected:
    CDialogViewSavePoint();
    ~CDialogViewSavePoint() override;
    void DoDataExchange(CDataExchange* pDX) override;

    static CVendropDoc* Doc();
    void ResetPlan();
    CRect PlanClient() const;
    // A store road's end: the point in m_points when stored.
    [[nodiscard]] BOOL Store(screens::StoreRoad road);

    // Drawing (DialogViewSavePointDraw.cpp).
    void FormatReadouts();
    void DrawReadout(int id, const CString& text, int width, bool rightAligned);
    void DrawLiveReadouts();
    void DrawStatusReadout();
    void DrawPlanFix();
    void DrawNoDataIndicator();
    // The link indicator on the plan, with the link level's bars or none.
    void DrawLink(HDC hdc, bool bars);
    void DrawStoredPoint(const PointRecord& point);
    void DrawBand(CPoint from, CPoint to);

    afx_msg LRESULT OnPositionUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomWindow();
    afx_msg void OnZoomAll();
    afx_msg void OnStoreType();
    afx_msg void OnCoordLibrary();
    afx_msg void OnParameters();
    afx_msg void OnStoreButton();
    afx_msg void OnHelp();
    afx_msg void OnExit();
    DECLARE_MESSAGE_MAP()

  private:
    screens::PlanFonts m_fonts;
};
