#include "app/jobs/DeleteJobDlg.h"

#include "app/DeviceFiles.h"
#include "app/jobs/DeleteFolderTree.h"
#include "app/shell/VendropDoc.h"
#include "platform/files/FileApi.h"
#include "res/resource.h"

namespace {

// Whether `folder` (no trailing backslash) named `name` is the current job.
bool IsCurrentJob(const CVendropDoc& doc, const CString& folder, const CString& name) {
    return (folder + L"\\").CompareNoCase(doc.m_strJobDir) == 0 ||
           (name + L".ini").CompareNoCase(doc.m_strIniName) == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDeleteJobDlg, CDialog)
ON_BN_CLICKED(IDC_DELETE_JOB_DELETE, OnDelete)
END_MESSAGE_MAP()

CDeleteJobDlg::CDeleteJobDlg(CWnd* pParent) : CDialog(IDD_DELETE_JOB, pParent) {}

void CDeleteJobDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DELETE_JOB_LIST, m_list);
    DDX_LBIndex(pDX, IDC_DELETE_JOB_LIST, m_nSelect);
}

BOOL CDeleteJobDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    if (!g_pDoc) return TRUE;
    const CString jobs = g_pDoc->m_strProgramRoot + L"\\Jobs\\";
    CStringArray folders;
    CStringArray names;
    WIN32_FIND_DATA data;
    HANDLE find = ::FindFirstFile(jobs + L"*.*", &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            folders.Add(jobs + data.cFileName);
            names.Add(data.cFileName);
        } while (folders.GetSize() < kMaxFolders && ::FindNextFile(find, &data));
        ::FindClose(find);
    }
    for (int i = 0; i < folders.GetSize(); ++i) {
        const CString ini = folders[i] + L"\\" + names[i] + L".ini";
        if (!DevicePathExists(ini)) continue;
        if (IsCurrentJob(*g_pDoc, folders[i], names[i])) continue;
        m_list.AddString(folders[i]);
    }
    return TRUE;
}

void CDeleteJobDlg::OnDelete() {
    UpdateData(TRUE);
    if (m_nSelect < 0) {
        AfxMessageBox(IDS_STRING61306, MB_OK);
        return;
    }
    if (AfxMessageBox(IDS_STRING61307, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    CString folder;
    m_list.GetText(m_nSelect, folder);
    DeleteFolderTree(folder + L"\\Data\\");
    DeleteFolderTree(folder + L"\\Result\\");
    DeleteFolderTree(folder + L"\\");
    // The job leaves the list whatever stays behind, as it always has; a
    // folder still holding its .ini is listed again next time.
    (void)::RemoveDirectory(folder + L"\\Data");
    (void)::RemoveDirectory(folder + L"\\Result");
    (void)::RemoveDirectory(folder);
    m_list.DeleteString(m_nSelect);
    m_nSelect = -1;
}
