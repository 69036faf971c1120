// What the rest of the platform (gdi, controls, dialogs, framework,
// backends, testing) needs of the window manager beyond the program's own
// calls: screen geometry and clipping, the update region, hooks through
// which drawing libraries supply the default painting, input injection, the
// message-loop plumbing and cross-process single-instance sharing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/WinApi.h"

namespace quorvel::win {

// ---- Screen ------------------------------------------------------------------
// The logical screen, 240 x 320 unless a test (or gdi's ResizeScreen) sets
// another size. Maximised windows and CW_USEDEFAULT fill it.
void SetScreenSize(int width, int height);
SIZE ScreenSize();
// Caption height of a WS_CAPTION window: the handheld's 20 pixels (also
// GetSystemMetrics(SM_CYCAPTION)). WS_BORDER/WS_DLGFRAME give a 1-pixel frame.
constexpr int kCaptionHeight = 20;
constexpr int kBorderWidth = 1;

// Bumps whenever painting may have changed the screen; backends poll it.
uint64_t ScreenGeneration();
void NoteScreenChanged();

// ---- Geometry and clipping -------------------------------------------------------
bool WindowScreenRect(HWND hwnd, RECT* window);
bool ClientScreenRect(HWND hwnd, RECT* client);
// The parts of the window (or of its client area), in screen coordinates,
// that are on the screen and not covered: clipped by every ancestor's client
// area, minus visible siblings above it (at every level) and minus its
// visible children. Empty for hidden windows.
std::vector<RECT> VisibleRects(HWND hwnd, bool clientOnly);

// ---- Painting --------------------------------------------------------------------
// For BeginPaint: returns and clears the window's update area (bounding
// rectangle, client coordinates) and whether the background must be erased.
// Sends WM_NCPAINT first when the frame needs drawing. False when the window
// is invalid.
bool TakeUpdateRegion(HWND hwnd, RECT* bounds, bool* erase);
// True while the window has something to paint (client update or frame).
bool NeedsPaint(HWND hwnd);

// Default handling that needs drawing, supplied by gdi (win never draws):
// WM_ERASEBKGND fills the update area with the class brush and returns
// non-zero when it erased; without the hook DefWindowProc returns whether
// the class has a brush.
void SetDefaultEraseHook(BOOL (*hook)(HWND hwnd, HDC hdc));
// WM_PAINT default: BeginPaint/EndPaint. Without the hook the window is
// validated.
void SetDefaultPaintHook(void (*hook)(HWND hwnd));
// WM_NCPAINT default: draw the border and caption of a framed window.
void SetNonClientPaintHook(void (*hook)(HWND hwnd));
// Screen pieces (screen coordinates) uncovered where no window is: the
// drawing library fills them with the desktop colour.
void SetDesktopPaintHook(void (*hook)(const RECT& screenPiece));
// Any other default handling a drawing library owns (WM_CTLCOLOR*): the hook
// returns true and sets *result when it handled the message.
void SetDefWindowProcHook(bool (*hook)(HWND, UINT, WPARAM, LPARAM, LRESULT* result));

// ---- Creation hook -----------------------------------------------------------------
// Called on the creating thread with every new window before its first
// message (WM_NCCREATE), so a framework can attach its object to the handle.
// Per thread; returns the previous hook.
using CreateHook = void (*)(HWND hwnd, CREATESTRUCT* cs);
CreateHook SetWindowCreateHook(CreateHook hook);

// ---- Message loops -------------------------------------------------------------------
// The pre-translation chain. The framework installs one hook per process
// (CWnd::PreTranslateMessage walked from msg->hwnd up to its top-level
// window, stopping at the first that handles it; dialog keyboard handling
// inside dialogs). Every message loop, the framework's main loop and every
// modal loop, calls DispatchLoopMessage for each message it gets, which is
// PreTranslate, then TranslateMessage and DispatchMessage unless handled.
using PreTranslateHook = bool (*)(MSG* msg);
PreTranslateHook SetPreTranslateHook(PreTranslateHook hook);  // returns the previous
bool PreTranslate(MSG* msg);                                  // true: handled, do not dispatch
void DispatchLoopMessage(MSG* msg);

// The idle hook: called on the installing thread by GetMessage and
// WaitMessage each time they find nothing to retrieve, before they wait, so
// that whoever drives the program from outside (the launcher's backend,
// snapshots and script) works inside whichever loop is innermost, modal
// ones included. It returns the longest time, in ms of the clock, the loop
// may then wait before calling it again (UINT32_MAX: until something comes).
// It is not called again while it runs. Per thread; returns the previous.
using IdleHook = uint32_t (*)();
IdleHook SetIdleHook(IdleHook hook);

// Serves every message other threads have sent to the calling thread; true
// when at least one was served. GetMessage and PeekMessage do this
// themselves, and base's blocking waits call it through the sent-message hook.
bool ServeSentMessages();

// For tests and headless runs: dispatches, through DispatchLoopMessage,
// everything this thread has queued, every pending paint and every timer
// that is due on the clock, until nothing is left. A pending WM_QUIT is left
// in place. True when anything was dispatched.
bool PumpUntilIdle();

// ---- Input injection (backends and tests) -----------------------------------------------
// Keys go to the focus window (else the active window) at the moment the
// message is retrieved: WM_KEYDOWN/WM_KEYUP, or WM_SYSKEYDOWN/WM_SYSKEYUP
// while VK_MENU (Alt) is down. TranslateMessage makes WM_CHAR.
void InjectKey(UINT virtualKey, bool down);
// A character typed directly (text entry by a backend): WM_CHAR to the focus.
void InjectChar(WCHAR ch);
// The stylus in screen coordinates: WM_LBUTTONDOWN (WM_LBUTTONDBLCLK for a
// second tap within GetDoubleClickTime() and SM_CXDOUBLECLK pixels on a
// CS_DBLCLKS window), WM_MOUSEMOVE only while down, WM_LBUTTONUP; sent to
// the capture window or to the topmost visible, enabled window under the
// point (a disabled top-level window swallows the tap).
void InjectStylus(int x, int y, bool down);
// The pointer over the screen without touching it, for tests of what the
// program does with a pointer that hovers: the cursor moves, and while the
// stylus is up WM_MOUSEMOVE without button flags goes to the capture window
// or the window under the point. A touch screen reports no such moves, so
// backends never inject them.
void InjectHover(int x, int y);
// How many times the program reset the idle timer through keybd_event.
uint64_t IdleResetCount();

// ---- Single instance across processes ------------------------------------------------------
// Windows live in one process. With sharing enabled (the application passes
// the device root), this process publishes its top-level windows (class,
// title, visibility, properties) through a socket in <dir>/.quorvel, and
// EnumWindows, FindWindow and GetWindow(GW_HWNDFIRST) also list the
// published top-level windows of other processes as proxy windows.
// GetProp, GetWindowText, GetClassName, GetWindowRect and IsWindowVisible
// answer from the published copy; ShowWindow, SetForegroundWindow and
// BringWindowToTop on a proxy are carried out by the owning process on its
// window's thread. Messages are not carried: SendMessage to a proxy returns
// 0 and PostMessage FALSE.
bool EnableInstanceSharing(const std::string& dir);
void DisableInstanceSharing();

}  // namespace quorvel::win
