// Playing WAV sounds: the device's sndPlaySound and PlaySound.
//
// The sound is read and measured here; what comes out of a speaker is the
// business of the sink the backend installs (SDL audio with a display, a
// record in headless runs). Without a sink sounds are measured and waited
// for, and nothing is heard.
//
// Timing follows the device:
//   - synchronous playback returns after the sound's length on the program's
//     clock (a test's virtual clock makes it cost no real time);
//   - asynchronous playback returns at once; the sound counts as playing
//     until its length has passed on the clock (or until stopped, when it
//     loops);
//   - every new sound stops the one playing, except with SND_NOSTOP, which
//     fails while one plays; a null sound only stops.
// A missing or unreadable file, or one that is not a RIFF/WAVE sound, fails
// (FALSE): there is no default system sound to fall back on.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/device/SoundWave.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010
#define SND_FILENAME 0x00020000

// `path` is a device path, or with SND_MEMORY the address of a WAV image in
// memory (its size taken from its RIFF header).
BOOL sndPlaySound(LPCTSTR path, UINT flags);
// The module is ignored: sounds come from files or memory, never from
// resources.
BOOL PlaySound(LPCTSTR sound, HMODULE module, DWORD flags);
inline BOOL sndPlaySoundW(LPCTSTR path, UINT flags) {
    return sndPlaySound(path, flags);
}
inline BOOL PlaySoundW(LPCTSTR sound, HMODULE module, DWORD flags) {
    return PlaySound(sound, module, flags);
}

namespace quorvel::device {

struct SoundRequest {
    std::wstring path;         // device path; empty for a sound from memory
    std::vector<uint8_t> wav;  // the whole RIFF image
    WaveInfo info;
    bool async = false;
    bool loop = false;
};

// Where sounds go. Play replaces whatever the sink is playing and must not
// block for the sound's length: the caller does the waiting on the clock.
// Called from whichever thread plays.
class SoundSink {
  public:
    virtual ~SoundSink() = default;
    virtual void Play(const SoundRequest& request) = 0;
    virtual void Stop() = 0;
};

// Installs the sink (not owned; null for none) and returns the previous one.
SoundSink* SetSoundSink(SoundSink* sink);

// True while an asynchronous sound plays, by the clock.
bool SoundPlaying();

// A sink that keeps every request, for tests and headless runs.
class RecordingSoundSink : public SoundSink {
  public:
    struct Entry {
        std::wstring path;
        uint32_t durationMs = 0;
        bool async = false;
        bool loop = false;
    };

    void Play(const SoundRequest& request) override;
    void Stop() override;

    std::vector<Entry> Played() const;
    int StopCount() const;
    void Clear();

  private:
    mutable std::mutex m_mutex;
    std::vector<Entry> m_played;
    int m_stops = 0;
};

}  // namespace quorvel::device
