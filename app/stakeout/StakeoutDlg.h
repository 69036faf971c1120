// CStakeoutDlg (dialog 15148): the point stake-out screen. It guides the
// surveyor to one design point of the job's stake-out point library: a
// north-up plan of the library and the staked points, the target with its
// prompt rings, the live position with a dashed line to the target; the
// offsets, azimuth and distance to walk; the alarm on coming within the
// prompt distance; and the storing of staked points into the job's survey
// files and the record file beside the library (.ptr).
//
// Run modally by the document with m_nStakeMode 1. While it is open it is
// the frame's current view window and takes the positions; closing (OK or
// any destruction) gives the registration back and m_nStakeMode 0.
//
// Files: lifecycle, positions, keys and storing (StakeoutDlg.cpp), the
// plan (StakeoutDlgPlan.cpp).
#pragma once

#include <vector>

#include "app/screens/ScreenPoints.h"
#include "app/stakeout/StakeoutFiles.h"
#include "app/stakeout/StakeoutPlan.h"
#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"
#include "receiver/SurveyRecord.h"
#include "ui/ColorLabel.h"
#include "ui/OwnerDrawButton.h"

class CVendropDoc;

class CStakeoutDlg : public CDialog {
  public:
    explicit CStakeoutDlg(CWnd* pParent = nullptr);

    // State the tests look at.
    const PointRecord& Target() const { return m_target; }
    BOOL HasTarget() const { return m_bTargetSet; }
    int TargetIndex() const { return m_nTargetIndex; }
    const std::vector<PointRecord>& StakePoints() const { return m_stakePoints; }
    const std::vector<PointRecord>& RecordedPoints() const { return m_recorded; }
    const stakeout::PointSettings& Settings() const { return m_settings; }
    const stakeout::PlanView& View() const { return m_view; }
    const CString& LibraryPath() const { return m_settings.curLayoutFileName; }

    // The texts of the read-outs as last drawn, by control id.
    CString ReadoutText(int id) const;

    // A target chosen by the library (button 1016): the screen's own
    // reading of the library's pick (row index into the rows with a name).
    void TakeLibraryChoice(const std::vector<PointRecord>& points, int pickedRow,
                           const CString& libraryPath);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnPositionUpdate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnWindowZoom();
    afx_msg void OnZoomAll();
    afx_msg void OnPointLibrary();
    afx_msg void OnSettings();
    afx_msg void OnHelp();
    afx_msg void OnRecordPoint();
    DECLARE_MESSAGE_MAP()

  private:
    CVendropDoc* Doc() const;
    void Restore();
    void LoadStakeFiles();
    void SaveSettings();
    void ZoomAll();
    void SetTarget(const PointRecord& p, int index);

    // Position and read-outs.
    void UpdateReadouts();
    void Readout(int id, const CString& text);

    // Storing.
    BOOL NeedsPosition();
    CString StoreStatus();
    void StoreStakedPoint(BOOL bFromButton, BOOL bArmRepaint);
    void StoreGeneralPoint();
    void RecordStakedPoint();
    void OpenLibraryOnSecondB();
    void MoveTarget(int step);
    void TakeSelected();
    void FindPoint();

    // Plan.
    RECT PlanRect() const;
    POINT ToPlan(CPoint dialogPoint) const;
    void MoveMarker(CDC* dc, double n, double e);
    void DrawTarget(CDC* dc);
    void DrawPromptRings(CDC* dc);
    void DrawSelection(CDC* dc);

    CString m_strNameText;
    CString m_strStatusText;
    BOOL m_bBlink = 1;
    int m_nTargetIndex = -1;
    RECT m_frame{};
    SurveyRecord m_fix;
    double m_dLastN = 0.0, m_dLastE = 0.0;
    BOOL m_bLastDrawn = 0;
    BOOL m_bTargetSet = 0;
    PointRecord m_target;
    std::vector<PointRecord> m_stakePoints;
    std::vector<ScreenPointRecord> m_stakeScreen;
    std::vector<PointRecord> m_recorded;
    std::vector<ScreenPointRecord> m_recordedScreen;
    stakeout::MarkerShape m_marker;
    double m_dPrevN = 0.0, m_dPrevE = 0.0;
    BOOL m_bHasPrevious = 0;
    BOOL m_bPositionValid = 0;
    int m_nSelected = -1;
    RECT m_selection{-1, -1, -1, -1};
    POINT m_panAnchor{-1, -1};
    POINT m_bandCorner{-1, -1};
    POINT m_zoomAnchor{-1, -1};
    BOOL m_bWindowZoom = 0;
    BOOL m_bButtonDown = 0;
    stakeout::PlanView m_view;
    COwnerDrawButton m_buttons[10];
    CColorLabel m_plan;
    int m_nKeySecond = 0;
    int m_nKeyMinute = -1;
    stakeout::PointSettings m_settings;
    int m_nSounded = 0;
    int m_nRepaintLimit = 0, m_nRepaintCount = 0, m_bRepaintPending = 0;
    HWND m_hPrevView = nullptr;
    BOOL m_bRegistered = 0;
    CString m_readouts[10];
};
