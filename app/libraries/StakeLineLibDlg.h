// CStakeLineLibDlg (dialog 15145 "放样线坐标库"): the design lines of line
// stake-out, in an .lnb file (by default <job>.lnb, loaded when it
// exists). The held lines match the rows one to one. Opened by the
// document's command (no file) and by the line stake-out screen (its
// file), which reads the pick and all lines after IDOK.
//
// Open replaces the lines with a file's (which becomes the library's file)
// or puts a file's lines on top; opening alone does not set the modified
// flag. Rewriting the file it loaded keeps after the lines every byte the
// loading did not read.
#pragma once

#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/LibraryRecords.h"
#include "pointdata/LibraryText.h"

class CStakeLineLibDlg : public CDialog {
  public:
    explicit CStakeLineLibDlg(CWnd* pParent = nullptr);

    // Before DoModal; empty: the job's default file.
    void SetFilePath(const CString& strPath) { m_strFilePath = strPath; }

    // The held lines and rows become the file's.
    void LoadFile(const CString& strPath);
    [[nodiscard]] BOOL WriteLines();

    // Read by the caller after IDOK.
    BOOL m_bPicked = FALSE;
    int m_nPickIndex = -1;
    int m_nCount = 0;
    CArray<PointRecord> m_starts;
    CArray<PointRecord> m_ends;
    CArray<double> m_chainages;
    CString m_strFilePath;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAdd();
    afx_msg void OnInsert();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnClear();
    afx_msg void OnOpen();
    afx_msg void OnSave();
    DECLARE_MESSAGE_MAP()

  private:
    // Reads a file's lines; the library's own file is remembered for its
    // rewrite.
    std::vector<LineRecord> ReadLines(const CString& strPath);
    void InsertRow(int nRow, const LineRecord& line, const CString& chainageText);
    void SetRow(int nRow, const LineRecord& line, const CString& chainageText);
    BOOL EnterLine(size_t nAt);

    CListCtrl m_list;
    std::vector<LineRecord> m_lines;
    BOOL m_bModified = FALSE;
    pointdata::LoadedFile m_loaded;  // of m_strFilePath
    BOOL m_bReplaceWhole = FALSE;    // m_strFilePath was not loaded
};
