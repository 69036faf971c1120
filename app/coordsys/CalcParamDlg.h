// CCalcParamDlg: what the two parameter calculations share: the list of
// common point pairs (list 1000, a number column then the row's cells),
// its point-pair file in the job folder (shown in edit 1041), adding,
// editing, deleting, clearing and opening pairs, and the question about
// unsaved changes on Cancel, which stays open when the save fails. OK
// ("计算") saves a changed list, runs the calculation and always closes
// the dialog.
//
// Loading inserts each accepted line at the top of the list, ahead of the
// rows already there, numbered 1, 2, ... in file order; deleting keeps the
// other rows' numbers, and an added row is numbered the row count + 1.
#pragma once

#include <vector>

#include "app/coordsys/PointPairFile.h"
#include "platform/framework/Afx.h"

class CCalcParamDlg : public CDialog {
  public:
    BOOL m_bModified = FALSE;
    CListCtrl m_list;
    CString m_strFileName;

  protected:
    struct Column {
        const wchar_t* title;
        int width;
    };
    CCalcParamDlg(UINT nIDTemplate, CWnd* pParent, LPCTSTR lpszFileName, LPCTSTR lpszFilter,
                  const std::vector<Column>& columns);

    // Runs the entry dialog on `cells`; TRUE with the new cells on OK.
    virtual BOOL EditPair(pointpair::Row& cells) = 0;
    // The calculation on the list's rows, in list order.
    virtual void Calculate(const std::vector<pointpair::Row>& rows) = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnClear();
    afx_msg void OnOpen();
    DECLARE_MESSAGE_MAP()

    void LoadFile(const CString& strPath);
    // Reports a failure; the old file stays.
    [[nodiscard]] BOOL SaveFile();
    std::vector<pointpair::Row> Rows() const;

  private:
    int CellCount() const { return static_cast<int>(m_columns.size()) - 1; }
    int SelectedRow() const;
    void SetRowCells(int nRow, const pointpair::Row& cells);

    CString m_strDefaultName;
    CString m_strFilter;
    std::vector<Column> m_columns;
};
