#include "platform/device/Sound.h"

#include <cstring>

#include "platform/base/Clock.h"
#include "platform/files/File.h"

namespace quorvel::device {
namespace {

// Sounds are short alarms; anything bigger is not one of them, and reading
// it whole would only cost memory.
constexpr ULONGLONG kMaxSoundBytes = 64ull << 20;

struct Player {
    std::mutex mutex;
    SoundSink* sink = nullptr;
    bool asyncActive = false;
    bool looping = false;
    uint64_t asyncEndMs = 0;

    bool PlayingLocked() const { return looping || (asyncActive && ClockNowMs() < asyncEndMs); }
};

Player& ThePlayer() {
    static Player* player = new Player;  // used until the very end of the process
    return *player;
}

bool ReadSoundFile(LPCTSTR path, std::vector<uint8_t>& image) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::typeBinary)) return false;
    const ULONGLONG length = file.GetLength();
    if (length > kMaxSoundBytes) return false;
    image.resize(static_cast<size_t>(length));
    return image.empty() || file.Read(image.data(), static_cast<UINT>(image.size())) == length;
}

bool LoadSound(LPCTSTR sound, UINT flags, SoundRequest& request) {
    if (flags & SND_MEMORY) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(sound);
        const size_t size = RiffImageSize(bytes);
        if (size == 0) return false;
        request.wav.assign(bytes, bytes + size);
    } else {
        if (!ReadSoundFile(sound, request.wav)) return false;
        request.path = sound;
    }
    return ParseWave(request.wav.data(), request.wav.size(), &request.info);
}

void Stop(Player& player) {
    std::lock_guard lock(player.mutex);
    player.asyncActive = false;
    player.looping = false;
    if (player.sink != nullptr) player.sink->Stop();
}

BOOL Play(LPCTSTR sound, UINT flags) {
    Player& player = ThePlayer();
    if (sound == nullptr) {
        Stop(player);
        return TRUE;
    }
    SoundRequest request;
    // A looping sound never ends by itself, so it can only be asynchronous.
    request.loop = (flags & SND_LOOP) != 0;
    request.async = request.loop || (flags & SND_ASYNC) != 0;
    if (!LoadSound(sound, flags, request)) return FALSE;
    {
        std::lock_guard lock(player.mutex);
        if ((flags & SND_NOSTOP) && player.PlayingLocked()) return FALSE;
        player.asyncActive = request.async;
        player.looping = request.loop;
        player.asyncEndMs = ClockNowMs() + request.info.durationMs;
        if (player.sink != nullptr) player.sink->Play(request);
    }
    if (!request.async) ::Sleep(request.info.durationMs);
    return TRUE;
}

}  // namespace

SoundSink* SetSoundSink(SoundSink* sink) {
    Player& player = ThePlayer();
    std::lock_guard lock(player.mutex);
    SoundSink* previous = player.sink;
    player.sink = sink;
    return previous;
}

bool SoundPlaying() {
    Player& player = ThePlayer();
    std::lock_guard lock(player.mutex);
    return player.PlayingLocked();
}

void RecordingSoundSink::Play(const SoundRequest& request) {
    std::lock_guard lock(m_mutex);
    m_played.push_back({request.path, request.info.durationMs, request.async, request.loop});
}

void RecordingSoundSink::Stop() {
    std::lock_guard lock(m_mutex);
    ++m_stops;
}

std::vector<RecordingSoundSink::Entry> RecordingSoundSink::Played() const {
    std::lock_guard lock(m_mutex);
    return m_played;
}

int RecordingSoundSink::StopCount() const {
    std::lock_guard lock(m_mutex);
    return m_stops;
}

void RecordingSoundSink::Clear() {
    std::lock_guard lock(m_mutex);
    m_played.clear();
    m_stops = 0;
}

}  // namespace quorvel::device

BOOL sndPlaySound(LPCTSTR path, UINT flags) {
    return quorvel::device::Play(path, flags);
}

BOOL PlaySound(LPCTSTR sound, HMODULE /*module*/, DWORD flags) {
    // Without SND_MEMORY the name is a file; there are no sound aliases.
    return quorvel::device::Play(sound, flags & ~static_cast<DWORD>(SND_FILENAME));
}
