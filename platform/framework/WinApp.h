// CWinApp: the program's one application object. The program defines it
// as a global (`CVendropApp theApp;`) and its main calls
// quorvel::framework::RunApplication, which initialises the platform,
// runs InitInstance, then the message loop (Run) until the main window is
// gone, and returns ExitInstance's result.
//
// Commands that no view, document or frame handled reach the application
// last: ID_FILE_NEW, ID_FILE_OPEN (when the program maps them to OnFileNew
// and OnFileOpen) and ID_APP_EXIT, which closes the main window through
// WM_CLOSE like the close box.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Position.h"
#include "platform/framework/AfxGlobals.h"

#ifndef afx_msg
#define afx_msg
#endif

class CDocTemplate;
class CDocument;

namespace quorvel::framework {
// The program's main: initialises the platform (drawing, resources,
// controls), hands the application argv[1..] as its command line (the
// emulator's own options are taken out by the caller), runs InitInstance
// and the message loop, and returns the exit code.
int RunApplication(int argc, char** argv);
}  // namespace quorvel::framework

// What the command line asks for. A file name opens it; otherwise a new
// document is made. "/nologo" (or "-nologo") turns the splash screen off.
class CCommandLineInfo : public CObject {
  public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;
    // Called with each argument; bFlag when it began with '/' or '-' (which
    // is then removed), bLast for the last one.
    virtual void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
};

// The most recently used files, newest first, kept in the registry under
// the application's profile, section "Recent File List", values File1...
class CRecentFileList {
  public:
    CRecentFileList(LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize);
    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_files.size()); }
    const CString& operator[](int nIndex) const { return m_files[static_cast<size_t>(nIndex)]; }
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    virtual ~CRecentFileList() = default;

  private:
    CString m_strSection;
    CString m_strEntryFormat;
    int m_nSize;
    std::vector<CString> m_files;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
  public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // The message loop: idle work (OnIdle) whenever the queue is empty,
    // each message offered to PreTranslateMessage before it is dispatched.
    // Ends with WM_QUIT and returns ExitInstance().
    virtual int Run();
    virtual int ExitInstance();
    // lCount 0: update handlers of the main frame's bars; 1: temporary
    // objects freed. TRUE while more idle work is wanted.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew: the template makes the document, frame and views; FALSE
    // when that failed.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    // Settings go to HKEY_CURRENT_USER\Software\<key>\<application name>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Reads the recent-file list of nMaxMRU entries (written back by
    // ExitInstance).
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOW;
    CRecentFileList* m_pRecentFileList = nullptr;

    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();

  protected:
    DECLARE_MESSAGE_MAP()

  private:
    friend int quorvel::framework::RunApplication(int argc, char** argv);
    void SetCommandLine(int argc, char** argv);
    MSG m_msgCur{};  // the message the loop handles; WM_QUIT at the end
    std::vector<CDocTemplate*> m_templates;
    CString m_strAppName;
    CString m_strRegistryKey;
    CString m_strProfileName;
    CString m_strExeName;
    std::wstring m_cmdLine;
};
