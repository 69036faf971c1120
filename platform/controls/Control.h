// The common part of every standard control: the window object behind the
// handle (kept in the class's extra window bytes, so subclassing through
// GWL_WNDPROC leaves it in place), its font, and the ways it talks to its
// parent.
#pragma once

#include <string>

#include "platform/controls/CommCtrl.h"

namespace quorvel::controls {

class Control {
  public:
    explicit Control(HWND hwnd) : m_hwnd(hwnd) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // The state worth a line in a dump: " checked", " sel=2 items=[...]"...
    virtual std::string Describe() const { return {}; }

    HWND hwnd() const { return m_hwnd; }
    HFONT font() const { return m_font; }
    DWORD style() const { return static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_STYLE)); }
    int id() const { return GetDlgCtrlID(m_hwnd); }
    bool focused() const { return GetFocus() == m_hwnd; }
    bool enabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    std::wstring text() const;
    RECT clientRect() const;

  protected:
    // Font, erasing (controls paint every pixel themselves), enabling and
    // text changes repaint; everything else goes to DefWindowProc.
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    void Invalidate() const { InvalidateRect(m_hwnd, nullptr, FALSE); }
    // WM_COMMAND to the parent: the id in the low word, `code` in the high.
    LRESULT Command(UINT code) const;
    // WM_NOTIFY to the parent, with hwndFrom, idFrom and code filled in.
    LRESULT Notify(NMHDR& header, UINT code) const;
    // WM_CTLCOLOR* to the parent after preparing the default colours; the
    // parent's brush, or the system brush `defaultColor` when it gives none.
    HBRUSH AskColors(UINT msg, HDC hdc, int defaultColor, int defaultText) const;
    // Frames and group boxes are drawn around other controls: keeps `hdc`
    // off the visible siblings that overlap this control, then fills what
    // is left with `brush`.
    void FillAroundSiblings(HDC hdc, HBRUSH brush) const;
    // Sends the parent `msg`, e.g. WM_DRAWITEM, with this control's id.
    LRESULT SendToParent(UINT msg, WPARAM wParam, LPARAM lParam) const;
    // Where notifications go: the parent, or the window set by a control
    // that owns this one (a combo box's list).
    HWND NotifyTarget() const;
    void SetNotifyTarget(HWND target) { m_notifyTarget = target; }

    HWND m_hwnd;
    HFONT m_font = nullptr;
    HWND m_notifyTarget = nullptr;

  private:
    friend LRESULT DispatchToControl(Control* (*)(HWND), HWND, UINT, WPARAM, LPARAM);
    // A notification may destroy the window while one of its messages is
    // being handled further up the stack: the object then goes when the
    // outermost handler returns.
    int m_depth = 0;
    bool m_gone = false;
};

// The control behind a handle of one of our classes, else null.
Control* ControlOf(HWND hwnd);

// The window procedure of class T: creates the object at WM_NCCREATE and
// deletes it after WM_NCDESTROY.
LRESULT DispatchToControl(Control* (*make)(HWND), HWND hwnd, UINT msg, WPARAM wParam,
                          LPARAM lParam);
template <class T>
LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DispatchToControl([](HWND h) -> Control* { return new T(h); }, hwnd, msg, wParam,
                             lParam);
}

// Registers a class whose windows keep their Control in the extra bytes.
void RegisterControlClass(const wchar_t* name, WNDPROC proc, UINT classStyle);

// `text` in UTF-8 between double quotes, with \", \\, \r and \n escaped.
std::string Quote(const std::wstring& text);

// Signed client coordinates of a mouse message.
inline POINT MousePoint(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}
inline bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace quorvel::controls
