#include "platform/backends/LedPanel.h"

#include <cmath>

namespace quorvel::backends {
namespace {

// A 3 x 5 pixel font for the labels' few characters, one row per entry,
// the top bit of three first.
struct Glyph {
    char ch;
    unsigned char rows[5];
};
constexpr Glyph kGlyphs[] = {
    {'L', {4, 4, 4, 4, 7}}, {'E', {7, 4, 6, 4, 7}}, {'D', {6, 5, 5, 5, 6}},
    {'0', {7, 5, 5, 5, 7}}, {'4', {5, 5, 7, 1, 1}},
};

const Glyph* FindGlyph(char ch) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.ch == ch) return &glyph;
    }
    return nullptr;  // a space
}

void FillRect(SDL_Renderer* renderer, int x, int y, int w, int h) {
    const SDL_Rect rect{x, y, w, h};
    SDL_RenderFillRect(renderer, &rect);
}

void DrawLabel(SDL_Renderer* renderer, const char* text, int centreX, int top, int scale) {
    const int advance = 4 * scale;
    int length = 0;
    while (text[length] != '\0') ++length;
    int x = centreX - (length * advance - scale) / 2;
    SDL_SetRenderDrawColor(renderer, 220, 220, 220, 255);
    for (const char* c = text; *c != '\0'; ++c, x += advance) {
        const Glyph* glyph = FindGlyph(*c);
        if (glyph == nullptr) continue;
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (glyph->rows[row] & (4 >> col))
                    FillRect(renderer, x + col * scale, top + row * scale, scale, scale);
            }
        }
    }
}

void FillCircle(SDL_Renderer* renderer, int cx, int cy, int radius) {
    for (int dy = -radius; dy <= radius; ++dy) {
        const int half =
            static_cast<int>(std::sqrt(static_cast<double>(radius * radius - dy * dy)));
        SDL_RenderDrawLine(renderer, cx - half, cy + dy, cx + half, cy + dy);
    }
}

}  // namespace

void DrawLedPanel(SDL_Renderer* renderer, int left, int height, int scale, const bool lit[2]) {
    const SDL_Color& back = kLedPanelColour;
    SDL_SetRenderDrawColor(renderer, back.r, back.g, back.b, back.a);
    FillRect(renderer, left, 0, kLedPanelWidth * scale, height);
    const int centreX = left + kLedPanelWidth * scale / 2;
    for (int i = 0; i < 2; ++i) {
        const LedLook& look = kLedLooks[i];
        const SDL_Color& colour = lit[i] ? look.lit : kLedDarkColour;
        SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
        FillCircle(renderer, centreX, look.centreY * scale, kLedRadius * scale);
        const char* label = look.led == 0 ? "LED 0" : "LED 4";
        DrawLabel(renderer, label, centreX, (look.centreY + kLedRadius + 6) * scale, scale);
    }
}

}  // namespace quorvel::backends
