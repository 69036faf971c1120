// What the library dialogs share: the job's library file names, the list
// control's set-up and selection, the questions and the report of a failed
// save.
#pragma once

#include <initializer_list>
#include <type_traits>
#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/LibraryRecords.h"
#include "pointdata/LibraryText.h"

namespace libraries {

// The job folder + the ini name less its last three characters + `ext`
// (ruvo.ini, "lib": ruvo.lib).
CString JobFilePath(LPCTSTR ext);
// The job folder and data folder (empty without a document).
CString JobDir();
CString DataDir();

struct Column {
    UINT headingId;  // string table
    int width;
};
void AddColumns(CListCtrl& list, std::initializer_list<Column> columns);

// The first selected row, -1 for none.
int FirstSelected(const CListCtrl& list);
// Focused and selected, scrolled into view, redrawn, the list focused.
void ShowRow(CListCtrl& list, int row);

// The string's question with Yes and No (question icon); TRUE for Yes.
BOOL AskYesNo(UINT stringId);
// The string's question with OK and Cancel under caption 61258.
BOOL AskOkCancel(UINT stringId);
// "文件保存失败,请检查!" after a save that failed.
void ReportSaveFailure(CWnd* pDialog);

// The row's first five columns through an edit dialog: shown in the
// dialog's five fields (in column order), written back when it is
// confirmed. FALSE when it was cancelled.
template <class Dialog>
BOOL EditRowColumns(CListCtrl& list, int row, Dialog& dialog,
                    const std::type_identity_t<CString Dialog::*> (&fields)[5]) {
    for (int c = 0; c < 5; ++c) dialog.*fields[c] = list.GetItemText(row, c);
    if (dialog.DoModal() != IDOK) return FALSE;
    for (int c = 0; c < 5; ++c) list.SetItemText(row, c, dialog.*fields[c]);
    return TRUE;
}

// Every row as a point to search: name, the two coordinates and the
// height read from columns 1 to 3, code, and the row's index.
std::vector<GeoPointRecord> RowPoints(const CListCtrl& list);

// A library file's lines. Read from the library's own file (ownPath), what
// the loading left unread is kept in `loaded` and the next save rewrites
// the file instead of replacing it.
pointdata::StoredText ReadLibraryLines(const CString& path, const CString& ownPath,
                                       pointdata::LoadedFile& loaded, BOOL& replaceWhole);
// The file it loaded is rewritten keeping what the loading left; a file
// chosen anew by Save is replaced whole. A failure is reported.
[[nodiscard]] BOOL SaveLibraryText(CWnd* pDialog, const CString& path, const CString& text,
                                   pointdata::LoadedFile& loaded, BOOL& replaceWhole);

}  // namespace libraries
