// The window manager as the program's code calls on it: window classes and
// procedures, creation and destruction, the window tree, geometry, message
// queues, timers, focus, capture, input state, invalidation and the system
// metrics of the 240 x 320 screen. Names, signatures and values are those of
// the device's system; drawing (HDC, BeginPaint, GetDC...) lives in
// platform/gdi/GdiApi.h.
//
// Threads: every thread that creates a window or asks for a message gets a
// queue. A window belongs to the thread that created it; its procedure is
// only ever called on that thread. SendMessage from another thread waits
// until the window's thread has handled the message inside whatever loop it
// runs (GetMessage, PeekMessage, and base's waits on threads and events).
//
// Handles: HWND values are never reused. Every call on a destroyed window
// fails harmlessly (SendMessage returns 0, PostMessage FALSE).
//
// Sections: types and structures; classes and procedures; creation and the
// tree; attributes; geometry and show state; messages; timers; focus,
// activation and input state; cursors; painting; system.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"
#include "platform/win/WinKeys.h"
#include "platform/win/WinMessages.h"
#include "platform/win/WinStyles.h"

#ifndef CALLBACK
#define CALLBACK
#endif
#ifndef WINAPI
#define WINAPI
#endif

typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef WORD ATOM;

// ---- Types and structures ---------------------------------------------------
typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);
typedef BOOL (*WNDENUMPROC)(HWND, LPARAM);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

struct WNDCLASS {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCTSTR lpszMenuName;
    LPCTSTR lpszClassName;
};
typedef WNDCLASS* LPWNDCLASS;

struct CREATESTRUCT {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCTSTR lpszName;
    LPCTSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCT* LPCREATESTRUCT;

struct WINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
};
typedef WINDOWPOS* LPWINDOWPOS;

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
};
typedef PAINTSTRUCT* LPPAINTSTRUCT;

struct STYLESTRUCT {
    DWORD styleOld;
    DWORD styleNew;
};
typedef STYLESTRUCT* LPSTYLESTRUCT;

struct TRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
typedef TRACKMOUSEEVENT* LPTRACKMOUSEEVENT;

// ---- Classes and procedures ---------------------------------------------------
// Class names compare without case. Registering a name twice fails with
// ERROR_CLASS_ALREADY_EXISTS.
ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(LPCTSTR className, HINSTANCE instance);
BOOL GetClassInfo(HINSTANCE instance, LPCTSTR className, WNDCLASS* out);
int GetClassName(HWND hwnd, LPTSTR buffer, int maxCount);
DWORD GetClassLong(HWND hwnd, int index);
DWORD SetClassLong(HWND hwnd, int index, LONG value);
ULONG_PTR GetClassLongPtr(HWND hwnd, int index);
ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Creation and the tree ------------------------------------------------------
// A child (WS_CHILD) is placed at the bottom of its siblings, so creation
// order is the order of GW_CHILD / GW_HWNDNEXT (the dialog tab order); a
// top-level window goes on top. x/y/width/height CW_USEDEFAULT give a
// top-level window the whole screen.
HWND CreateWindowEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                    LPVOID param);
HWND CreateWindow(LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param);
// Only the window's own thread may destroy it (ERROR_ACCESS_DENIED).
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND GetParent(HWND hwnd);  // child: its parent; owned popup: its owner
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd);
inline HWND GetNextWindow(HWND hwnd, UINT relation) {
    return GetWindow(hwnd, relation);
}
HWND GetDesktopWindow();
HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);
// Top-level windows in z-order, first to last; the callback may destroy windows.
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
// Top-level windows only; either argument may be NULL; both compare without case.
HWND FindWindow(LPCTSTR className, LPCTSTR windowName);
DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId);

// ---- Attributes -------------------------------------------------------------------
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
BOOL SetWindowText(HWND hwnd, LPCTSTR text);
int GetWindowText(HWND hwnd, LPTSTR buffer, int maxCount);
int GetWindowTextLength(HWND hwnd);
// Property names compare without case.
BOOL SetProp(HWND hwnd, LPCTSTR name, HANDLE data);
HANDLE GetProp(HWND hwnd, LPCTSTR name);
HANDLE RemoveProp(HWND hwnd, LPCTSTR name);
BOOL EnableWindow(HWND hwnd, BOOL enable);  // returns TRUE when it was disabled
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);  // the window and all its ancestors
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);

// ---- Geometry and show state ------------------------------------------------------------
BOOL ShowWindow(HWND hwnd, int command);  // returns TRUE when it was visible
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL BringWindowToTop(HWND hwnd);
BOOL GetWindowRect(HWND hwnd, LPRECT rect);  // screen coordinates
BOOL GetClientRect(HWND hwnd, LPRECT rect);  // (0, 0, width, height) of the client area
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
BOOL ScreenToClient(HWND hwnd, LPPOINT point);
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
HWND WindowFromPoint(POINT screenPoint);
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);

// ---- Messages ------------------------------------------------------------------------------
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// FALSE for WM_QUIT, -1 for an invalid window filter, TRUE otherwise.
BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WaitMessage();
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL InSendMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();

// ---- Timers --------------------------------------------------------------------------------
// Timers run on the active clock (platform/base/Clock.h).
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- Focus, activation, capture and input state ------------------------------------------------
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(LPPOINT point);
BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track);
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
UINT GetDoubleClickTime();
// Injects nothing: the program calls it to keep the device awake, so it only
// counts as user activity (see quorvel::win::IdleResetCount).
void keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo);

// ---- Cursors ---------------------------------------------------------------------------------
// Only the standard arrow and wait cursors exist (LoadCursor with a NULL
// instance). Nothing is drawn for them: SetCursor records which one the
// program shows, for GetCursor to report.
#define IDC_ARROW (reinterpret_cast<LPCTSTR>(static_cast<ULONG_PTR>(32512)))
#define IDC_WAIT (reinterpret_cast<LPCTSTR>(static_cast<ULONG_PTR>(32514)))
HCURSOR LoadCursor(HINSTANCE instance, LPCTSTR name);
HCURSOR SetCursor(HCURSOR cursor);  // returns the cursor it replaces
HCURSOR GetCursor();

// ---- Painting --------------------------------------------------------------------------------
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags);

// ---- System ------------------------------------------------------------------------------------
int GetSystemMetrics(int index);
