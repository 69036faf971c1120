// A private X server (Xvfb) for tests that need a real display, and the X
// client calls such tests make on it: XTest input that goes through the
// server like a person's, and pixels read back from a window. Xlib's own
// header stays out of here: its macros clash with the test framework's names.
#pragma once

#include <SDL.h>
#include <sys/types.h>

#include <cstdint>
#include <string>

struct _XDisplay;

namespace backendtest {

using XWindowId = unsigned long;
// Key symbols the tests type (the X values).
constexpr unsigned long kKeyA = 0x0061;
constexpr unsigned long kKey1 = 0x0031;
constexpr unsigned long kKeyComma = 0x002c;
constexpr unsigned long kKeyF3 = 0xffc0;

class XvfbServer {
  public:
    XvfbServer() = default;
    ~XvfbServer() { Stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    static bool Available();  // Xvfb is on the PATH
    // Starts "Xvfb :N -noreset -screen 0 SCREEN" on a display number the
    // server picks itself; sets DISPLAY. False when it did not come up.
    bool Start(const std::string& screen = "640x800x24");
    void Stop();
    const std::string& Display() const { return m_display; }

  private:
    pid_t m_pid = -1;
    std::string m_display;
};

// The X window behind an SDL window, 0 when it is not on X.
XWindowId XWindowOf(SDL_Window* window);

struct XRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One client connection to the test's X server.
class XClient {
  public:
    XClient();
    ~XClient();
    bool Connected() const { return m_display != nullptr; }

    // The pixel at (x, y) of the window, 0x00RRGGBB.
    uint32_t Pixel(XWindowId window, int x, int y);
    // The pointer moves to the window's (x, y); the left button goes down or up.
    void MovePointer(XWindowId window, int x, int y);
    void Button(bool down);
    void Key(unsigned long keysym, bool shifted = false);
    // What a window manager's close button does.
    void RequestClose(XWindowId window);
    bool WindowExists(XWindowId window);
    void Focus(XWindowId window);
    // Where the window lies on the screen, and the screen itself.
    XRect RectOnScreen(XWindowId window);
    XRect ScreenSize();

  private:
    _XDisplay* m_display = nullptr;
};

}  // namespace backendtest
