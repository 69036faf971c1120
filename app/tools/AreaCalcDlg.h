// CAreaCalcDlg (dialog 143 "面积计算"): loads the points of a point file,
// shows them on a small plan, lets the surveyor build a polygon of them
// (taps in append or insert mode, all points at once, deleting vertices)
// and computes its perimeter and area, shown in the dialog and appended as
// a report beside the point file (A.dat gives A.txt).
//
// Files: the data, the buttons and the computation (AreaCalcDlg.cpp); the
// plan and the stylus (AreaCalcPlan.cpp).
#pragma once

#include <vector>

#include "app/tools/ToolPlan.h"
#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CAreaCalcDlg : public CDialog {
  public:
    explicit CAreaCalcDlg(CWnd* pParent = nullptr);

    // Replaces the loaded points and empties the polygon.
    void LoadPointFile();

    // Loaded points, file order.
    std::vector<double> m_ptX, m_ptY, m_ptH;
    std::vector<CString> m_ptName, m_ptCode;
    // The polygon's vertices in order; list 1018 shows their names.
    std::vector<double> m_polyX, m_polyY;
    std::vector<CString> m_polyName;

    BOOL m_bAppend = FALSE;
    BOOL m_bInsert = FALSE;
    int m_nInsertPos = -1;
    int m_nListIndex = -1;
    BOOL m_bAllSelected = FALSE;

    tools::PlanView m_view;
    std::vector<CPoint> m_screen;
    CPoint m_square{-1, -1};
    tools::PlanDrag m_drag;

    CString m_strFile;
    CString m_strResult;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnOpenFile();
    afx_msg void OnCompute();
    afx_msg void OnAppendMode();
    afx_msg void OnAllPoints();
    afx_msg void OnInsertMode();
    afx_msg void OnDeleteVertex();
    afx_msg void OnListSelect();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomWindow();
    afx_msg void OnZoomAll();
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // A second tap on the same spot comes as a double click: it is a tap.
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    void ClearPolygon();
    void AddVertex(int nPoint, int nAt);
    void ZoomAllPoints();
    void UpdatePlanRect();
    void ShowResult(const CString& text);
    void TapPoint(int nPoint);
    void DrawEdge(int nFrom, int nTo);
    // The report block; FALSE when it could not be written.
    [[nodiscard]] BOOL AppendReport(const tools::AreaResult& r);

    CListBox m_list;
    COwnerDrawButton m_buttons[10];
};
