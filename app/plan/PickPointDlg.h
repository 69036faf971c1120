// CPickPointDlg (dialog 15162 "图形选点"): takes a point from a coordinate
// file by tapping it on a plan. It opens the job's coordinate library
// (<job>.lib) by default, can open any measured-point (*.dat) or library
// (*.lib) file, draws the points north-up with labels and a scale, zooms
// and pans, shows the tapped point and hands it back with GetPickedPoint.
//
// The plan is drawn on the plan control's own surface (after the control
// has painted itself); every position is kept in the dialog's client
// coordinates, where the stylus reports.
#pragma once

#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"
#include "ui/OwnerDrawButton.h"

class CPickPointDlg : public CDialog {
  public:
    explicit CPickPointDlg(CWnd* pParent = nullptr);

    // FALSE when nothing was picked; else the picked point and TRUE.
    BOOL GetPickedPoint(PointRecord& point) const;
    void SetHint(const CString& text);
    // Appends the points of a file of the current kind.
    void LoadPointFile(const CString& path);

    // For the tests and the owner: where a point is drawn now (dialog
    // client coordinates), and how many points are loaded.
    POINT ScreenPointOf(int index) const;
    int PointCount() const { return static_cast<int>(m_north.size()); }
    double Scale() const { return m_dScale; }

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnOpen();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomWindow();
    afx_msg void OnZoomAll();
    DECLARE_MESSAGE_MAP()

    void ZoomAll();
    void ComputeScreenPoints();
    CRect PlanControlRect() const;  // the control in dialog coordinates
    void PrepareOnPlan(CDC& dc) const;
    void DrawSelection(CDC& dc, const RECT& square);
    void DrawBand(CDC& dc, CPoint corner);

    int m_nFileKind = 0;  // 0 measured-point file, 1 coordinate library
    CString m_strDefaultFile;
    int m_nPicked = 0;
    int m_nPickedIndex = -1;
    RECT m_rcSelection{-1, -1, -1, -1};
    CPoint m_ptDrag{-1, -1};
    CPoint m_ptBand{-1, -1};
    CPoint m_ptUp{-1, -1};
    CPoint m_ptDown{-1, -1};
    int m_bZoomWindow = 0;
    double m_dE0 = 0.0;
    double m_dN0 = 0.0;
    double m_dScale = 50.0 / 200.0;  // about 50 m across until a file is shown
    CRect m_rcPlan;
    std::vector<double> m_north, m_east, m_height;
    std::vector<CString> m_names, m_codes;
    std::vector<POINT> m_screen;
    COwnerDrawButton m_btnZoomOut, m_btnZoomIn, m_btnWindow, m_btnAll;
    CString m_strInfo;
    CString m_strPath;
    CString m_strScale;
    HICON m_hIcon = nullptr;
};
