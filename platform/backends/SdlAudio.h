// WAV sounds through SDL audio. The output device is opened for the format
// of the sound to play and reopened when a sound of another format comes;
// the samples are queued, so nothing here waits for a sound to end. Without
// any audio output the sounds are dropped, after one message.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace quorvel::backends {

class SdlAudio {
  public:
    SdlAudio() = default;
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    void Play(const std::vector<uint8_t>& wav, bool loop);
    void Stop();
    // Queues a looping sound again before it runs dry; called by the event loop.
    void Refill();
    uint32_t QueuedBytes() const;

  private:
    bool OpenFor(const SDL_AudioSpec& audio);
    void Close();

    mutable std::mutex m_mutex;
    bool m_initialised = false;
    bool m_unavailable = false;
    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_opened{};
    std::vector<uint8_t> m_loopSamples;
};

}  // namespace quorvel::backends
