// CDataView: the sounding-data view, the splitter's lower pane: the
// read-out of a hydrographic run as labelled values (position, water
// depth, survey line and point name, speed, satellites, solution status,
// RMS) on a black panel.
//
// It is refreshed by the frame's positions (WM_GPS_POSITION) and by a
// one-second timer (2005) that also takes the echo sounder's depths
// (WM_SOUNDER_DEPTH); while the program measures depth only, the timer
// writes one line to the depth-only file every dDeepInterTime new depths.
// Its keys store the current point (A), open the measured-point library
// (B twice within 3 seconds of one clock minute) and switch the position
// between grid and geodetic values (6).
//
// The panel: three groups (位置, 测量, 解算) with their titles written
// downwards in an 18-pixel column; each row 18 pixels high holds two
// label/value pairs (label 37 pixels, value 80 pixels) where both fit the
// pane's width, else one; the panel scrolls when it is taller than the
// pane.
//
// Sections: DataView.cpp (creation, messages, timer, values),
// DataViewPanel.cpp (drawing), DataViewKeys.cpp (keys).
#pragma once

#include "app/recording/SounderTypes.h"
#include "platform/base/Collections.h"
#include "platform/framework/Afx.h"
#include "platform/framework/ScrollView.h"
#include "receiver/DepthSample.h"
#include "receiver/SurveyRecord.h"

class CVendropDoc;

class CDataView : public CScrollView {
    DECLARE_DYNCREATE(CDataView)
  public:
    static constexpr UINT_PTR kTimerId = 2005;
    static constexpr int kTitleWidth = 18;
    static constexpr int kRowHeight = 18;
    static constexpr int kLabelWidth = 37;
    static constexpr int kValueWidth = 80;
    // The value's text starts this far into its cell, past the line.
    static constexpr int kValueInset = 2;
    static constexpr int kFontPoints = 10;  // the panel font, "宋体"

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // "%3d:%02d:%06.4f" of the degrees, minutes and seconds of |angle|;
    // seconds within 0.0001 of 60 carry into the minutes, and 60 minutes
    // into the degrees.
    static CString FormatDegMinSec(double angle);
    // The text under a panel label; empty for a label without one.
    CString ValueOf(LPCTSTR label) const;
    // Label/value pairs a row in a pane `width` pixels wide: two where both
    // lie wholly in it, else one.
    static int PairsPerRow(int width);
    // The panel's size in a pane `width` pixels wide.
    CSize PanelSize(int width) const;

    SurveyRecord m_fix;     // the last fix received
    int m_nKeyMinute = -1;  // the last key-B press; minute -1: none
    int m_nKeySecond = 0;
    CMapStringToString m_values;  // panel label -> text shown
    CStringArray m_panelRows;     // "TITLE:..." and "CONTENT:..." rows in order
    SounderDepthBlock m_depth;    // the last depth block received
    CRect m_rcClient;
    COLORREF m_crLine = RGB(0, 130, 90);
    COLORREF m_crBack = RGB(0, 0, 0);
    COLORREF m_crTitle = RGB(255, 130, 0);
    COLORREF m_crContent = RGB(0, 255, 0);
    int m_nFontSize = kFontPoints;
    CString m_strFontFace = L"宋体";
    int m_nIntervalCount = 0;  // new depths towards the next depth-only line
    BOOL m_bGeodetic = 0;      // 1: latitude, longitude, ellipsoidal height

  protected:
    CDataView();
    afx_msg LRESULT OnNewRecord(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSounderDepth(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

  private:
    static CVendropDoc* Doc();
    void BuildPanelRows();
    void ResetValues();
    void ShowStatusOnly(UINT nStringId);
    void FillPositionValues();
    CString LineName() const;
    void WriteDepthLine();
    // Keys (DataViewKeys.cpp).
    void StoreCurrentPoint();
    void OpenLibraryOnSecondB();
    // Drawing (DataViewPanel.cpp).
    void DrawPanel(CDC& dc);
    void DrawGroup(CDC& dc, int top, const CString& title, const CStringArray& labels);
};
