// A full-screen window for backend tests: it paints a known picture and
// records the input messages it gets.
#pragma once

#include <mutex>
#include <vector>

#include "platform/gdi/GdiApi.h"
#include "platform/win/WinApi.h"

namespace backendtest {

// The picture: the background, and a block at kBlock in another colour.
constexpr COLORREF kBackground = RGB(0, 64, 160);
constexpr COLORREF kBlockColour = RGB(250, 200, 0);
constexpr RECT kBlock{20, 30, 60, 90};

struct Input {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class TestWindow {
  public:
    TestWindow();
    ~TestWindow();
    HWND Handle() const { return m_hwnd; }
    // Changes the block's colour and repaints it.
    void SetBlockColour(COLORREF colour);
    std::vector<Input> Inputs() const;
    bool Saw(UINT msg, WPARAM wParam) const;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

}  // namespace backendtest
