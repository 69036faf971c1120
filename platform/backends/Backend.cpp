#include "platform/backends/Backend.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/backends/HeadlessBackend.h"
#include "platform/backends/SdlBackend.h"
#include "platform/backends/WindowFit.h"
#include "platform/base/Clock.h"
#include "platform/base/ThreadSignal.h"
#include "platform/device/Leds.h"
#include "platform/device/Sound.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinInternal.h"

namespace quorvel::backends {
namespace {

bool EnvSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

class BackendSoundSink : public device::SoundSink {
  public:
    explicit BackendSoundSink(Backend& backend) : m_backend(backend) {}
    void Play(const device::SoundRequest& request) override {
        m_backend.PlayWave(request.wav, request.async, request.loop);
    }
    void Stop() override { m_backend.StopSound(); }

  private:
    Backend& m_backend;
};

}  // namespace

bool ParseScale(const std::string& text, int* scale, std::string* error) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > kMaxScale) {
        *error = "--scale takes 1 to " + std::to_string(kMaxScale) + ", not " + text;
        return false;
    }
    *scale = static_cast<int>(value);
    return true;
}

bool TakeBackendOptions(int& argc, char** argv, BackendOptions* options, std::string* error) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool takesValue = arg == "--snapshots" || arg == "--scale";
        if (takesValue && i + 1 >= argc) {
            *error = arg + " needs a value";
            return false;
        }
        if (arg == "--headless") {
            options->headless = true;
        } else if (arg == "--snapshots") {
            options->snapshotDir = argv[++i];
        } else if (arg == "--scale") {
            if (!ParseScale(argv[++i], &options->scale, error)) return false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return true;
}

bool Backend::PresentIfChanged() {
    const uint64_t generation = win::ScreenGeneration();
    if (generation == m_presentedGeneration && !WantsPresent()) return false;
    m_presentedGeneration = generation;
    Present();
    return true;
}

bool ShouldUseSdl(bool forceHeadless) {
    if (forceHeadless) return false;
    if (!EnvSet("DISPLAY") && !EnvSet("WAYLAND_DISPLAY")) return false;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return true;
}

std::unique_ptr<Backend> CreateBackend(bool headless) {
    BackendOptions options;
    options.headless = headless;
    return CreateBackend(options);
}

std::unique_ptr<Backend> CreateBackend(const BackendOptions& options) {
    if (!options.headless) {
        std::string error;
        if (std::unique_ptr<Backend> sdl = SdlBackend::Create(options, &error)) return sdl;
        std::fprintf(stderr, "quorvel: no window (%s); running headless\n", error.c_str());
    }
    return std::make_unique<HeadlessBackend>(options);
}

struct DeviceLink::Routes {
    explicit Routes(Backend& backend) : sound(backend) {}
    BackendSoundSink sound;
    device::SoundSink* previousSound = nullptr;
    device::LedSink previousLeds;
};

DeviceLink::DeviceLink(Backend& backend) : m_routes(std::make_unique<Routes>(backend)) {
    m_routes->previousSound = device::SetSoundSink(&m_routes->sound);
    m_routes->previousLeds =
        device::SetLedSink([&backend](int led, bool on) { backend.SetLed(led, on); });
    // The backend shows the LEDs as the device has them now.
    for (int led : device::kLedIds) backend.SetLed(led, device::LedIsOn(led));
}

DeviceLink::~DeviceLink() {
    device::SetLedSink(std::move(m_routes->previousLeds));
    device::SetSoundSink(m_routes->previousSound);
}

int RunMessageLoop(Backend& backend) {
    MSG msg;
    for (;;) {
        if (!backend.PollEvents()) PostQuitMessage(0);
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            win::DispatchLoopMessage(&msg);
        }
        backend.PresentIfChanged();
        // A message posted to this thread kicks the signal and ends the wait.
        const uint32_t poll = backend.PollIntervalMs();
        CurrentThreadSignal().Wait(poll == Backend::kNoPoll ? UINT64_MAX : ClockNowMs() + poll);
    }
}

}  // namespace quorvel::backends
