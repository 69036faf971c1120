// What the tests of the coordinate-system dialogs share: a temporary device
// root on the virtual clock, a document published as the program's one
// (its job and records the defaults), a main window behind the dialogs,
// every modal answered by m_modals, and text dumps and snapshots compared
// with the references in tests/app/coordsys/ref.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/VendropDoc.h"
#include "platform/framework/Afx.h"
#include "platform/testing/ModalTest.h"
#include "platform/testing/Printers.h"

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

// The text of a control of a live dialog.
std::wstring ItemText(HWND dialog, int id);

// Compares text with tests/app/coordsys/ref/<name>.txt; writes it only in
// an update run (QUORVEL_UPDATE_REFERENCES=1), as the reference images are.
void ExpectMatchesText(const std::string& text, const std::string& name);

}  // namespace coordsystest
