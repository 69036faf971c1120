// What the tests of the coordinate-system dialogs share: a temporary device
// root on the virtual clock, a document published as the program's one
// (its job and records the defaults), a main window behind the dialogs,
// every modal answered by m_modals, and text dumps and snapshots compared
// with the references in tests/app/coordsys/ref.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/VendropDoc.h"
#include "platform/framework/Afx.h"
#include "platform/gdi/Image.h"
#include "platform/testing/ModalTest.h"
#include "platform/testing/Printers.h"
#include "tests/app/ShellTest.h"

namespace coordsystest {

class CoordsysTest : public quorvel::testing::ModalTest {
  public:
    static void Pump();

  protected:
    void SetUp() override;
    void TearDown() override;

    CVendropDoc& Doc() { return *m_doc; }

    CWinThread m_thread;
    CWnd m_main;
    std::unique_ptr<CVendropDoc> m_doc;
};

using shelltest::ItemEnabled;
using shelltest::ItemText;

// Dialogs collected as a test opens them: their looks stacked into one
// image and their text dumps one after the other, each compared with its
// reference when Check runs.
class Gallery {
  public:
    // A modal step's action that adds the dialog under `title`.
    std::function<void(HWND)> Take(const std::string& title);
    void Add(HWND dialog, const std::string& title);
    void Check(const std::string& name);

  private:
    std::vector<quorvel::gdi::Image> m_images;
    std::string m_text;
};

// Compares text with tests/app/coordsys/ref/<name>.txt; writes it only in
// an update run (QUORVEL_UPDATE_REFERENCES=1), as the reference images are.
void ExpectMatchesText(const std::string& text, const std::string& name);

}  // namespace coordsystest
