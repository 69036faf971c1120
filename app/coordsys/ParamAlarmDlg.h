// The three parameter-alarm prompts that the main frame's once-a-second
// check raises: the central meridian (dialog 197), the four-parameter
// scale (15190) and the seven-parameter rotations (15189).
//
// Each is modeless and top-level without an owner, so that it stands
// beside whatever screen or dialog is up; several may be open at once. The
// frame keeps one global pointer per prompt, non-null while it is on
// screen. Only the prompt's button closes it: it silences its alarm in the
// document (the matching ...AlarmOff flag), clears the global pointer and
// destroys the window. Escape and the close box do nothing. A prompt
// frees itself when its window is destroyed, whoever destroys it.
#pragma once

#include "platform/framework/Afx.h"

class CVendropDoc;

class CParamAlarmDlg : public CDialog {
  public:
    // Creates the window hidden-or-shown as the template says, top-level
    // and without an owner.
    BOOL CreatePrompt();

  protected:
    CParamAlarmDlg(UINT nIDTemplate, BOOL CVendropDoc::*pAlarmOff, CParamAlarmDlg** ppGlobal);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;

  private:
    UINT m_nTemplate;
    BOOL CVendropDoc::*m_pAlarmOff;
    CParamAlarmDlg** m_ppGlobal;
};

class CMeridianErrorDlg : public CParamAlarmDlg {
  public:
    CMeridianErrorDlg();

  protected:
    BOOL OnInitDialog() override;
};

class CFourParamErrorDlg : public CParamAlarmDlg {
  public:
    CFourParamErrorDlg();
};

class CSevenParamErrorDlg : public CParamAlarmDlg {
  public:
    CSevenParamErrorDlg();
};

// Non-null while the prompt is on screen.
extern CParamAlarmDlg* g_pMeridianErrorDlg;
extern CParamAlarmDlg* g_pFourParamErrorDlg;
extern CParamAlarmDlg* g_pSevenParamErrorDlg;

// Destroys every prompt still open (the frame does when it goes).
void DestroyParamAlarmPrompts();
