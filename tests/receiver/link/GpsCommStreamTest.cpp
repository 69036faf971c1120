// The reader under real streams: every capture of real receivers, binary
// and NUL bytes, a stream without CR, "$BIN" blocks, a receiver that hangs
// up, and reconnections while the receiver streams.
#include <dirent.h>
#include <chrono>
#include <thread>

#include "sim/BinaryOutput.h"
#include "tests/receiver/link/GpsLinkSupport.h"

namespace quorvel::testing {
namespace {

constexpr int kPort = 1;

std::vector<std::string> Captures() {
    const std::string folder = std::string(QUORVEL_TESTDATA_DIR) + "/nmea-captures";
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".log") paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// The lines a stream gives: each up to and with its CR.
std::vector<std::string> CutAtCr(const std::string& stream) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t cr; (cr = stream.find('\r', start)) != std::string::npos; start = cr + 1) {
        lines.push_back(stream.substr(start, cr + 1 - start));
    }
    return lines;
}

class GpsCommStreamTest : public GpsLinkFixture {
  protected:
    void SetUp() override {
        GpsLinkFixture::SetUp();
        SetFfuart(1);
        m_comm->SetPortParams(1, kPort, 57600, 'N', 8, 1);
    }
    bool Write(const std::string& bytes) {
        size_t done = 0;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (done < bytes.size() && std::chrono::steady_clock::now() < end) {
            done += m_sim->Pty().Write(bytes.data() + done, bytes.size() - done, 5);
            win::ServeSentMessages();
        }
        return done == bytes.size();
    }
};

TEST_F(GpsCommStreamTest, EveryCaptureGivesOneLinePerCarriageReturn) {
    const std::vector<std::string> captures = Captures();
    ASSERT_GE(captures.size(), 20u);
    for (const std::string& path : captures) {
        sim::CaptureReplay replay;
        std::string error;
        ASSERT_TRUE(replay.Load(path, true, error)) << error;
        const std::vector<std::string> expected = CutAtCr(replay.All());
        sim::GnssSimOptions options;
        options.rateHz = 20;
        options.replayPath = path;
        options.replayCrLf = true;
        options.replayLinesPerEpoch = 200;
        StartSim(kPort, options);
        m_events = {};
        StartLink();
        ASSERT_TRUE(Serve([&] { return m_events.lines.size() >= expected.size(); }, 60000))
            << path << ": " << m_events.lines.size() << " of " << expected.size();
        EXPECT_TRUE(WaitUntil([&] { return m_sim->ReplayDone(); }, "the replay's end"));
        m_comm->Close();
        EXPECT_EQ(m_events.lines, expected) << path;
        EXPECT_EQ(m_events.badEnds, 0) << path;
        EXPECT_TRUE(m_events.sigmas.empty()) << path;
    }
}

TEST_F(GpsCommStreamTest, BinaryNulAndOverlongInputIsHarmless) {
    StartQuietSim(kPort);
    StartLink();
    // Bytes of every value, NUL among them, a line of a CR alone, and a
    // line that runs 10 MiB without a CR: it is dropped in 64 KiB pieces,
    // so the tail arrives alone.
    std::string binary;
    for (int i = 255; i >= 0; --i) {
        if (i != '\r') binary += static_cast<char>(i);
    }
    const std::string stream = "\n" + binary + "\r" + "\r" + std::string(10 << 20, 'A') + "tail\r";
    ASSERT_TRUE(Write(stream));
    ASSERT_TRUE(Serve([&] { return m_events.lines.size() >= 3; }, 120000));
    m_comm->Close();
    ASSERT_EQ(m_events.lines.size(), 3u);
    EXPECT_EQ(m_events.lines[0], "\n" + binary + "\r");
    EXPECT_EQ(m_events.lines[1], "\r");
    EXPECT_EQ(m_events.lines[2], "tail\r");
    EXPECT_EQ(m_events.badEnds, 0);
}

TEST_F(GpsCommStreamTest, Bin1SigmaComesBeforeItsLine) {
    StartQuietSim(kPort);
    StartLink();
    sim::NmeaEpoch epoch;  // latitude and longitude 0: no CR among the data
    epoch.satellites.resize(3);
    const std::string block = sim::Bin1Block(epoch, 0.25f);
    ASSERT_EQ(block.find('\r'), block.size() - 2);
    ASSERT_TRUE(Write("$GPGGA,1*00\r\n" + block + sim::Bin1Block(epoch, 1e-5f) +
                      block.substr(0, 40) + "\r\n"));
    ASSERT_TRUE(Serve([&] { return m_events.lines.size() >= 4; }));
    m_comm->Close();
    EXPECT_EQ(m_events.order, (std::vector<char>{'L', 'S', 'L', 'L', 'L'}));
    ASSERT_EQ(m_events.sigmas.size(), 1u);
    EXPECT_EQ(m_events.sigmas[0], 0.25f);
    EXPECT_EQ(m_events.lines[1], "\n" + block.substr(0, block.size() - 1));
}

// A receiver that hangs up is silence to the reader, whose reads end empty
// and never fail; once a receiver is back on the same link its lines come
// through the port the link still holds open.
TEST_F(GpsCommStreamTest, AfterAHangUpTheReaderHearsSilenceUntilAReceiverIsBackOnItsLink) {
    sim::GnssSimOptions options;
    options.silenceAfterS = 0;
    options.silenceForS = 1e9;
    options.hangupAfterS = 2;
    StartSim(kPort, options);
    StartLink();
    EXPECT_TRUE(m_comm->IsOpen());
    ASSERT_TRUE(Serve([&] { return m_sim->HungUp(); }));
    Advance(3000, 50);
    EXPECT_EQ(m_comm->GetReadFailures(), 0u);

    m_sim.reset();
    StartQuietSim(kPort);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!m_sim->Pty().ReadLines().open && std::chrono::steady_clock::now() < deadline)
        Advance(300);
    ASSERT_TRUE(m_sim->Pty().ReadLines().open) << "the port never found the new receiver";
    m_events = {};
    ASSERT_TRUE(Write("$GPGGA,1*00\r\n$GPGSA,2*00\r\n"));
    ASSERT_TRUE(Serve([&] { return m_events.lines.size() >= 2; }));
    EXPECT_NE(m_events.lines[0].find("$GPGGA,1*00"), std::string::npos);
    EXPECT_NE(m_events.lines[1].find("$GPGSA,2*00"), std::string::npos);
    EXPECT_EQ(m_comm->GetReadFailures(), 0u);
    m_comm->Close();
    EXPECT_FALSE(m_comm->IsOpen());
}

TEST_F(GpsCommStreamTest, ReconnectionFromInsideTheReadersOwnLineDoesNotHang) {
    StartQuietSim(kPort);
    const int threads = SettledThreads(CountEntries("/proc/self/task"));
    StartLink();
    bool reconnected = false;
    m_beforeLine = [&] {
        if (!reconnected) {
            reconnected = true;
            m_comm->Close();  // the reader waits for this very message
            EXPECT_FALSE(m_comm->IsOpen());
            m_comm->Reset();
            m_comm->SetPortParams(1, kPort, 57600, 'N', 8, 1);
            m_comm->SetNotifyWindow(m_window->Handle());
            m_comm->Start();
        }
    };
    ASSERT_TRUE(Write("$GPGGA,1*00\r\n"));
    ASSERT_TRUE(Serve([&] { return m_events.lines.size() == 1; }));
    Advance(1500);
    ASSERT_TRUE(m_comm->IsOpen());
    ASSERT_TRUE(Write("$GPGGA,2*00\r\n"));
    ASSERT_TRUE(Serve([&] { return m_events.lines.size() == 2; }));
    EXPECT_EQ(m_events.lines[1], "$GPGGA,2*00\r");  // the new port began empty
    m_comm->Close();
    EXPECT_LE(SettledThreads(threads), threads);
}

TEST_F(GpsCommStreamTest, ReconnectionsWhileStreamingKeepOneReader) {
    sim::GnssSimOptions options;
    options.rateHz = 20;
    StartSim(kPort, options);
    StartLink();  // lasting per-thread state of the first use
    m_comm->Close();
    const int threads = SettledThreads(CountEntries("/proc/self/task"));
    const int descriptors = CountLastingDescriptors(m_root);
    for (int i = 0; i < 200; ++i) {
        m_comm->Start();
        if (i % 4 == 1) m_comm->Start();  // a reader still opening is stopped first
        if (i % 4 == 2) {
            Advance(200);
            m_comm->Close();  // stopped in its RTS pulse
            EXPECT_FALSE(m_comm->IsOpen());
            continue;
        }
        Advance(1500);
        ASSERT_TRUE(m_comm->IsOpen()) << i;
        const size_t seen = m_events.lines.size();
        ASSERT_TRUE(Serve([&] { return m_events.lines.size() > seen; })) << i;
        if (i % 4 == 3) {
            m_comm->Start();  // straight over a streaming reader
            Advance(1500);
            ASSERT_TRUE(m_comm->IsOpen()) << i;
        }
        m_comm->Close();
        ASSERT_FALSE(m_comm->IsOpen()) << i;
    }
    EXPECT_LE(SettledThreads(threads), threads);
    EXPECT_EQ(CountLastingDescriptors(m_root), descriptors);
    EXPECT_EQ(m_events.badEnds, 0);
}

}  // namespace
}  // namespace quorvel::testing
