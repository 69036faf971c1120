// CVendropApp: the application. Its InitInstance runs the whole start-up
// once on the user-interface thread: it refuses a second copy, registers
// the document template, places the program's shortcuts and application
// key, opens or creates the current job with its folders and settings
// files, primes the plan view, starts the receiver link and shows the main
// window. It keeps no state of its own beyond the framework's.
//
// Sections: VendropApp.cpp (the sequence), AppStartupShell.cpp (shortcuts
// and the application key), AppStartupJob.cpp (job and settings files),
// ReceiverLinkStart.cpp (the receiver link).
#pragma once

#include "platform/framework/Afx.h"
#include "platform/framework/WinApp.h"

class CVendropDoc;
class CMainFrame;

class CVendropApp : public CWinApp {
  public:
    CVendropApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

  protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

  private:
    // Steps 6 to 8: the desktop and synchronisation shortcuts.
    static void PlaceShortcuts();
    // Step 9: FALSE when the key cannot be created.
    [[nodiscard]] BOOL RegisterApplicationKey();
    // Steps 10 to 14: esystem.sys, the job's paths, folders and settings.
    static void OpenCurrentJob(CVendropDoc& doc);
    // Steps 16 to 18: base station, point naming and storage from the job.
    static void RestoreJobState(CVendropDoc& doc);
};

// The window-enumeration callback of the single-instance check: stops at a
// window marked as the running program and hands its handle back through
// lParam (an HWND*).
BOOL CALLBACK FindPreviousInstanceProc(HWND hWnd, LPARAM lParam);
