// Shared fixture of the dialog tests: templates built in code, a scripted
// dialog procedure, an owner window that records what reaches it, keys
// injected through the window manager, and the modal hook installed per
// test. Every test runs with a watchdog so that a modal nobody ends fails
// instead of hanging.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/win/WinInternal.h"

// Readable CStrings in failure messages.
void PrintTo(const CString& text, std::ostream* out);

namespace dlgtest {

using quorvel::resources::DialogItemTemplate;
using quorvel::resources::DialogTemplate;

// A template in code; the builder owns the item array the template points to.
class TemplateBuilder {
  public:
    TemplateBuilder(UINT id, int cx, int cy, DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                    const wchar_t* caption = L"测试");
    TemplateBuilder& Font(int points, const wchar_t* face);
    TemplateBuilder& ExStyle(DWORD exStyle);
    TemplateBuilder& Add(const wchar_t* cls, const wchar_t* text, UINT id, int x, int y, int cx,
                         int cy, DWORD style);
    TemplateBuilder& Button(const wchar_t* text, UINT id, int x, int y, bool isDefault = false);
    TemplateBuilder& Edit(UINT id, int x, int y, int cx = 60);
    TemplateBuilder& Radio(const wchar_t* text, UINT id, int x, int y, bool groupStart);
    const DialogTemplate* Get();

  private:
    DialogTemplate m_template{};
    std::vector<DialogItemTemplate> m_items;
};

// What a scripted dialog does: `on` sees every message first and answers
// TRUE when it handled it; otherwise IDOK and IDCANCEL end the dialog with
// their id. Every message is logged.
struct Script {
    std::function<BOOL(HWND, UINT, WPARAM, LPARAM)> on;
    BOOL initResult = TRUE;
    HWND hwnd = nullptr;
    std::vector<MSG> seen;
    std::vector<UINT> commands;  // ids of WM_COMMAND BN_CLICKED, in order

    bool Saw(UINT msg) const;
};
BOOL ScriptProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The modal hook for one test.
class Hook {
  public:
    explicit Hook(quorvel::dialogs::ModalHook hook);
    ~Hook();
    std::vector<quorvel::dialogs::ModalInfo> seen;

  private:
    quorvel::dialogs::ModalHook m_previous;
};

void Key(UINT vk);
void ShiftKey(UINT vk);

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // The owner: a visible full-screen window whose keys and characters are
    // counted.
    HWND Owner() const { return m_owner; }
    int OwnerKeys() const;
    INT_PTR RunModal(TemplateBuilder& tmpl, Script& script, HWND parent = nullptr);

  private:
    HWND m_owner = nullptr;
};

}  // namespace dlgtest
