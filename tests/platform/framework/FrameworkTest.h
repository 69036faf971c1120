// Shared by the framework's core tests: the platform started once, dialog
// templates built in code (the shared builder), a top-level window standing
// for the program's main window, and input through the window manager.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/framework/Afx.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/Printers.h"
#include "platform/testing/TemplateBuilder.h"
#include "platform/win/WinInternal.h"

namespace fwtest {

using quorvel::testing::TemplateBuilder;

// The program's main window: a full-screen top-level window that counts
// the keys and characters offered to its PreTranslateMessage.
class CMainWindow : public CWnd {
  public:
    BOOL Make();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    int m_nKeysSeen = 0;
};

class FrameworkTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    CMainWindow m_main;
    CWinThread m_thread;  // AfxGetMainWnd answers m_main
};

void Key(UINT vk);
CString TextOf(HWND hwnd);

}  // namespace fwtest
