// Shared fixture of the dialog tests: templates built in code (the shared
// builder), a scripted
// dialog procedure, an owner window that records what reaches it, keys
// injected through the window manager, and the modal hook installed per
// test. Every test runs with a watchdog so that a modal nobody ends fails
// instead of hanging.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/testing/Printers.h"
#include "platform/testing/TemplateBuilder.h"
#include "platform/win/WinInternal.h"

namespace dlgtest {

using quorvel::resources::DialogTemplate;

using quorvel::testing::TemplateBuilder;

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
