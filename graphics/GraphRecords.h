// The drawing layer of the plan view: its records (points of the track and
// stored points, placed texts, survey lines), the three sub-layers and the
// layer that holds them. The layout engine exchanges CNamedPoint lists with
// it.
#pragma once

#include <vector>

#include "platform/framework/Afx.h"

// x is grid north, y grid east (metres); h is carried along, never drawn
// nor stored in the drawing files.
struct CNamedPoint {
    CString m_strName;
    double m_dX = 0.0;
    double m_dY = 0.0;
    double m_dH = 0.0;
};

struct CNamedSegment {
    CNamedPoint m_ptStart;
    CNamedPoint m_ptEnd;
};

struct CGraphLine {
    CString m_strName;
    CNamedPoint m_ptStart;
    CNamedPoint m_ptEnd;
    int m_nStartX = 0, m_nStartY = 0;  // pixels, recomputed before every drawing
    int m_nEndX = 0, m_nEndY = 0;
    COLORREF m_crPen = 0;
    int m_nPenWidth = 1;
    int m_nPenStyle = 0;  // PS_SOLID
    COLORREF m_crText = 0;
    BOOL m_bOnScreen = FALSE;
};

struct CGraphText {
    CString m_strFace;  // empty: the default face
    int m_nSize = 12;   // the font is m_nSize + 3 pixels high
    BOOL m_bBold = FALSE;
    double m_dAngle = 0.0;  // degrees, counter-clockwise
    COLORREF m_crColor = 0;
    CNamedPoint m_ptAnchor;
    int m_nScreenX = 0, m_nScreenY = 0;
    CString m_strText;
    BOOL m_bOnScreen = FALSE;
};

// A track epoch or a stored point. The coordinates are converted from the
// raw file's text once, when the point is read.
struct CGraphPoint {
    CString m_strName;
    CString m_strDate;
    CString m_strTime;
    double m_dX = 0.0;  // north
    double m_dY = 0.0;  // east
    double m_dH = 0.0;
    int m_nScreenX = 0, m_nScreenY = 0;
    int m_nSymbol = 1;  // 0 stored point (circle and name), 1 track dot, else not drawn
    BOOL m_bOnScreen = FALSE;
};

// Only the newest points of the track are drawn (and projected).
constexpr size_t kDrawnTrackPoints = 1800;

class CGraphPointSet {
  public:
    virtual ~CGraphPointSet() = default;
    void Draw(CDC* pDC) const;
    BOOL m_bVisible = TRUE;
    std::vector<CGraphPoint> m_items;
};

class CGraphTextSet {
  public:
    virtual ~CGraphTextSet() = default;
    void Draw(CDC* pDC) const;
    BOOL m_bVisible = TRUE;
    std::vector<CGraphText> m_items;
};

class CGraphLineSet {
  public:
    virtual ~CGraphLineSet() = default;
    void Draw(CDC* pDC) const;
    BOOL m_bVisible = TRUE;
    std::vector<CGraphLine> m_items;
};

class CGraphLayer : public CObject {
    DECLARE_DYNAMIC(CGraphLayer)
  public:
    CGraphLayer() = default;
    ~CGraphLayer() override = default;
    void Serialize(CArchive&) override {}

    // Texts, then points, then lines: lines lie on top.
    void Draw(CDC* pDC) const;

    CGraphPointSet m_points;
    CGraphTextSet m_texts;
    CGraphLineSet m_lines;
    CString m_strName;
};

// One record drawn in its set's style, for the live updates that draw
// straight to the window. The point style expects the point set's font and
// text mode, which DrawPointNow selects itself.
void DrawGraphPoint(CDC* pDC, const CGraphPoint& point);
void DrawPointNow(CDC* pDC, const CGraphPoint& point);
void DrawGraphText(CDC* pDC, const CGraphText& text);
