// Message boxes answered from a script for tests that run without the
// dialogs library: every box the code raises must have been expected, and
// every expectation met, or the test fails when this goes.
//
//   ExpectedBoxes boxes;                      // usually a fixture member
//   boxes.Expect(L"保存", IDYES);
//   ... run the code ...
//
// Tests that show real dialogs answer them, and their boxes, with a
// ModalScript (platform/testing/ModalScript.h) instead.
#pragma once

#include <gtest/gtest.h>

#include "platform/base/MessageBox.h"

namespace quorvel::testing {

class ExpectedBoxes : public MessageBoxRecorder {
  public:
    using MessageBoxRecorder::MessageBoxRecorder;
    ~ExpectedBoxes() { EXPECT_TRUE(AllAnswered()) << Report(); }
};

}  // namespace quorvel::testing
