// Where the program's screen, input, LEDs and sounds meet the host.
//
// Two backends exist. The headless one keeps the screen in memory (input
// comes from tests through the window manager's injection functions), makes
// sounds instant and records them and the LEDs, and can write snapshots of
// the screen to a folder for a person to open. The SDL one shows the screen
// in a window, scaled up, with the two status LEDs beside it, maps the
// keyboard to the handheld's keys and the mouse to the stylus, and plays
// the sounds.
//
// A backend belongs to the thread that runs the program's windows: Present
// and PollEvents are called there. SetLed, PlayWave and StopSound may come
// from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel::backends {

struct BackendOptions {
    bool headless = false;
    // Window pixels per screen pixel (SDL), 1 to 8; 0: the largest at which
    // the window fits the display's usable area.
    int scale = 0;
    // Headless: a folder that receives a PNG of the screen whenever it has
    // changed, at most once per interval of the program's clock.
    std::string snapshotDir;
    uint32_t snapshotIntervalMs = 1000;
};

// Takes the backend's own options out of the command line, leaving the
// program's: --headless, --snapshots DIR, --scale N (1 to 8). False, with
// the reason in *error, for a missing or bad value.
bool TakeBackendOptions(int& argc, char** argv, BackendOptions* options, std::string* error);
// The value of --scale: a whole number from 1 to 8. False, with the reason
// in *error, for anything else.
bool ParseScale(const std::string& text, int* scale, std::string* error);

class Backend {
  public:
    virtual ~Backend() = default;

    virtual bool IsHeadless() const = 0;
    // Shows the framebuffer as it is now.
    virtual void Present() = 0;
    // Hands pending host input to the window manager; false once the user
    // has asked to close the program.
    virtual bool PollEvents() = 0;
    virtual void SetLed(int led, bool on) = 0;
    // `wav` is a whole RIFF image. Replaces the sound playing. Never blocks
    // for the sound's length: a synchronous caller waits on the clock itself.
    virtual void PlayWave(const std::vector<uint8_t>& wav, bool async, bool loop = false) = 0;
    virtual void StopSound() = 0;
    // How long a message loop may sleep before polling again; kNoPoll: until
    // it is kicked.
    static constexpr uint32_t kNoPoll = UINT32_MAX;
    virtual uint32_t PollIntervalMs() const { return 10; }

    // Presents when painting has changed the screen since the last
    // presentation, or when the backend has something of its own to show.
    // True when it presented.
    bool PresentIfChanged();

  protected:
    virtual bool WantsPresent() const { return false; }

  private:
    uint64_t m_presentedGeneration = UINT64_MAX;
};

// True when a display is there to use: not forced headless, DISPLAY or
// WAYLAND_DISPLAY set, and SDL's video starts.
bool ShouldUseSdl(bool forceHeadless);

// An SDL backend unless `headless`; when the window cannot be made, says so
// on the standard error stream and falls back to headless.
std::unique_ptr<Backend> CreateBackend(bool headless);
std::unique_ptr<Backend> CreateBackend(const BackendOptions& options);

// Routes the device's sounds and status LEDs to a backend for as long as it
// lives; the previous routes come back afterwards.
class DeviceLink {
  public:
    explicit DeviceLink(Backend& backend);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

  private:
    struct Routes;
    std::unique_ptr<Routes> m_routes;
};

// The program's main message loop over a backend: dispatches the calling
// thread's messages, feeds host input, presents the screen and sleeps on
// the clock in between. Closing the SDL window posts WM_QUIT. Returns the
// WM_QUIT exit code.
int RunMessageLoop(Backend& backend);

}  // namespace quorvel::backends
