// The strip beside the screen in the SDL window that shows the handheld's
// two status LEDs: LED 0 red and LED 4 green when lit, dark when not, each
// with its label under it.
#pragma once

#include <SDL.h>

namespace quorvel::backends {

// Width of the strip in screen pixels (times the window's scale).
inline constexpr int kLedPanelWidth = 40;

struct LedLook {
    int led;
    SDL_Color lit;
    int centreY;  // in screen pixels from the top
};
inline constexpr LedLook kLedLooks[] = {
    {0, {230, 30, 30, 255}, 40},
    {4, {30, 210, 40, 255}, 100},
};
inline constexpr SDL_Color kLedPanelColour{48, 48, 48, 255};
inline constexpr SDL_Color kLedDarkColour{80, 80, 80, 255};
inline constexpr int kLedRadius = 8;

// Draws the strip with its left edge at window x `left`; `lit` says per
// entry of kLedLooks whether that LED is on.
void DrawLedPanel(SDL_Renderer* renderer, int left, int height, int scale, const bool lit[2]);

}  // namespace quorvel::backends
