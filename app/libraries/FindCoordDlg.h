// The find dialogs: CFindCoordDlg (dialog 207 "查找", values X, Y, H with
// "%.4f", for the coordinate library) and CFindGeoCoordDlg (dialog 15204,
// B, L, H with "%.10f", for the lat/long library). One behaviour: the
// caller's points listed by name; Find (1051) keeps the points whose
// upper-cased name contains the upper-cased text, ordered by where the
// text first occurs (ties in the caller's order); the entry shown is the
// result. With no point to show the value fields stay blank and the result
// is -1 (OK then changes nothing).
#pragma once

#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/LibraryRecords.h"

class CFindPointDlg : public CDialog {
  public:
    void SetPoints(std::vector<GeoPointRecord> points) { m_points = std::move(points); }

    int m_nResult = -1;  // the list index of the chosen point

    // The matches of `text` among `points`, as indexes into `points`.
    static std::vector<size_t> Matches(const std::vector<GeoPointRecord>& points,
                                       const CString& text);

  protected:
    CFindPointDlg(UINT nIDTemplate, CWnd* pParent, LPCTSTR lpszFormat);
    BOOL OnInitDialog() override;
    afx_msg void OnFind();
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()

  private:
    void FillList(const std::vector<size_t>& shown);
    void ShowEntry(int nEntry);

    LPCTSTR m_lpszFormat;
    std::vector<GeoPointRecord> m_points;
    std::vector<size_t> m_shown;  // list box entry -> point
};

class CFindCoordDlg : public CFindPointDlg {
  public:
    explicit CFindCoordDlg(CWnd* pParent = nullptr);
};

class CFindGeoCoordDlg : public CFindPointDlg {
  public:
    explicit CFindGeoCoordDlg(CWnd* pParent = nullptr);
};
