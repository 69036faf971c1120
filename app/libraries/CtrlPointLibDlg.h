// CCtrlPointLibDlg (dialog 102 "控制点坐标库"): the job's control points,
// each a known local position and the raw (receiver) position of the same
// point, kept in a .cot file. After every change the rows marked for use
// give the plane transformation (a shift from one point, four parameters
// from more) and the height correction (the mean shift, or a height fit
// from the plane-fit minimum on); each row shows its residuals and the
// rows over the limits are listed before a save or OK.
//
// The kinds of the results go to the document (m_nFitKind: 0 none, 1
// shift, 2 four parameters; m_nFitState: 0 none, 1 height shift, 2 height
// fit; -1 a failed solve, which the command leaves unapplied) and the
// values to the members below, which the command takes over after IDOK.
// Cancel clears both kinds. While it is open the receiver's status is
// shown untranslated (m_bStatusInChinese 0).
//
// At most 50 rows: a longer file shows its first 50 (with a message) and
// keeps the rest in the file when saved back; Add with 50 rows refuses.
#pragma once

#include <vector>

#include "geodesy/CoordTransform.h"
#include "platform/framework/Afx.h"
#include "pointdata/ControlPoints.h"
#include "pointdata/LibraryText.h"

class CCtrlPointLibDlg : public CDialog {
  public:
    explicit CCtrlPointLibDlg(CWnd* pParent = nullptr);

    void LoadFile(const CString& strPath);
    void Recalculate();
    afx_msg void OnSaveFile();

    CString m_strFileName;  // the library's .cot file
    // Plane: the shift (north, east) and the four parameters (shifts in
    // metres, rotation in radians, scale).
    double m_dShiftX = 0.0;
    double m_dShiftY = 0.0;
    double m_dFourDx = 0.0;
    double m_dFourDy = 0.0;
    double m_dFourRotation = 0.0;
    double m_dFourScale = 1.0;
    // Height: the shift and the fit's coefficients A0..A5 and origin.
    double m_dHeightShift = 0.0;
    double m_dFitA[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    double m_dFitX0 = 0.0;
    double m_dFitY0 = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnUse();
    afx_msg void OnOpen();
    afx_msg void OnSettings();
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

  private:
    void SetUpEngine(CCoordTransform& engine) const;
    // FALSE when the user stops at the over-limit prompt.
    BOOL ConfirmOverLimits();
    int AddRow(const std::vector<CString>& cells);
    void SetFitKinds(int nKind, int nState);

    CListCtrl m_list;
    CCoordTransform m_engine;  // the library's own, for its solutions
    pointdata::ControlCalcResult m_result;
    BOOL m_bModified = FALSE;
    pointdata::LoadedFile m_loaded;  // of m_strFileName
};
