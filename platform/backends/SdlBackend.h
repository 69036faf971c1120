// The backend with a display: one SDL window showing the 240 x 320 screen
// scaled up, the status LEDs beside it (LedPanel.h), the keyboard as the
// handheld's keys (SdlKeys.h), the left mouse button as the stylus, and the
// sounds through SDL audio (SdlAudio.h).
#pragma once

#include <SDL.h>

#include <atomic>
#include <bitset>
#include <memory>
#include <string>

#include "platform/backends/Backend.h"
#include "platform/backends/SdlAudio.h"
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
    explicit SdlBackend(int scale) : m_scale(scale) {}
    bool Open(std::string* error);
    bool FitTexture();
    void HandleEvent(const SDL_Event& event, bool* keepRunning);
    void HandleKey(const SDL_KeyboardEvent& key);
    void HandleButton(const SDL_MouseButtonEvent& button);
    void HandleMotion(const SDL_MouseMotionEvent& motion);
    POINT ScreenPoint(int windowX, int windowY) const;

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
