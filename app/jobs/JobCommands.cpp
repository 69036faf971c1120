// The job commands besides the new job: open a job (32797), delete jobs
// (32834), a new or an existing data file of the job (32771, 32772) and
// the task list (32824); with them what they share with the new job: the
// job's file names from its settings file, the reading of a job's two
// records, and the main window's title.
#include "app/jobs/DataFileDlgs.h"
#include "app/jobs/DeleteJobDlg.h"
#include "app/jobs/TaskManageDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

// The file name with its last three characters replaced by `extension`.
CString WithExtension(const CString& fileName, LPCTSTR extension) {
    return fileName.Left(fileName.GetLength() - 3) + extension;
}

// The data file of the command, or empty when the dialog was not left
// with OK.
template <class Dialog>
CString ChooseDataFile(Dialog& dlg, const CString& dataDir) {
    dlg.SetRootFolder(dataDir);
    dlg.SetInitialPath(dataDir);
    if (dlg.DoModal() != IDOK) return CString();
    const CString path = dlg.GetPathName();
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

}  // namespace

void CVendropDoc::SetJobFiles(const CString& jobDir, const CString& iniName) {
    m_strJobDir = jobDir;
    m_strDataDir = m_strJobDir + L"data\\";
    m_strResultDir = m_strJobDir + L"result\\";
    m_strIniName = iniName;
    m_strDataFile = WithExtension(iniName, L"dat");
    m_strParName = WithExtension(iniName, L"par");
}

// Each reader shows its own box first when its file cannot be read; the
// record keeps what it held.
void CVendropDoc::ReadJobRecords(const CString& folder, const CString& iniName) {
    if (!ReadParRecord(folder, WithExtension(iniName, L"par")))
        AfxMessageBox(IDS_STRING61616, MB_OK | MB_ICONINFORMATION);
    if (!ReadIniRecord(folder, iniName)) AfxMessageBox(IDS_STRING61617, MB_OK | MB_ICONINFORMATION);
}

void CVendropDoc::ShowJobTitle() {
    CWnd* main = AfxGetMainWnd();
    if (!main) return;
    CString title;
    title.LoadString(IDS_STRING61619);
    main->SetWindowText(title + m_strDataFile + L">");
}

// The engine and the calibration table follow the opened job's parameters;
// the point names and the alarms stay as they were.
void CVendropDoc::OnOpenJob() {
    CFileOpenDlg dlg;
    dlg.AddFilter(L"*.ini");
    dlg.SetInitialPath(m_strJobDir);
    if (dlg.DoModal() != IDOK) return;
    const CString path = dlg.GetPathName();
    if (path.IsEmpty()) return;
    const int slash = path.ReverseFind(L'\\');
    SetJobFiles(path.Left(slash + 1), path.Mid(slash + 1));
    ReadJobRecords(m_strJobDir, m_strIniName);
    LoadCoordTransform();
    ApplyBaseCoordinates(m_coordParams);
    m_sysFile.szIniFile = m_strJobDir + m_strIniName;
    m_sysFile.szDataFile = m_strDataFile;
    (void)SaveSystemFile();  // a failure has had its box
    ShowJobTitle();
}

void CVendropDoc::OnDeleteJob() {
    CDeleteJobDlg dlg;
    dlg.DoModal();
}

void CVendropDoc::OnChooseDataFile() {
    CDataFileSaveDlg dlg;
    dlg.SetFilter(L"*.dat");
    const CString name = ChooseDataFile(dlg, m_strDataDir);
    if (name.IsEmpty()) return;
    m_strDataFile = name;
    CFile file;
    if (file.Open(m_strDataDir + m_strDataFile,
                  CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite))
        file.Close();
    UseDataFile();
}

void CVendropDoc::OnOpenDataFile() {
    CDataFileOpenDlg dlg;
    dlg.AddFilter(L"*.dat");
    const CString name = ChooseDataFile(dlg, m_strDataDir);
    if (name.IsEmpty()) return;
    m_strDataFile = name;
    UseDataFile();
}

void CVendropDoc::UseDataFile() {
    m_sysFile.szDataFile = m_strDataFile;
    (void)SaveSystemFile();  // a failure has had its box
    ShowJobTitle();
}

void CVendropDoc::OnTaskManage() {
    CTaskManageDlg dlg;
    dlg.DoModal();
}
