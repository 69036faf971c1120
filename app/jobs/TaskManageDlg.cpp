#include "app/jobs/TaskManageDlg.h"

#include "res/resource.h"

namespace {

struct TitleSearch {
    const CString* pTitle;
    HWND hFound;
};

BOOL CALLBACK FindByTitle(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<TitleSearch*>(lParam);
    WCHAR title[CTaskManageDlg::kMaxTitle + 1] = {};
    ::GetWindowText(hWnd, title, CTaskManageDlg::kMaxTitle);
    if (*search->pTitle != title) return TRUE;
    search->hFound = hWnd;
    return FALSE;
}

struct TaskList {
    CListBox* pList;
    HWND hMain;
};

BOOL CALLBACK AddTask(HWND hWnd, LPARAM lParam) {
    auto* tasks = reinterpret_cast<TaskList*>(lParam);
    if (hWnd == tasks->hMain || !::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER))
        return TRUE;
    WCHAR title[CTaskManageDlg::kMaxTitle + 1] = {};
    if (::GetWindowText(hWnd, title, CTaskManageDlg::kMaxTitle) <= 0) return TRUE;
    const CString text(title);
    if (text.CompareNoCase(L"Desktop") == 0 || text == L"MS_SIPBUTTON") return TRUE;
    tasks->pList->AddString(text);
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTaskManageDlg, CDialog)
ON_BN_CLICKED(IDC_TASK_SWITCH, OnSwitch)
ON_BN_CLICKED(IDC_TASK_END, OnEnd)
END_MESSAGE_MAP()

CTaskManageDlg::CTaskManageDlg(CWnd* pParent) : CDialog(IDD_TASK_MANAGE, pParent) {}

void CTaskManageDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TASK_LIST, m_list);
}

BOOL CTaskManageDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    m_list.ResetContent();
    CWnd* main = AfxGetMainWnd();
    TaskList tasks{&m_list, main ? main->m_hWnd : nullptr};
    ::EnumWindows(AddTask, reinterpret_cast<LPARAM>(&tasks));
    return TRUE;
}

HWND CTaskManageDlg::SelectedWindow(int& nIndex) {
    nIndex = m_list.GetCurSel();
    if (nIndex < 0) {
        CString text;
        CString caption;
        text.LoadString(IDS_STRING61308);
        caption.LoadString(IDS_STRING61309);
        CWnd* main = AfxGetMainWnd();
        ::MessageBox(main ? main->m_hWnd : m_hWnd, text, caption, MB_OK | MB_ICONSTOP);
        return nullptr;
    }
    CString title;
    m_list.GetText(nIndex, title);
    TitleSearch search{&title, nullptr};
    ::EnumWindows(FindByTitle, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

void CTaskManageDlg::OnSwitch() {
    int nIndex = -1;
    if (HWND hWnd = SelectedWindow(nIndex)) ::SetForegroundWindow(hWnd);
}

void CTaskManageDlg::OnEnd() {
    int nIndex = -1;
    HWND hWnd = SelectedWindow(nIndex);
    if (!hWnd) return;
    m_list.DeleteString(nIndex);
    ::SendMessage(hWnd, WM_CLOSE, 0, 0);
}
