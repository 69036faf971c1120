// "msctls_progress32": a sunken bar filled in blocks (or smoothly with
// PBS_SMOOTH) as far as the position stands in the range.
#pragma once

#include "platform/controls/Control.h"

namespace quorvel::controls {

class Progress : public Control {
  public:
    using Control::Control;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    std::string Describe() const override;

  private:
    LRESULT SetPos(int pos);
    void Paint();

    int m_low = 0;
    int m_high = 100;
    int m_pos = 0;
    int m_step = 10;
};

}  // namespace quorvel::controls
