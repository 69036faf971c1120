#include "platform/backends/SdlBackend.h"

#include <algorithm>

#include "platform/backends/LedPanel.h"
#include "platform/backends/SdlKeys.h"
#include "platform/backends/WindowFit.h"
#include "platform/gdi/Surface.h"
#include "platform/win/WinInternal.h"

namespace quorvel::backends {

std::unique_ptr<SdlBackend> SdlBackend::Create(const BackendOptions& options, std::string* error) {
    std::unique_ptr<SdlBackend> backend(new SdlBackend(std::clamp(options.scale, 0, kMaxScale)));
    if (!backend->Open(error)) return nullptr;
    return backend;
}

bool SdlBackend::Open(std::string* error) {
    // Screen pixels stay sharp squares when scaled.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The tap that focuses the window is a tap too, as on a touch screen.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *error = SDL_GetError();
        return false;
    }
    m_videoStarted = true;
    const WindowFit fit = FitToDisplay(0, 0, 0, 0);
    m_scale = fit.scale;
    m_window = SDL_CreateWindow("Quorvel", fit.window.x, fit.window.y, fit.window.width,
                                fit.window.height, SDL_WINDOW_SHOWN);
    if (m_window != nullptr) FitFrame();
    // A small screen that changes a few times a second needs no GPU: the
    // software renderer over the window's own framebuffer starts at once and
    // works on any display, remote and virtual ones included.
    if (m_window != nullptr) m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (m_renderer == nullptr || !FitTexture()) {
        *error = SDL_GetError();
        return false;
    }
    SDL_StartTextInput();
    SDL_RaiseWindow(m_window);
    return true;
}

// The display's usable area less the window manager's frame around the
// window (its widths at each side).
WindowFit SdlBackend::FitToDisplay(int left, int top, int right, int bottom) const {
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 && SDL_GetDisplayBounds(0, &usable) != 0)
        return FitWindow(FitRect{0, 0, 0, 0}, ContentWidth(), ContentHeight(),
                         m_requestedScale > 0 ? m_requestedScale : 2);
    const FitRect area{usable.x + left, usable.y + top, usable.w - left - right,
                       usable.h - top - bottom};
    return FitWindow(area, ContentWidth(), ContentHeight(), m_requestedScale);
}

// A window manager's title bar and borders come on top of the window; once
// known, the window is scaled and placed again so that they fit as well.
void SdlBackend::FitFrame() {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(m_window, &top, &left, &bottom, &right) != 0) return;
    if (top == 0 && left == 0 && bottom == 0 && right == 0) return;
    const WindowFit fit = FitToDisplay(left, top, right, bottom);
    m_scale = fit.scale;
    SDL_SetWindowSize(m_window, fit.window.width, fit.window.height);
    SDL_SetWindowPosition(m_window, fit.window.x, fit.window.y);
}

int SdlBackend::ContentWidth() const {
    return gdi::Screen().width + kLedPanelWidth;
}

int SdlBackend::ContentHeight() const {
    return gdi::Screen().height;
}

SdlBackend::~SdlBackend() {
    m_audio.reset();
    if (m_texture != nullptr) SDL_DestroyTexture(m_texture);
    if (m_renderer != nullptr) SDL_DestroyRenderer(m_renderer);
    if (m_window != nullptr) SDL_DestroyWindow(m_window);
    if (m_videoStarted) SDL_Quit();
}

// The texture follows the framebuffer's size (tests may change it).
bool SdlBackend::FitTexture() {
    const gdi::Surface& screen = gdi::Screen();
    if (m_texture != nullptr && screen.width == m_screenWidth && screen.height == m_screenHeight)
        return true;
    if (m_texture != nullptr) SDL_DestroyTexture(m_texture);
    m_screenWidth = screen.width;
    m_screenHeight = screen.height;
    SDL_SetWindowSize(m_window, (m_screenWidth + kLedPanelWidth) * m_scale,
                      m_screenHeight * m_scale);
    // XRGB8888 is the framebuffer's 0x00RRGGBB as it lies in memory.
    m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                  m_screenWidth, m_screenHeight);
    return m_texture != nullptr;
}

void SdlBackend::Present() {
    m_redraw = false;
    if (!FitTexture()) return;
    const gdi::Surface& screen = gdi::Screen();
    {
        const auto lock = gdi::LockPixels(screen);
        SDL_UpdateTexture(m_texture, nullptr, screen.pixels,
                          screen.stride * static_cast<int>(sizeof(uint32_t)));
    }
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    const SDL_Rect target{0, 0, m_screenWidth * m_scale, m_screenHeight * m_scale};
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &target);
    const bool lit[2] = {m_leds[0].load(), m_leds[1].load()};
    DrawLedPanel(m_renderer, target.w, target.h, m_scale, lit);
    SDL_RenderPresent(m_renderer);
}

bool SdlBackend::PollEvents() {
    SDL_Event event;
    bool keepRunning = true;
    while (SDL_PollEvent(&event)) HandleEvent(event, &keepRunning);
    if (!keepRunning) m_closed = true;
    m_audio->Refill();
    return !m_closed;
}

void SdlBackend::HandleEvent(const SDL_Event& event, bool* keepRunning) {
    switch (event.type) {
        case SDL_QUIT:
            *keepRunning = false;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) *keepRunning = false;
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && m_stylusDown) {
                // The button may come up where this window never hears it.
                m_stylusDown = false;
                win::InjectStylus(m_stylusPoint.x, m_stylusPoint.y, false);
            }
            m_redraw = true;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            HandleKey(event.key);
            break;
        case SDL_TEXTINPUT:
            for (WCHAR ch : CharsFromText(event.text.text)) win::InjectChar(ch);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            HandleButton(event.button);
            break;
        case SDL_MOUSEMOTION:
            HandleMotion(event.motion);
            break;
        default:
            break;
    }
}

void SdlBackend::HandleKey(const SDL_KeyboardEvent& key) {
    const bool down = key.type == SDL_KEYDOWN;
    const UINT vk = VirtualKeyForSdl(key.keysym.sym, down ? key.keysym.mod : 0);
    if (vk == 0 || vk > 0xFF) return;
    // A key that went down as text only must not come up as a key.
    if (!down && !m_keysDown.test(vk)) return;
    m_keysDown.set(vk, down);
    win::InjectKey(vk, down);
}

POINT SdlBackend::ScreenPoint(int windowX, int windowY) const {
    return POINT{std::clamp(windowX / m_scale, 0, m_screenWidth - 1),
                 std::clamp(windowY / m_scale, 0, m_screenHeight - 1)};
}

void SdlBackend::HandleButton(const SDL_MouseButtonEvent& button) {
    if (button.button != SDL_BUTTON_LEFT) return;
    if (button.type == SDL_MOUSEBUTTONDOWN) {
        // Taps on the LED strip are not on the screen.
        if (button.x >= m_screenWidth * m_scale || m_stylusDown) return;
        m_stylusDown = true;
        SDL_CaptureMouse(SDL_TRUE);
    } else {
        if (!m_stylusDown) return;
        m_stylusDown = false;
        SDL_CaptureMouse(SDL_FALSE);
    }
    m_stylusPoint = ScreenPoint(button.x, button.y);
    win::InjectStylus(m_stylusPoint.x, m_stylusPoint.y, m_stylusDown);
}

void SdlBackend::HandleMotion(const SDL_MouseMotionEvent& motion) {
    if (!m_stylusDown) return;
    m_stylusPoint = ScreenPoint(motion.x, motion.y);
    win::InjectStylus(m_stylusPoint.x, m_stylusPoint.y, true);
}

void SdlBackend::SetLed(int led, bool on) {
    for (int i = 0; i < 2; ++i) {
        if (kLedLooks[i].led == led && m_leds[i].exchange(on) != on) m_redraw = true;
    }
}

void SdlBackend::PlayWave(const std::vector<uint8_t>& wav, bool /*async*/, bool loop) {
    m_audio->Play(wav, loop);
}

void SdlBackend::StopSound() {
    m_audio->Stop();
}

}  // namespace quorvel::backends
