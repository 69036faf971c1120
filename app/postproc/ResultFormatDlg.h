// CResultFormatDlg (template 15263, "自定义成果文件格式"): the editor of one
// user-defined result format. The list shows the 21 field names; "添加"
// appends the selected field to the positioning (or depth) line, "删除"
// takes the last one off, "清除" empties it. Each line is kept twice: as
// the field-index text that the format file stores ("0:7:8:") and as the
// names with the separator after each, which the read-only edits show.
// "确定" refuses an empty name, line or extension (the depth ones only with
// the depth file), and characters that cannot stand in the format file or a
// file name; "取消" asks first.
#pragma once

#include "app/postproc/FormatFile.h"
#include "platform/framework/Afx.h"

class CResultFormatDlg : public CDialog {
  public:
    explicit CResultFormatDlg(CWnd* pParent = nullptr);

    // Opens the editor on an existing format (the editing flag set).
    void LoadRecord(const ResultFormatRecord& format);
    // The values as a format; the reserved text is always empty.
    ResultFormatRecord MakeRecord() const;

    CString m_strCoordFields;
    CString m_strDepthFields;
    CString m_names[postproc::kVocabularySize];
    int m_nField = 0;  // list box 1062
    int m_bDepthFile = 0;
    CString m_strCoordExt;
    CString m_strDepthExt;
    CString m_strSeparator = L",";
    CString m_strName;
    CString m_strCoordText;
    CString m_strDepthText;
    int m_bEditing = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnCoordAdd() { AddField(m_strCoordText, m_strCoordFields); }
    afx_msg void OnCoordDelete() { DeleteField(m_strCoordText, m_strCoordFields); }
    afx_msg void OnCoordClear() { ClearFields(m_strCoordText, m_strCoordFields); }
    afx_msg void OnDepthAdd() { AddField(m_strDepthText, m_strDepthFields); }
    afx_msg void OnDepthDelete() { DeleteField(m_strDepthText, m_strDepthFields); }
    afx_msg void OnDepthClear() { ClearFields(m_strDepthText, m_strDepthFields); }
    afx_msg void OnDepthFile();
    DECLARE_MESSAGE_MAP()

  private:
    void AddField(CString& text, CString& fields);
    void DeleteField(CString& text, CString& fields);
    void ClearFields(CString& text, CString& fields);
    CString NamesOf(const CString& fields) const;
    void ShowDepthControls();
    LPCTSTR Refusal() const;
};
