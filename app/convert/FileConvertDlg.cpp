#include "app/convert/FileConvertDlg.h"

#include "app/convert/ConvertMessages.h"
#include "app/convert/PointFileConverter.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

namespace {

CString DataFolder() {
    return g_pDoc ? g_pDoc->m_strDataDir : CString();
}

}  // namespace

BEGIN_MESSAGE_MAP(CFileConvertDlg, CDialog)
ON_BN_CLICKED(IDC_FILE_CONVERT_SOURCE_BROWSE, OnBrowseSource)
ON_BN_CLICKED(IDC_FILE_CONVERT_TARGET_BROWSE, OnBrowseTarget)
ON_BN_CLICKED(IDC_FILE_CONVERT_RUN, OnConvert)
ON_CBN_SELCHANGE(IDC_FILE_CONVERT_FORMAT, OnSelChangeFormat)
END_MESSAGE_MAP()

CFileConvertDlg::CFileConvertDlg(CWnd* pParent) : CDialog(IDD_FILE_CONVERT, pParent) {}

void CFileConvertDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_FILE_CONVERT_FORMAT, m_nFormat);
    DDX_Text(pDX, IDC_FILE_CONVERT_TARGET, m_strTarget);
    DDX_Text(pDX, IDC_FILE_CONVERT_SOURCE, m_strSource);
}

BOOL CFileConvertDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    GetDlgItem(IDC_FILE_CONVERT_SOURCE)->EnableWindow(FALSE);
    GetDlgItem(IDC_FILE_CONVERT_TARGET)->EnableWindow(FALSE);
    const BOOL bOwnSource = g_pDoc && g_pDoc->m_nDlgContext == kContextConvert;
    GetDlgItem(IDC_FILE_CONVERT_SOURCE_BROWSE)->EnableWindow(bOwnSource);
    return TRUE;
}

void CFileConvertDlg::OnCancel() {
    if (g_pDoc) g_pDoc->m_nDlgContext = kContextDefault;
    CDialog::OnCancel();
}

void CFileConvertDlg::OnSelChangeFormat() {
    UpdateData(TRUE);
}

void CFileConvertDlg::OnBrowseSource() {
    CFileOpenDlg dlg;
    dlg.AddFilter(L"*.dat");
    dlg.SetRootFolder(DataFolder());
    dlg.SetInitialPath(DataFolder());
    if (dlg.DoModal() != IDOK) return;
    m_strSource = dlg.GetPathName();
    UpdateData(FALSE);
}

void CFileConvertDlg::OnBrowseTarget() {
    CFileSaveDlg dlg;
    const int nFormat = m_nFormat + 1;
    dlg.SetFilter(nFormat == convert::kFormatZdm   ? L"*.dmx"
                  : nFormat == convert::kFormatDxf ? L"*.dxf"
                                                   : L"*.dat");
    dlg.SetRootFolder(DataFolder());
    dlg.SetInitialPath(DataFolder());
    if (dlg.DoModal() != IDOK) return;
    m_strTarget = dlg.GetPathName();
    UpdateData(FALSE);
}

void CFileConvertDlg::OnConvert() {
    UpdateData(TRUE);
    CWaitCursor wait;
    Convert(m_strSource, m_strTarget, m_nFormat + 1);
}

BOOL CFileConvertDlg::Convert(const CString& strSource, const CString& strTarget, int nFormat) {
    convert::CPointFileConverter converter(nFormat);
    const convert::ConvertStatus status =
        convert::ConvertFile(strSource, strTarget, converter, convert::EmptyOutput::kWrite);
    convert::ReportConversion(m_hWnd, status, converter.Counted(), strTarget,
                              convert::ResultTexts{IDS_STRING61321, TRUE, IDS_STRING61322});
    return TRUE;
}
