#include "platform/backends/SdlAudio.h"

#include <cstdio>

namespace quorvel::backends {

SdlAudio::~SdlAudio() {
    Close();
}

void SdlAudio::Close() {
    std::lock_guard lock(m_mutex);
    if (m_device != 0) SDL_CloseAudioDevice(m_device);
    m_device = 0;
    if (m_initialised) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_initialised = false;
}

bool SdlAudio::OpenFor(const SDL_AudioSpec& audio) {
    if (m_device != 0 && audio.freq == m_opened.freq && audio.format == m_opened.format &&
        audio.channels == m_opened.channels) {
        return true;
    }
    if (m_device != 0) SDL_CloseAudioDevice(m_device);
    SDL_AudioSpec wanted = audio;
    wanted.callback = nullptr;  // samples are queued
    wanted.samples = 1024;
    // SDL converts to what the hardware takes, so the sound's format stays ours.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (m_device == 0) return false;
    m_opened = audio;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlAudio::Play(const std::vector<uint8_t>& wav, bool loop) {
    std::lock_guard lock(m_mutex);
    if (m_unavailable) return;
    if (!m_initialised) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "quorvel: no sound output (%s)\n", SDL_GetError());
            m_unavailable = true;
            return;
        }
        m_initialised = true;
    }
    SDL_AudioSpec audio;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
    if (SDL_LoadWAV_RW(source, 1, &audio, &samples, &length) == nullptr) return;
    if (OpenFor(audio)) {
        SDL_ClearQueuedAudio(m_device);
        SDL_QueueAudio(m_device, samples, length);
        m_loopSamples.clear();
        if (loop) m_loopSamples.assign(samples, samples + length);
    }
    SDL_FreeWAV(samples);
}

void SdlAudio::Stop() {
    std::lock_guard lock(m_mutex);
    m_loopSamples.clear();
    if (m_device != 0) SDL_ClearQueuedAudio(m_device);
}

void SdlAudio::Refill() {
    std::lock_guard lock(m_mutex);
    if (m_device == 0 || m_loopSamples.empty()) return;
    if (SDL_GetQueuedAudioSize(m_device) < m_loopSamples.size()) {
        SDL_QueueAudio(m_device, m_loopSamples.data(), static_cast<Uint32>(m_loopSamples.size()));
    }
}

uint32_t SdlAudio::QueuedBytes() const {
    std::lock_guard lock(m_mutex);
    return m_device != 0 ? SDL_GetQueuedAudioSize(m_device) : 0;
}

}  // namespace quorvel::backends
