// Shared fixture for the window-manager tests: a recording window class,
// per-window message handlers, the virtual clock, and clean-up of every
// window a test leaves behind.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/win/WinInternal.h"

namespace wintest {

struct Entry {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    DWORD thread;
};

using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Every message the recording class's procedure sees, in order.
class Log {
  public:
    static Log& Get();
    void Add(const Entry& e);
    std::vector<Entry> Take();  // returns and clears
    std::vector<Entry> Of(HWND hwnd, UINT msg);
    // Handlers called instead of DefWindowProc for (window, message).
    void On(HWND hwnd, UINT msg, Handler h);
    Handler Find(HWND hwnd, UINT msg);
    void Clear();

  private:
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
    std::map<std::pair<HWND, UINT>, Handler> m_handlers;
};

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Class names registered once per process: "Rec" (plain), "RecDbl"
// (CS_DBLCLKS) and "RecBrush" (with a background brush).
void RegisterTestClasses();

// Messages of the list that are one of `interesting`, as (hwnd, msg) pairs.
std::vector<std::pair<HWND, UINT>> Only(const std::vector<Entry>& log,
                                        std::initializer_list<UINT> interesting);

class WinTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    HWND Top(DWORD style = WS_VISIBLE, RECT r = {0, 0, 240, 320}, HWND owner = nullptr,
             LPCTSTR cls = L"Rec", DWORD ex = 0);
    HWND Child(HWND parent, RECT r, DWORD style = WS_VISIBLE, int id = 0, LPCTSTR cls = L"Rec");
    std::vector<HWND> m_created;
};

}  // namespace wintest
