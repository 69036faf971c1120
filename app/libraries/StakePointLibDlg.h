// CStakePointLibDlg (dialog 15144 "放样点坐标库"): the design points to
// stake out, in a .ptb file (by default <job>.ptb, loaded when it exists),
// and the pick of the next point. The rows are the library: the file keeps
// the texts as shown. Opened by the document's command (no file) and by
// the point stake-out screen (its file), which reads the pick and the
// whole point list after IDOK.
//
// Open imports point files (.dat, appended below) and stake-out files
// (.ptb, put on top; the opened file becomes the library's file once the
// overwrite or append question is answered OK). Rewriting the file it
// loaded keeps after the rows every byte the loading did not read.
#pragma once

#include "platform/framework/Afx.h"
#include "pointdata/LibraryText.h"
#include "pointdata/PointRecord.h"

class CStakePointLibDlg : public CDialog {
  public:
    explicit CStakePointLibDlg(CWnd* pParent = nullptr);

    // Before DoModal; empty: the job's default file.
    void SetFilePath(const CString& strPath) { m_strFilePath = strPath; }

    void LoadFile(const CString& strPath);
    // The import by the current reading (0 point file, 1 stake-out file).
    void ImportFile(const CString& strPath);
    [[nodiscard]] BOOL SaveFile();
    afx_msg void OnOutput();

    // Read by the caller after IDOK.
    BOOL m_bPicked = FALSE;
    CString m_strPickName;
    CString m_strPickNorth;
    CString m_strPickEast;
    CString m_strPickHeight;
    CString m_strPickCode;
    int m_nPickIndex = -1;         // the picked row
    int m_nCount = 0;              // rows
    CArray<PointRecord> m_points;  // the rows with a name, in order
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
    afx_msg void OnPathChange();
    DECLARE_MESSAGE_MAP()

  private:
    void InsertRow(int nRow, const CString& name, const CString& north, const CString& east,
                   const CString& height, const CString& code);
    BOOL EnterPoint(int nRow);

    CListCtrl m_list;
    CImageList m_images;
    BOOL m_bModified = FALSE;
    int m_nReading = -1;             // 0 point file, 1 stake-out file; none at first
    pointdata::LoadedFile m_loaded;  // of m_strFilePath
    BOOL m_bReplaceWhole = FALSE;    // m_strFilePath was not loaded
};
