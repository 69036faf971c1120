// The backend with a display: one SDL window showing the 240 x 320 screen
// scaled up (by default as far as the display's usable area allows, the
// window placed wholly inside it: WindowFit.h), the status LEDs beside it (LedPanel.h), the
// keyboard as the handheld's keys (SdlKeys.h), the left mouse button as the stylus, and the sounds
// through SDL audio (SdlAudio.h).
#pragma once

#include <SDL.h>

#include <atomic>
#include <bitset>
#include <memory>
#include <string>

#include "platform/backends/Backend.h"
#include "platform/backends/SdlAudio.h"
#include "platform/backends/WindowFit.h"
#include "platform/base/WinTypes.h"

namespace quorvel::backends {

class SdlBackend : public Backend {
  public:
    // Null, with the reason in *error, when SDL's video or the window fails.
    static std::unique_ptr<SdlBackend> Create(const BackendOptions& options, std::string* error);
    ~SdlBackend() override;

    bool IsHeadless() const override { return false; }
    void Present() override;
    bool PollEvents() override;
    void SetLed(int led, bool on) override;
    void PlayWave(const std::vector<uint8_t>& wav, bool async, bool loop = false) override;
    void StopSound() override;

    SDL_Window* Window() const { return m_window; }
    int Scale() const { return m_scale; }
    uint32_t QueuedAudioBytes() const { return m_audio->QueuedBytes(); }

  protected:
    bool WantsPresent() const override { return m_redraw.load(); }

  private:
    // `scale` 0: the largest that fits the display.
    explicit SdlBackend(int scale) : m_requestedScale(scale), m_scale(scale > 0 ? scale : 1) {}
    bool Open(std::string* error);
    WindowFit FitToDisplay(int left, int top, int right, int bottom) const;
    void FitFrame();
    int ContentWidth() const;
    int ContentHeight() const;
    bool FitTexture();
    void HandleEvent(const SDL_Event& event, bool* keepRunning);
    void HandleKey(const SDL_KeyboardEvent& key);
    void HandleButton(const SDL_MouseButtonEvent& button);
    void HandleMotion(const SDL_MouseMotionEvent& motion);
    POINT ScreenPoint(int windowX, int windowY) const;

    int m_requestedScale;
    int m_scale;
    bool m_videoStarted = false;
    bool m_closed = false;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    bool m_stylusDown = false;
    POINT m_stylusPoint{0, 0};
    std::bitset<256> m_keysDown;  // keys the program has seen go down
    std::atomic<bool> m_leds[2] = {false, false};
    std::atomic<bool> m_redraw{true};
    std::unique_ptr<SdlAudio> m_audio = std::make_unique<SdlAudio>();
};

}  // namespace quorvel::backends
