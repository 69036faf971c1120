// CLineStakeoutDlg (dialog 15150): the line stake-out screen. It guides
// the surveyor along a design line of the job's stake-out line library:
// the offset left or right of the line, the moves north/south and east/west
// back onto it, the distances from the start and to the end, the chainage
// of the foot (which becomes the next point's code); a north-up plan of the
// lines, the staked points and the live position, with guide lines beside
// the current line; the alarm near the line and at each whole chainage;
// and the storing of staked points into the survey files and the record
// file beside the library (.lnr).
//
// Run modally by the document. While open it is the frame's current view
// window; closing in any way gives the registration back.
//
// Files: lifecycle, positions, keys and storing (LineStakeoutDlg.cpp), the
// plan (LineStakeoutDlgPlan.cpp).
#pragma once

#include <vector>

#include "app/screens/ScreenPoints.h"
#include "app/stakeout/StakeoutFiles.h"
#include "app/stakeout/StakeoutPlan.h"
#include "app/stakeout/StakeoutReadouts.h"
#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"
#include "receiver/SurveyRecord.h"
#include "ui/ColorLabel.h"
#include "ui/OwnerDrawButton.h"

class CVendropDoc;

class CLineStakeoutDlg : public CDialog {
  public:
    explicit CLineStakeoutDlg(CWnd* pParent = nullptr);

    // The lines a library choice hands over, and the one picked.
    void ChooseLine(const std::vector<stakeout::StakeLine>& lines, int pickIndex,
                    const CString& libraryPath);

    // State the tests look at.
    BOOL HasLine() const { return m_bCurrentLine; }
    int LineIndex() const { return m_nLineIndex; }
    const stakeout::StakeLine& CurrentLine() const { return m_line; }
    const stakeout::LineSettings& Settings() const { return m_settings; }
    const std::vector<PointRecord>& RecordedPoints() const { return m_recorded; }
    const stakeout::PlanView& View() const { return m_view; }
    CString ReadoutText(int id) const;
    int PaintCount() const { return m_nPaints; }

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnPositionUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnZoomWindow();
    afx_msg void OnZoomAll();
    afx_msg void OnChooseLine();
    afx_msg void OnInfo();
    afx_msg void OnSettings();
    afx_msg void StorePoint();
    afx_msg void OnPointLibrary();
    DECLARE_MESSAGE_MAP()

  private:
    CVendropDoc* Doc() const;
    void Restore();
    void SaveSettings();
    void LoadLineFile(const CString& path);
    void LoadRecordFile(const CString& libraryPath);
    void ZoomToExtent();
    void UpdateReadouts();
    void Readout(int id, const CString& text);
    void StoreFromKey(BOOL bGeneral);
    void MoveLine(int step);
    void OpenLibraryOnSecondB();
    POINT ToPlan(CPoint dialogPoint) const;
    void DrawPositionMarker(CDC* dc, double n, double e);
    void DrawGuideLines(CDC* dc);

    double m_dAlong = 0.0;
    stakeout::LinePromptState m_prompt;
    CString m_strLineText;
    CString m_strStatusText;
    BYTE m_bBlink = 1;
    stakeout::LineSettings m_settings;
    int m_nLineIndex = -1;
    std::vector<double> m_chainages;
    std::vector<PointRecord> m_starts;
    std::vector<PointRecord> m_ends;
    std::vector<ScreenPointRecord> m_startScreen;
    std::vector<ScreenPointRecord> m_endScreen;
    std::vector<PointRecord> m_recorded;
    std::vector<ScreenPointRecord> m_recordedScreen;
    BOOL m_bCurrentLine = 0;
    stakeout::StakeLine m_line;
    RECT m_frame{};
    SurveyRecord m_fix;
    stakeout::MarkerShape m_marker;
    double m_dPrevN = 0.0, m_dPrevE = 0.0;
    BOOL m_bHasPrevious = 0;
    int m_nData = 0;
    stakeout::PlanView m_view;
    BOOL m_bZoomArmed = 0;
    POINT m_press{-1, -1};
    POINT m_band{-1, -1};
    POINT m_lastDrag{-1, -1};
    CColorLabel m_plan;
    COwnerDrawButton m_buttons[10];
    int m_nKeyMinute = -1;
    int m_nKeySecond = 0;
    HWND m_hPrevView = nullptr;
    BOOL m_bRegistered = 0;
    CString m_readouts[10];
    int m_nPaints = 0;
    BOOL m_bPainting = 0;
};
