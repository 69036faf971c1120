// Shared by the framework's core tests: the platform started once, dialog
// templates built in code, a top-level window standing for the program's
// main window, and input through the window manager.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/framework/Afx.h"
#include "platform/testing/ModalScript.h"
#include "platform/win/WinInternal.h"

void PrintTo(const CString& text, std::ostream* out);

namespace fwtest {

using quorvel::resources::DialogItemTemplate;
using quorvel::resources::DialogTemplate;

// A template in code; the builder owns what the template points to.
class TemplateBuilder {
  public:
    explicit TemplateBuilder(UINT id, int cx = 120, int cy = 90,
                             DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    TemplateBuilder& Add(const wchar_t* cls, const wchar_t* text, UINT id, int x, int y, int cx,
                         int cy, DWORD style);
    TemplateBuilder& Button(const wchar_t* text, UINT id, int x, int y, bool isDefault = false);
    TemplateBuilder& Edit(UINT id, int x, int y, int cx = 60);
    TemplateBuilder& Radio(const wchar_t* text, UINT id, int x, int y, bool groupStart);
    TemplateBuilder& Check(const wchar_t* text, UINT id, int x, int y);
    TemplateBuilder& Combo(UINT id, int x, int y, std::vector<const wchar_t*> items);
    TemplateBuilder& List(UINT id, int x, int y, std::vector<const wchar_t*> items);
    const DialogTemplate* Get();

  private:
    DialogTemplate m_template{};
    std::vector<DialogItemTemplate> m_items;
    std::vector<std::vector<const wchar_t*>> m_lists;
};

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
