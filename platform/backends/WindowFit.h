// Where the SDL window goes on the display and how far it is scaled up.
//
// Kept apart from SDL so that the choice can be tried on any display size.
#pragma once

namespace quorvel::backends {

inline constexpr int kMaxScale = 8;

struct FitRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct WindowFit {
    int scale = 1;
    FitRect window;  // the window's client area on the display
};

// The scale and place of a window showing `contentWidth` x `contentHeight`
// pixels (the screen and the LED strip) inside the display's usable
// `area`. A `requestedScale` of 0 takes the largest whole scale at which
// the window fits the area, at least 1 and at most kMaxScale; any other is
// kept. The window is centred in the area; one larger than the area keeps
// its top left corner in the area's, so that the menu bar stays in sight.
WindowFit FitWindow(const FitRect& area, int contentWidth, int contentHeight, int requestedScale);

}  // namespace quorvel::backends
