// CMeasurePointLibDlg (dialog 15163 "测量点管理库"): the points of the job's
// measured-point file, newest first, with a solution icon per row; the
// clicked point in the fields below; names, codes and antenna heights
// edited (CEditMeasurePointDlg) and points deleted. Every change rewrites
// the file at once (MeasuredPointFile: what the list did not show stays as
// it was); a rewrite that fails says so and the list shows the file again.
#pragma once

#include "platform/framework/Afx.h"
#include "platform/framework/ImageList.h"
#include "platform/framework/ListCtrl.h"
#include "pointdata/MeasuredPointFile.h"

class CMeasurePointLibDlg : public CDialog {
  public:
    explicit CMeasurePointLibDlg(CWnd* pParent = nullptr);

    // Fills the list and the rows from the file (nothing when missing).
    void LoadFile(const CString& path);
    // Rewrites the file from the rows; FALSE after the failure box.
    [[nodiscard]] BOOL SaveFile();

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()

  private:
    // The file's row behind list row `item` (the list is newest first).
    quorvel::pointdata::SurveyPointRow& RowOf(int item);
    std::vector<int> SelectedItems() const;
    void ShowItem(int item);
    [[nodiscard]] BOOL EditItem(int item);

    quorvel::pointdata::MeasuredPointFile m_file;
    CString m_strPath;
    CListCtrl m_list;
    CImageList m_images;
    CString m_strName;
    CString m_strCode;
    double m_dX = 0.0;
    double m_dY = 0.0;
    double m_dH = 0.0;
};
