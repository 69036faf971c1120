// CGraphView: the plan view, the splitter's upper pane. It shows the job's
// drawing layer (track and stored points, placed texts, survey lines) in
// grid coordinates with the live position, a scale bar, the window's
// origin, a north arrow, the link indicator and the time of the last fix;
// the frame's graph commands, the stylus and two hot keys drive it.
//
// GraphView.cpp: creation, painting, decorations, live updates.
// GraphViewCommands.cpp: graph commands, zooms, drawing files, stylus, keys.
// GraphViewLayouts.cpp: the four survey-line layouts.
#pragma once

#include <memory>
#include <vector>

#include "app/recording/SounderTypes.h"
#include "graphics/GraphRecords.h"
#include "graphics/GridMapping.h"
#include "platform/framework/Afx.h"
#include "receiver/SurveyRecord.h"

class CVendropDoc;

class CGraphView : public CView {
    DECLARE_DYNCREATE(CGraphView)
  public:
    ~CGraphView() override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    POINT WorldToScreen(double north, double east) const {
        return Mapping().WorldToScreen(north, east);
    }
    void ScreenToWorld(int x, int y, double& north, double& east) const {
        Mapping().ScreenToWorld(x, y, north, east);
    }
    void EnsureVisible(double north, double east, BOOL bRepaint);
    void ZoomAll();
    // Both drawing files of the job folder; FALSE when either was not written.
    [[nodiscard]] BOOL SaveGraphics(const CString& jobDir);
    [[nodiscard]] BOOL SaveTextLayer(const CString& jobDir);
    [[nodiscard]] BOOL SaveLineLayer(const CString& jobDir);
    void LoadTextLayer(const CString& jobDir, CGraphLayer& layer);
    void LoadLineLayer(const CString& jobDir, CGraphLayer& layer);
    void LoadTrackFile(CGraphLayer& layer);
    void ClearLayout();
    void OnAreaLayout();
    void OnChannelLayout();
    void OnParallelLayout();
    void OnPerpLayout();

    std::vector<std::unique_ptr<CGraphLayer>> m_layers;
    double m_dOriginE = 0.0;
    double m_dOriginN = 0.0;
    double m_dScale = 1.0;
    CRect m_rcDraw;
    SurveyRecord m_fix;
    SounderDepthBlock m_depth;
    BOOL m_bHaveData = FALSE;
    BOOL m_bBlink = TRUE;
    std::vector<POINT> m_glyph;
    double m_dPrevN = 0.0;
    double m_dPrevE = 0.0;

    BOOL m_bZoomWindow = FALSE;
    BYTE m_bAreaDelete = 0;
    int m_nTool = 0;
    CPoint m_ptDown{0, 0};
    CPoint m_ptBand{-1, -1};
    CPoint m_ptDrag{-1, -1};
    std::vector<int> m_selLines;
    std::vector<int> m_selTexts;
    int m_nKeyMinute = -1;
    int m_nKeySecond = 0;

  protected:
    CGraphView();
    CVendropDoc* Doc() const;
    GridMapping Mapping() const;
    CGraphLayer* FirstLayer() { return m_layers.empty() ? nullptr : m_layers.front().get(); }
    void CopyWindowToFrame();

    void DrawScaleBar(CDC* pDC);
    void DrawNorthArrow(CDC* pDC);
    void DrawLinkIndicator(CDC* pDC, BOOL bBars);
    void DrawGlyph(CDC* pDC, double north, double east);
    void EraseGlyph(CDC* pDC);
    void DrawFixTime(CDC* pDC);

    void ApplyZoom(double factor);
    void SetWindowAround(const CRect& band);
    void DeleteInArea(const CRect& band);
    void DrawBand(CDC* pDC, CPoint corner);
    void PlaceText(CPoint at);
    void StoreCurrentPoint();
    void AddLine(const CNamedPoint& a, const CNamedPoint& b, const CString& name, COLORREF pen);
    void FinishLayout();

    afx_msg LRESULT OnGraphCommand(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPositionUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSounderDepth(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
