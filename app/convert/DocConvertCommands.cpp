// CVendropDoc: the file-format conversion, result conversion and profile
// commands. None of them has a menu item, toolbar button or key.
#include "app/convert/FileConvertDlg.h"
#include "app/coordsys/ParamSelectDlg.h"
#include "app/setup/DataConvertModeDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

namespace {

enum ConvertMode { kModeFormat = 0, kModeResult = 1, kModeRaw = 2 };

}  // namespace

void CVendropDoc::OnFileConvert() {
    m_nDlgContext = kContextConvert;
    CFileConvertDlg dlg;
    dlg.DoModal();
}

void CVendropDoc::OnConvertResults() {
    CDataConvertModeDlg modeDlg;
    if (modeDlg.DoModal() != IDOK) return;
    const int nMode = modeDlg.m_nMode;
    if (nMode == kModeFormat) {
        OnFileConvert();
        return;
    }
    if (nMode != kModeResult && nMode != kModeRaw) return;
    CParamSelectDlg select;
    if (select.DoModal() != IDOK) return;
    if (nMode == kModeResult) {
        MakeResultFile(select.m_nParamSource);
    } else {
        MakeRawFile(select.m_nParamSource);
    }
}

// The paths are only collected: no profile is made from them.
void CVendropDoc::OnProfileData() {
    CFileOpenDlg first;
    first.AddFilter(L"*.dat");
    if (first.DoModal() == IDOK) {
        m_strRtkFile = first.GetPathName();
        CFileOpenDlg second;
        second.AddFilter(L"*.dat");
        if (second.DoModal() == IDOK) {
            m_strPostFile = second.GetPathName();
            CFileSaveDlg save;
            save.SetFilter(L"*.hdm");
            save.DoModal();
        }
    }
    AfxMessageBox(IDS_STRING61750, MB_OK);
}
