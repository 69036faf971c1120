// CCoordLibDlg (dialog 15131 "坐标管理库"): the coordinate library run as a
// point picker.
//
// This is the picker's stand-in until the point libraries bring the full
// library dialog (its file, editing, import and find): it shows the rows of
// Rows(), which its users (tests) fill, in list 1000, and hands back the
// row selected at OK exactly as the full dialog does. Raw-grid rows (kind
// 1) are shown, first, only in the full mode (SetMode(2)).
#pragma once

#include <vector>

#include "platform/framework/Afx.h"

// One row as the list shows it: the texts are handed back unchanged.
struct CoordLibRow {
    CString strName;
    CString strNorth;
    CString strEast;
    CString strHeight;
    CString strCode;
    int nKind = 0;  // 1: raw-grid record, 0: library record
};

class CCoordLibDlg : public CDialog {
  public:
    explicit CCoordLibDlg(CWnd* pParent = nullptr);

    // 2: full mode (raw-grid rows shown as well); anything else: default.
    void SetMode(int nMode) { m_nMode = nMode; }

    // The library's rows, shared by every instance.
    static std::vector<CoordLibRow>& Rows();

    // Read by the caller after IDOK, only when m_bPicked is set.
    BOOL m_bPicked = FALSE;
    CString m_strPickName;
    CString m_strPickNorth;
    CString m_strPickEast;
    CString m_strPickHeight;
    CString m_strPickCode;
    int m_nPickKind = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    int m_nMode = 0;
    CListBox m_list;
    std::vector<CoordLibRow> m_shown;  // the list's rows in order
};
