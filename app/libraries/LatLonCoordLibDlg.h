// CLatLonCoordLibDlg (dialog 15202 "经纬度坐标库"): the job's WGS84 points
// in <job>.WGS, and the picker of the conversion tools. The rows are the
// library: every value is the text shown (latitude and longitude packed
// ddd.mmss). Open imports receiver point files (.RTK) and raw record files
// (.org), replacing or adding to the rows.
//
// Rewriting the file keeps after the rows every byte the loading did not
// read; a failed save leaves the file, the rows and the modified flag.
#pragma once

#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/LibraryText.h"

class CLatLonCoordLibDlg : public CDialog {
  public:
    explicit CLatLonCoordLibDlg(CWnd* pParent = nullptr);

    void LoadLibraryFile(const CString& strPath);
    // The import by the current reading (0 receiver points, 1 raw records).
    void LoadFile(const CString& strPath);
    [[nodiscard]] BOOL SaveFile();

    // Read by the caller after IDOK.
    BOOL m_bPicked = FALSE;
    CString m_strPickName;
    CString m_strPickLat;
    CString m_strPickLon;
    CString m_strPickHeight;
    CString m_strPickCode;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnClear();
    afx_msg void OnOpen();
    afx_msg void OnFind();
    DECLARE_MESSAGE_MAP()

  private:
    void AddRow(const CString& name, const CString& lat, const CString& lon, const CString& height,
                const CString& code);

    CListCtrl m_list;
    CString m_strPath;
    BOOL m_bModified = FALSE;
    int m_nReading = -1;  // 0 receiver points, 1 raw records; none at first
    pointdata::LoadedFile m_loaded;
};
