// What the tests of the shared dialog controls share: a temporary device
// root on the virtual clock with a main window behind the dialogs, every
// modal answered by m_modals, input through the window manager, and
// snapshots and text dumps compared with references in tests/ui/ref.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/Afx.h"
#include "platform/gdi/Image.h"
#include "platform/testing/ModalTest.h"
#include "platform/testing/Printers.h"

namespace uitest {

class UiTest : public quorvel::testing::ModalTest {
  public:
    // Every queued message, paint and due timer.
    static void Pump();
    // A tap at a point of the window's client area.
    static void Tap(HWND hwnd, POINT p);
    // Moves the virtual clock, then pumps.
    static void Advance(uint32_t ms);

  protected:
    void SetUp() override;
    void TearDown() override;
    // The job folder the file dialogs browse: "\Flash Disk\Jobs\ruvo" with
    // files of the ".dat" filter and others, a sub-folder and a folder
    // whose name holds a ".".
    void WriteJobFolder();

    CWinThread m_thread;
    CWnd m_main;
};

// The tree control's item reached by texts from its root item down; null
// when one of them is not there.
HTREEITEM TreeItem(HWND tree, const std::vector<std::wstring>& texts);
// The texts of the items the tree shows below that item.
std::vector<std::wstring> Listed(HWND tree, const std::vector<std::wstring>& texts);

// Images stacked top to bottom, 2 pixels apart, on a dark background.
quorvel::gdi::Image Stack(const std::vector<quorvel::gdi::Image>& images);

// Compares text with tests/ui/ref/<name>.txt; writes it only in an update
// run (QUORVEL_UPDATE_REFERENCES=1), as the reference images are.
void ExpectMatchesText(const std::string& text, const std::string& name);

}  // namespace uitest
