// Shared fixture for the control tests: a host window class that records
// the notifications its controls send, stylus and key input injected through
// the window manager, the virtual clock, and sheets of snapshots compared
// with reference images.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/gdi/Image.h"
#include "platform/win/WinInternal.h"

namespace controltest {

// One WM_COMMAND or WM_NOTIFY the host received.
struct Event {
    UINT msg;   // WM_COMMAND or WM_NOTIFY
    int id;     // control id
    UINT code;  // notification code
    HWND from;
    // WM_NOTIFY details of list and tree views.
    NMLISTVIEW list{};
    NMTREEVIEW tree{};
};

// Snapshots of small host windows stacked top to bottom, 2 pixels apart,
// on a dark background.
class Sheet {
  public:
    void Add(const quorvel::gdi::Image& image);
    const quorvel::gdi::Image& image() const { return m_image; }

  private:
    quorvel::gdi::Image m_image;
};

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A top-level host (button-face background) at the screen's top left.
    HWND Host(int width, int height);
    HWND Make(HWND host, const wchar_t* cls, const wchar_t* text, DWORD style, RECT r, int id,
              DWORD exStyle = 0);
    // A host just large enough for one control with a 3-pixel margin.
    HWND Alone(const wchar_t* cls, const wchar_t* text, DWORD style, int width, int height,
               int id = 100, DWORD exStyle = 0);

    // Input at a point of `hwnd`'s client area.
    void Down(HWND hwnd, POINT p);
    void Move(HWND hwnd, POINT p);
    void Up(HWND hwnd, POINT p);
    void Tap(HWND hwnd, POINT p);
    void Key(UINT vk);
    void Type(const std::wstring& text);
    void Pump();
    // Moves the clock past the double-tap time, so the next tap is single.
    void Wait();

    // Events of the given code, or all with code ~0u.
    std::vector<Event> Events(UINT code = ~0u) const;
    std::vector<Event> TakeEvents();
    // Codes of every WM_COMMAND with the given id, in order.
    std::vector<UINT> Commands(int id) const;

    quorvel::gdi::Image Snap(HWND host);
    std::string Text(HWND hwnd);

    std::vector<HWND> m_hosts;
};

// Test handlers for the host's messages: called instead of the default
// when set (WM_CTLCOLOR*, WM_DRAWITEM...); cleared after every test.
void OnHostMessage(UINT msg, std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> handler);

}  // namespace controltest
