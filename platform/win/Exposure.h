// Update areas and what a change of the window tree uncovers. Every function
// here expects the state lock, except PaintDesktop and PaintNow.
//
// A change that may uncover parts of other windows (hide, move, resize,
// destroy, z-order) is bracketed by an Exposure: it records what each window
// showed in the area before the change, and Finish invalidates in each
// window exactly the pieces it shows now and did not show before.
#pragma once

#include <map>
#include <vector>

#include "platform/win/WindowState.h"

namespace quorvel::win::detail {

std::vector<RECT> VisibleRectsLocked(const Window* w, bool clientOnly);

// Adds `clientRect` (client coordinates) to the window's update area; a
// hidden window or one with redraw off takes no update, as on the device.
void AddUpdate(Window* w, const RECT& clientRect, bool erase);
// The whole window: client area (erased) and frame.
void InvalidateWhole(Window* w);
// The window and all its descendants, wholly.
void InvalidateSubtree(Window* w);
// A piece of the screen that became visible in the window: the client part
// goes to the update area (erased), a frame part marks the frame.
void InvalidateScreenPiece(Window* w, const RECT& screenPiece);

class Exposure {
  public:
    explicit Exposure(const RECT& screenArea);
    // Invalidates what the change uncovered; collects the uncovered screen
    // pieces no window covers (for the desktop).
    void Finish(std::vector<RECT>* desktopPieces);

  private:
    RECT m_area;
    std::map<HWND, std::vector<RECT>> m_before;
};

// Hands uncovered desktop pieces to the drawing library (no lock held).
void PaintDesktop(const std::vector<RECT>& pieces);
// Sends WM_PAINT to each window of the list that needs painting (no lock held).
void PaintNow(const std::vector<HWND>& windows);

}  // namespace quorvel::win::detail
