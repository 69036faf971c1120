#include "app/setup/SystemInfoDlg.h"

#include "platform/files/Shell.h"
#include "res/resource.h"

CSystemInfoDlg::CSystemInfoDlg(CWnd* pParent) : CDialog(IDD_SYSTEM_INFO, pParent) {}

BOOL CSystemInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    MEMORYSTATUS memory{};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    STORE_INFORMATION store{};
    GetStoreInformation(&store);
    // Each figure is shifted to KB before the difference, as the device did.
    const long memTotal = static_cast<long>(memory.dwTotalPhys >> 10);
    const long memFree = static_cast<long>(memory.dwAvailPhys >> 10);
    const long storeTotal = static_cast<long>(store.dwStoreSize >> 10);
    const long storeFree = static_cast<long>(store.dwFreeSize >> 10);
    ShowKb(IDC_SYSINFO_MEM_TOTAL, memTotal);
    ShowKb(IDC_SYSINFO_MEM_USED, memTotal - memFree);
    ShowKb(IDC_SYSINFO_MEM_FREE, memFree);
    ShowKb(IDC_SYSINFO_STORE_TOTAL, storeTotal);
    ShowKb(IDC_SYSINFO_STORE_USED, storeTotal - storeFree);
    ShowKb(IDC_SYSINFO_STORE_FREE, storeFree);
    return TRUE;
}

void CSystemInfoDlg::ShowKb(int nID, long kb) {
    CString text;
    text.Format(L"%ld", kb);
    SetDlgItemText(nID, text);
}
