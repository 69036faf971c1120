// The application's command line, its settings in the registry and the
// recent-file list kept there.
#include "platform/base/Collections.h"
#include "platform/files/Registry.h"
#include "platform/framework/WinApp.h"

namespace {

// Splits a command line into arguments; double quotes group spaces.
std::vector<CString> SplitArguments(LPCTSTR line) {
    std::vector<CString> out;
    CString current;
    bool quoted = false, any = false;
    for (const wchar_t* p = line ? line : L""; *p; ++p) {
        if (*p == L'"') {
            quoted = !quoted;
            any = true;
        } else if (*p == L' ' && !quoted) {
            if (any) out.push_back(current);
            current.Empty();
            any = false;
        } else {
            current += *p;
            any = true;
        }
    }
    if (any) out.push_back(current);
    return out;
}

// HKEY_CURRENT_USER\Software\<key>\<profile>\<section>, or null without a
// registry key.
HKEY OpenSection(const CWinApp& app, LPCTSTR section) {
    if (!app.m_pszRegistryKey || !app.m_pszProfileName) return nullptr;
    CString path;
    path.Format(L"Software\\%s\\%s\\%s", app.m_pszRegistryKey, app.m_pszProfileName, section);
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                       nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

void CCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL) {
    if (bFlag) {
        if (lstrcmpiW(pszParam, L"nologo") == 0) m_bShowSplash = FALSE;
        if (lstrcmpiW(pszParam, L"Embedding") == 0) m_bRunEmbedded = TRUE;
        if (lstrcmpiW(pszParam, L"Automation") == 0) m_bRunAutomated = TRUE;
        if (m_bRunEmbedded || m_bRunAutomated) m_bShowSplash = FALSE;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        m_nShellCommand = FileOpen;
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    const std::vector<CString> args = SplitArguments(m_lpCmdLine);
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& arg = args[i];
        const bool flag = arg.GetLength() > 1 && (arg[0] == L'/' || arg[0] == L'-');
        rCmdInfo.ParseParam(flag ? arg.Mid(1) : arg, flag, i + 1 == args.size());
    }
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_strProfileName = m_pszAppName ? m_pszAppName : L"";
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    HKEY key = OpenSection(*this, lpszSection);
    if (!key) return static_cast<UINT>(nDefault);
    DWORD value = 0, type = 0, size = sizeof(value);
    const LONG rc =
        RegQueryValueEx(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD ? value : static_cast<UINT>(nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    HKEY key = OpenSection(*this, lpszSection);
    if (!key) return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    const LONG rc = RegSetValueEx(key, lpszEntry, 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    const CString fallback = lpszDefault ? lpszDefault : L"";
    HKEY key = OpenSection(*this, lpszSection);
    if (!key) return fallback;
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueEx(key, lpszEntry, nullptr, &type, nullptr, &size);
    std::wstring text(size / sizeof(WCHAR) + 1, L'\0');
    if (rc == ERROR_SUCCESS && type == REG_SZ)
        rc = RegQueryValueEx(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()),
                             &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return fallback;
    return CString(text.c_str());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    HKEY key = OpenSection(*this, lpszSection);
    if (!key) return FALSE;
    LONG rc;
    if (!lpszValue) {
        rc = RegDeleteValue(key, lpszEntry);
        if (rc == ERROR_FILE_NOT_FOUND) rc = ERROR_SUCCESS;
    } else {
        const DWORD bytes = static_cast<DWORD>((lstrlenW(lpszValue) + 1) * sizeof(WCHAR));
        rc = RegSetValueEx(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                           bytes);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0) return;
    m_pRecentFileList =
        new CRecentFileList(L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList) m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
    if (m_pRecentFileList) m_pRecentFileList->Add(lpszPathName);
}

CRecentFileList::CRecentFileList(LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize)
    : m_strSection(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nSize(nSize) {}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
    for (size_t i = 0; i < m_files.size(); ++i)
        if (m_files[i].CompareNoCase(lpszPathName) == 0) {
            m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    m_files.insert(m_files.begin(), CString(lpszPathName));
    if (static_cast<int>(m_files.size()) > m_nSize) m_files.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex >= 0 && nIndex < GetCount())
        m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(nIndex));
}

void CRecentFileList::ReadList() {
    CWinApp* app = AfxGetApp();
    m_files.clear();
    if (!app) return;
    for (int i = 1; i <= m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i);
        const CString file = app->GetProfileString(m_strSection, entry);
        if (!file.IsEmpty()) m_files.push_back(file);
    }
}

void CRecentFileList::WriteList() {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (int i = 1; i <= m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i);
        const bool has = i <= GetCount();
        app->WriteProfileString(m_strSection, entry, has ? (*this)[i - 1].GetString() : nullptr);
    }
}
