#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/device/Sound.h"
#include "platform/testing/TempDeviceRoot.h"
#include "tests/platform/device/SoundTestWave.h"

using quorvel::device::ParseWave;
using quorvel::device::RecordingSoundSink;
using quorvel::device::WaveInfo;
using soundtest::FileBytes;
using soundtest::MakeWave;
using soundtest::WaveFormat;

TEST(SoundWave, LengthComesFromTheHeader) {
    WaveInfo info;
    std::vector<uint8_t> wav =
        MakeWave({.channels = 2, .rate = 22050, .bits = 16, .frames = 11025});
    ASSERT_TRUE(ParseWave(wav.data(), wav.size(), &info));
    EXPECT_EQ(info.durationMs, 500u);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.dataBytes, 11025u * 4);

    // Odd-sized chunks before the data are skipped with their padding byte.
    wav = MakeWave({.rate = 8000, .bits = 8, .frames = 2000, .extraChunk = true});
    ASSERT_TRUE(ParseWave(wav.data(), wav.size(), &info));
    EXPECT_EQ(info.durationMs, 250u);
    EXPECT_EQ(wav[info.dataOffset], 0xF0);

    // A single frame still lasts a millisecond: waiters never stop short.
    wav = MakeWave({.rate = 44100, .frames = 1});
    ASSERT_TRUE(ParseWave(wav.data(), wav.size(), &info));
    EXPECT_EQ(info.durationMs, 1u);
}

TEST(SoundWave, DamagedImages) {
    WaveInfo info;
    std::vector<uint8_t> wav = MakeWave({.rate = 8000, .frames = 8000});
    // Cut short by a copy: plays what is there.
    ASSERT_TRUE(ParseWave(wav.data(), wav.size() - 8000, &info));
    EXPECT_EQ(info.durationMs, 500u);
    // No RIFF, no WAVE, or the header cut inside the format chunk.
    EXPECT_FALSE(ParseWave(wav.data(), 30, &info));
    std::vector<uint8_t> other = wav;
    other[8] = 'A';
    EXPECT_FALSE(ParseWave(other.data(), other.size(), &info));
    other = wav;
    other[0] = 'X';
    EXPECT_FALSE(ParseWave(other.data(), other.size(), &info));
    EXPECT_EQ(quorvel::device::RiffImageSize(other.data()), 0u);
    // A zero block size would divide by zero.
    other = wav;
    other[32] = other[33] = 0;
    EXPECT_FALSE(ParseWave(other.data(), other.size(), &info));
    EXPECT_FALSE(ParseWave(nullptr, 0, &info));
}

class SoundPlayback : public ::testing::Test {
  protected:
    void SetUp() override {
        quorvel::UseVirtualClock(SYSTEMTIME{2024, 5, 0, 17, 8, 0, 0, 0});
        m_previous = quorvel::device::SetSoundSink(&m_sink);
        m_root.WriteHost("Flash Disk/Wav/Alarm5.wav",
                         FileBytes(MakeWave({.rate = 8000, .frames = 6000})));
        m_root.WriteHost("Windows/exclam.wav",
                         FileBytes(MakeWave({.rate = 11025, .bits = 8, .frames = 11025})));
        m_root.WriteHost("Windows/broken.wav", std::string("RIFF\x01\x02", 6));
    }
    void TearDown() override {
        sndPlaySound(nullptr, 0);
        quorvel::device::SetSoundSink(m_previous);
    }

    quorvel::testing::TempDeviceRoot m_root{"quorvel-sound"};
    RecordingSoundSink m_sink;
    quorvel::device::SoundSink* m_previous = nullptr;
};

TEST_F(SoundPlayback, AsynchronousReturnsAtOnceAndPlaysForItsLength) {
    ASSERT_TRUE(sndPlaySound(L"\\flash disk\\WAV\\alarm5.WAV", SND_ASYNC | SND_NODEFAULT));
    ASSERT_EQ(m_sink.Played().size(), 1u);
    EXPECT_EQ(m_sink.Played()[0].path, L"\\flash disk\\WAV\\alarm5.WAV");
    EXPECT_EQ(m_sink.Played()[0].durationMs, 750u);
    EXPECT_TRUE(m_sink.Played()[0].async);

    EXPECT_TRUE(quorvel::device::SoundPlaying());
    // While it plays, SND_NOSTOP refuses to cut it off.
    EXPECT_FALSE(sndPlaySound(L"\\Windows\\exclam.wav", SND_ASYNC | SND_NOSTOP));
    quorvel::AdvanceVirtualClock(749);
    EXPECT_TRUE(quorvel::device::SoundPlaying());
    quorvel::AdvanceVirtualClock(1);
    EXPECT_FALSE(quorvel::device::SoundPlaying());
    EXPECT_TRUE(sndPlaySound(L"\\Windows\\exclam.wav", SND_ASYNC | SND_NOSTOP));
    EXPECT_EQ(m_sink.Played().size(), 2u);
}

TEST_F(SoundPlayback, SynchronousTakesItsLengthOnTheClock) {
    std::atomic<bool> done{false};
    std::thread player([&] {
        EXPECT_TRUE(sndPlaySound(L"\\Windows\\exclam.wav", SND_SYNC));
        done = true;
    });
    ASSERT_TRUE(quorvel::WaitForVirtualClockWaiters(1));
    quorvel::AdvanceVirtualClock(999);
    EXPECT_FALSE(done.load());
    quorvel::AdvanceVirtualClock(1);
    player.join();
    EXPECT_TRUE(done.load());
    ASSERT_EQ(m_sink.Played().size(), 1u);
    EXPECT_EQ(m_sink.Played()[0].durationMs, 1000u);
    EXPECT_FALSE(m_sink.Played()[0].async);
}

TEST_F(SoundPlayback, NullStopsAndLoopsLastUntilThen) {
    ASSERT_TRUE(PlaySound(L"\\Windows\\exclam.wav", nullptr, SND_FILENAME | SND_LOOP));
    ASSERT_EQ(m_sink.Played().size(), 1u);
    EXPECT_TRUE(m_sink.Played()[0].loop);
    EXPECT_TRUE(m_sink.Played()[0].async);  // a loop never blocks its caller
    quorvel::AdvanceVirtualClock(5000);
    EXPECT_TRUE(quorvel::device::SoundPlaying());
    EXPECT_TRUE(PlaySound(nullptr, nullptr, 0));
    EXPECT_EQ(m_sink.StopCount(), 1);
    EXPECT_FALSE(quorvel::device::SoundPlaying());
}

TEST_F(SoundPlayback, FromMemory) {
    const std::vector<uint8_t> wav = MakeWave({.rate = 8000, .frames = 400});
    ASSERT_TRUE(sndPlaySound(reinterpret_cast<LPCTSTR>(wav.data()), SND_MEMORY | SND_ASYNC));
    ASSERT_EQ(m_sink.Played().size(), 1u);
    EXPECT_TRUE(m_sink.Played()[0].path.empty());
    EXPECT_EQ(m_sink.Played()[0].durationMs, 50u);
    const char notWave[16] = "not a wave file";
    EXPECT_FALSE(sndPlaySound(reinterpret_cast<LPCTSTR>(notWave), SND_MEMORY | SND_ASYNC));
}

TEST_F(SoundPlayback, WhatCannotBePlayedFailsAndReachesNoSink) {
    EXPECT_FALSE(sndPlaySound(L"\\Windows\\missing.wav", SND_ASYNC));
    EXPECT_FALSE(sndPlaySound(L"\\Windows\\broken.wav", SND_ASYNC));
    EXPECT_FALSE(sndPlaySound(L"\\Windows", SND_ASYNC));  // a folder
    EXPECT_FALSE(sndPlaySound(L"\\Windows\\..\\..\\etc\\passwd", SND_ASYNC));
    EXPECT_TRUE(m_sink.Played().empty());
    // Without a sink sounds are still measured and waited for.
    quorvel::device::SetSoundSink(nullptr);
    EXPECT_TRUE(sndPlaySound(L"\\Windows\\exclam.wav", SND_ASYNC));
    EXPECT_TRUE(quorvel::device::SoundPlaying());
    quorvel::device::SetSoundSink(&m_sink);
}
