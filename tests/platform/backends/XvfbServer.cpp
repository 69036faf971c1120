#include "tests/platform/backends/XvfbServer.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

namespace backendtest {

bool XvfbServer::Available() {
    std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin");
    std::string dir;
    while (std::getline(path, dir, ':')) {
        if (::access((dir + "/Xvfb").c_str(), X_OK) == 0) return true;
    }
    return false;
}

bool XvfbServer::Start(const std::string& screen) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(fds[0]);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        const std::string fd = std::to_string(fds[1]);
        // -displayfd: the server picks a free display and writes its number.
        // -noreset: without it the server resets whenever its last client
        // leaves, and refuses the next test's connection while it does.
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0",
                 screen.c_str(), "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string number;
    pollfd pfd{fds[0], POLLIN, 0};
    char c;
    while (::poll(&pfd, 1, 20000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (m_pid < 0 || number.empty()) {
        Stop();
        return false;
    }
    m_display = ":" + number;
    ::setenv("DISPLAY", m_display.c_str(), 1);
    return true;
}

void XvfbServer::Stop() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
}

XWindowId XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

XClient::XClient() : m_display(XOpenDisplay(nullptr)) {}

XClient::~XClient() {
    if (m_display != nullptr) XCloseDisplay(m_display);
}

uint32_t XClient::Pixel(XWindowId window, int x, int y) {
    XImage* image = XGetImage(m_display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return 0xFFFFFFFFu;
    const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
    XDestroyImage(image);
    return pixel;
}

void XClient::MovePointer(XWindowId window, int x, int y) {
    int rootX = 0, rootY = 0;
    ::Window child;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), rootX, rootY, CurrentTime);
    XSync(m_display, False);
}

void XClient::Button(bool down) {
    XTestFakeButtonEvent(m_display, 1, down, CurrentTime);
    XSync(m_display, False);
}

void XClient::Key(unsigned long keysym, bool shifted) {
    const KeyCode shift = XKeysymToKeycode(m_display, XK_Shift_L);
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    if (shifted) XTestFakeKeyEvent(m_display, shift, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    if (shifted) XTestFakeKeyEvent(m_display, shift, False, CurrentTime);
    XSync(m_display, False);
}

void XClient::RequestClose(XWindowId window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

namespace {
int IgnoreErrors(::Display*, XErrorEvent*) {
    return 0;
}
}  // namespace

bool XClient::WindowExists(XWindowId window) {
    XErrorHandler previous = XSetErrorHandler(&IgnoreErrors);
    XWindowAttributes attributes;
    const Status ok = XGetWindowAttributes(m_display, window, &attributes);
    XSync(m_display, False);
    XSetErrorHandler(previous);
    return ok != 0;
}

XRect XClient::RectOnScreen(XWindowId window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(m_display, window, &attributes) == 0) return XRect{};
    int rootX = 0, rootY = 0;
    ::Window child;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &rootX, &rootY,
                          &child);
    return XRect{rootX, rootY, attributes.width, attributes.height};
}

XRect XClient::ScreenSize() {
    const int screen = DefaultScreen(m_display);
    return XRect{0, 0, DisplayWidth(m_display, screen), DisplayHeight(m_display, screen)};
}

void XClient::Focus(XWindowId window) {
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

}  // namespace backendtest
