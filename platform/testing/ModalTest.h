// The base of tests that drive real windows and dialogs: a temporary device
// root, the platform's drawing, resources, controls and message boxes up,
// and every modal dialog and message box answered by m_modals.
//
//   class SetupDialogTest : public quorvel::testing::ModalTest {};
//   TEST_F(SetupDialogTest, SavesTheHeight) {
//       m_modals.ExpectDialog(IDD_SETUP).SetText(IDC_HEIGHT, L"1.5").Click(IDOK);
//       ... the code that shows the dialog ...
//       EXPECT_EQ(ReadHost("Flash Disk/setup.ini"), "...");
//   }
//
// A modal that nobody expected, or an expectation left over, fails the test
// (see ModalScript.h). After each test the queue is emptied and the message
// box handler that was there before is put back.
#pragma once

#include "platform/base/MessageBox.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/TempDeviceRoot.h"

namespace quorvel::testing {

class ModalTest : public DeviceRootTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    ModalScript m_modals;

  private:
    MessageBoxHandler m_previousBoxes;
};

}  // namespace quorvel::testing
