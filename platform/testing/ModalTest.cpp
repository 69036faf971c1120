#include "platform/testing/ModalTest.h"

#include "platform/controls/Controls.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/gdi/GdiApi.h"
#include "platform/resources/Resources.h"
#include "platform/win/WinInternal.h"

namespace quorvel::testing {

void ModalTest::SetUp() {
    DeviceRootTest::SetUp();
    if (HasFatalFailure()) return;
    gdi::Install();
    resources::Install();
    controls::RegisterStandardClasses();
    // There is no way to read the handler but to swap it.
    m_previousBoxes = SetMessageBoxHandler({});
    SetMessageBoxHandler(m_previousBoxes);
    dialogs::InstallMessageBoxes();
}

void ModalTest::TearDown() {
    win::PumpUntilIdle();
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    SetMessageBoxHandler(m_previousBoxes);
    DeviceRootTest::TearDown();
}

}  // namespace quorvel::testing
