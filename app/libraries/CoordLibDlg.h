// CCoordLibDlg (dialog 15131 "坐标管理库"): the job's coordinate library
// <job>.lib, and the point picker of the whole program.
//
// Two record lists, raw-grid records (number 1, image 1) and library
// records (image 0). The default mode lists the library records only; the
// full mode (SetMode(2)) lists the raw-grid records first. Records of a
// hidden kind stay in their list and are saved, first, with the rest.
// Rows show "%.3f" when loaded and the texts as typed when added or
// edited; a pick hands back the row's texts as shown.
//
// While the dialog is open the document's dialog context is 29 (the entry
// dialogs then hide their pick buttons); OK and Cancel set it to 11.
// Rewriting the file keeps after the rows every byte the loading did not
// read (the rest after a first empty line, an unterminated last line,
// lines appended since); a failed save leaves the file, the rows and the
// modified flag as they were.
#pragma once

#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/LibraryRecords.h"
#include "pointdata/LibraryText.h"

class CCoordLibDlg : public CDialog {
  public:
    explicit CCoordLibDlg(CWnd* pParent = nullptr);

    // 2: full mode (raw-grid rows shown as well); anything else: default.
    void SetMode(int nMode) { m_nMode = nMode; }

    void LoadList(const CString& strPath);
    // Adds the file's points by the reading its extension chooses.
    void ImportFile(const CString& strPath);
    // FALSE (after the message) when the file could not be written.
    [[nodiscard]] BOOL SaveToFile();

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
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnClear();
    afx_msg void OnFind();
    afx_msg void OnImport();
    DECLARE_MESSAGE_MAP()

  private:
    BOOL ShowRaw() const { return m_nMode == 2; }
    void FillList();
    int AddRow(int nRow, int nImage, const CString& name, const CString& north, const CString& east,
               const CString& height, const CString& code);
    void AddRecordRow(int nRow, const NumberedPoint& p);
    // The record behind a row.
    NumberedPoint& RecordOf(int nRow);
    void RemoveRecordOf(int nRow);
    void ImportRtk(const std::vector<CString>& lines);

    int m_nMode = 0;
    CListCtrl m_list;
    CImageList m_images;
    CString m_strPath;
    BOOL m_bModified = FALSE;
    std::vector<NumberedPoint> m_raw;
    std::vector<NumberedPoint> m_lib;
    pointdata::LoadedFile m_loaded;
};
