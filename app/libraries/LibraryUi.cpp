#include "app/libraries/LibraryUi.h"

#include "app/InputRules.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace libraries {

CString JobFilePath(LPCTSTR ext) {
    if (!g_pDoc) return CString();
    const CString& ini = g_pDoc->m_strIniName;
    return g_pDoc->m_strJobDir + ini.Left(ini.GetLength() < 3 ? 0 : ini.GetLength() - 3) + ext;
}

CString JobDir() {
    return g_pDoc ? g_pDoc->m_strJobDir : CString();
}

CString DataDir() {
    return g_pDoc ? g_pDoc->m_strDataDir : CString();
}

void AddColumns(CListCtrl& list, std::initializer_list<Column> columns) {
    int index = 0;
    for (const Column& column : columns) {
        CString heading;
        heading.LoadString(column.headingId);
        list.InsertColumn(index++, heading, LVCFMT_LEFT, column.width);
    }
}

int FirstSelected(const CListCtrl& list) {
    return list.GetNextItem(-1, LVNI_SELECTED);
}

void ShowRow(CListCtrl& list, int row) {
    list.SetItemState(row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    list.EnsureVisible(row, TRUE);
    list.RedrawItems(row, row);
    list.SetFocus();
}

BOOL AskYesNo(UINT stringId) {
    CString text;
    text.LoadString(stringId);
    return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

BOOL AskOkCancel(UINT stringId) {
    CString text;
    CString caption;
    text.LoadString(stringId);
    caption.LoadString(IDS_STRING61258);
    return ::MessageBox(AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : nullptr, text, caption,
                        MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void ReportSaveFailure(CWnd* pDialog) {
    pDialog->MessageBox(L"文件保存失败,请检查!", L"提示", MB_OK | MB_ICONINFORMATION);
}

pointdata::StoredText ReadLibraryLines(const CString& path, const CString& ownPath,
                                       pointdata::LoadedFile& loaded, BOOL& replaceWhole) {
    std::string bytes;
    pointdata::ReadFileBytes(path, bytes);
    pointdata::StoredText text = pointdata::SplitLibraryText(bytes.data(), bytes.size());
    if (path.CompareNoCase(ownPath) == 0) {
        loaded.Take(bytes, text.consumed);
        replaceWhole = FALSE;
    }
    return text;
}

BOOL SaveLibraryText(CWnd* pDialog, const CString& path, const CString& text,
                     pointdata::LoadedFile& loaded, BOOL& replaceWhole) {
    if (replaceWhole) loaded = {};
    const BOOL bSaved = replaceWhole ? pointdata::ReplaceLibraryFile(path, text, loaded)
                                     : pointdata::RewriteLibraryFile(path, text, loaded);
    if (bSaved) {
        replaceWhole = FALSE;
        return TRUE;
    }
    ReportSaveFailure(pDialog);
    return FALSE;
}

std::vector<GeoPointRecord> RowPoints(const CListCtrl& list) {
    std::vector<GeoPointRecord> points;
    const int nCount = list.GetItemCount();
    points.reserve(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        points.push_back({{list.GetItemText(i, 0), ReadNumber(list.GetItemText(i, 1)),
                           ReadNumber(list.GetItemText(i, 2)), ReadNumber(list.GetItemText(i, 3)),
                           list.GetItemText(i, 4)},
                          i});
    }
    return points;
}

}  // namespace libraries
