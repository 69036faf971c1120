// The echo sounder's port: opening it from the settings, and telegrams of
// the simulated sounder through a pseudo-terminal and CComPort's reader,
// one message per byte to a window on this thread that frames them as the
// main frame does.
#include <cmath>

#include "app/settings/SystemParams.h"
#include "receiver/link/ComPort.h"
#include "receiver/link/PortMessages.h"
#include "sim/Sounder.h"
#include "tests/app/recording/SounderTestSupport.h"
#include "tests/receiver/link/PortTestSupport.h"

namespace soundertest {
namespace {

using quorvel::testing::PortWindow;
using quorvel::testing::ServeUntil;

constexpr int kPeerPort = 2;
constexpr int kSimPort = 4;

SystemParams SounderParams(int port, int type, int baud) {
    SystemParams p;
    p.SoundPort = port;
    p.SoundType = type;
    p.SoundBandrate = baud;
    p.SoundUse = 1;
    return p;
}

// The frame's side of the sounder: its port, framing, selected type and
// depth block, fed from WM_SOUNDER_CHAR.
class SounderSide {
  public:
    SounderSide()
        : m_window([this](UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
              if (msg != WM_SOUNDER_CHAR) return 0;
              if (wParam > 0xFF) ++badMessages;
              lastPort = static_cast<int>(lParam);
              ++bytes;
              feed.Byte(static_cast<BYTE>(wParam), type);
              return 1;
          }) {}

    BOOL Open(const SystemParams& params) {
        return OpenSounderPort(port, m_window.Handle(), params, types, &type);
    }

    const CArray<SounderTypeRecord> types = KnownTypes();
    SounderTypeRecord type;
    SounderFeed feed;
    CComPort port;
    size_t bytes = 0;
    int badMessages = 0;
    int lastPort = 0;

  private:
    PortWindow m_window;
};

class SounderPortTest : public quorvel::testing::LinkPortFixture {
  protected:
    void SetUp() override { StartPeer(kPeerPort); }
};

TEST_F(SounderPortTest, OpensTheSettingsPortAndSelectsTheTypeOnlyWhenItOpens) {
    SounderSide side;
    const SounderTypeRecord before = side.type;
    // A type the table does not have: refused before the port is touched.
    for (int badType : {4, -1, 1000}) {
        EXPECT_FALSE(side.Open(SounderParams(kPeerPort, badType, 9600))) << badType;
        EXPECT_FALSE(side.port.IsOpen());
        EXPECT_FALSE(quorvel::GetSerialLineState(kPeerPort).open);
        EXPECT_EQ(side.type.strStartTag, before.strStartTag);
    }
    EXPECT_FALSE(side.Open(SounderParams(7, 0, 9600)));  // no device behind COM7
    EXPECT_FALSE(side.port.IsOpen());

    ASSERT_TRUE(side.Open(SounderParams(kPeerPort, 3, 19200)));
    EXPECT_TRUE(side.port.IsOpen());
    EXPECT_EQ(quorvel::testing::SettingsOf(kPeerPort).dcb.BaudRate, 19200u);
    EXPECT_EQ(side.type.strName, CString(L"KOVAT测深仪"));
    EXPECT_EQ(side.type.strStartTag, CString(L"$GPSSS"));
    EXPECT_EQ(side.type.fScale, 1.0f);
    EXPECT_EQ(side.type.nErrorChar, 1);
    // Open again with other settings: the open port and its type stay.
    EXPECT_TRUE(side.Open(SounderParams(kPeerPort, 0, 4800)));
    EXPECT_EQ(side.type.strStartTag, CString(L"$GPSSS"));
    EXPECT_EQ(quorvel::testing::SettingsOf(kPeerPort).dcb.BaudRate, 19200u);
    EXPECT_TRUE(side.Open(SounderParams(kPeerPort, 9, 4800)));

    ASSERT_EQ(m_peer.Write("$GPSSS,03.250,M\r", 1000), 16u);
    EXPECT_TRUE(ServeUntil([&] { return side.feed.events.size() == 1; }));
    EXPECT_EQ(side.feed.events, std::vector<SounderEvent>{Depth(3.25)});
    EXPECT_EQ(side.lastPort, kPeerPort);
    EXPECT_EQ(side.badMessages, 0);
}

TEST_F(SounderPortTest, ATelegramCarriesAcrossClosingAndReopeningThePort) {
    SounderSide side;
    ASSERT_TRUE(side.Open(SounderParams(kPeerPort, 0, 9600)));
    ASSERT_EQ(m_peer.Write("xxDT,012", 1000), 8u);
    ASSERT_TRUE(ServeUntil([&] { return side.bytes == 8; }));
    side.port.Close();
    ASSERT_TRUE(side.Open(SounderParams(kPeerPort, 0, 9600)));
    ASSERT_EQ(m_peer.Write("34,M\rDT,EEEEEE,M\r", 1000), 17u);
    EXPECT_TRUE(ServeUntil([&] { return side.feed.events.size() == 2; }));
    EXPECT_EQ(side.feed.events, (std::vector<SounderEvent>{Depth(12.34), Error(12.34)}));
}

// What the simulator's n-th telegram must give, given the depth before it.
SounderEvent Expected(const quorvel::sim::SounderSimOptions& options, int64_t n, double previous) {
    double depth = 0;
    quorvel::sim::SounderTelegramAt(options, n, &depth);
    return std::isnan(depth) ? Error(previous) : Depth(depth);
}

bool Matches(const SounderEvent& got, const SounderEvent& want) {
    return got.kind == want.kind && got.error == want.error &&
           std::fabs(got.depth - want.depth) < 1e-9;
}

// The events must be the simulator's telegrams from some n0 on, whole and
// in order: the port opens while the simulator runs, and what came before
// the open (and a telegram cut by it) was never received.
int64_t FirstMatching(const quorvel::sim::SounderSimOptions& options,
                      const std::vector<SounderEvent>& events, int64_t sent) {
    for (int64_t n0 = 0; n0 + static_cast<int64_t>(events.size()) <= sent; ++n0) {
        double previous = 0;
        bool all = true;
        for (size_t i = 0; i < events.size() && all; ++i) {
            const SounderEvent want = Expected(options, n0 + static_cast<int64_t>(i), previous);
            all = Matches(events[i], want);
            previous = want.depth;
        }
        if (all) return n0;
    }
    return -1;
}

TEST_F(SounderPortTest, EveryTelegramOfTheSimulatedSounderArrivesScaledAndInOrder) {
    const auto types = KnownTypes();
    for (int type = 0; type < 4; ++type) {
        quorvel::sim::SounderSimOptions options;
        options.type = type;
        options.rateHz = 200;
        options.errorEvery = 5;
        options.depthM = type == 2 ? 40.0 : 12.0;
        options.amplitudeM = type == 2 ? 35.0 : 9.0;
        options.periodS = 0.73;
        options.linkPath = m_root + "/sounder" + std::to_string(type);
        quorvel::sim::SounderSimulator sim(options);
        std::string error;
        ASSERT_TRUE(sim.Start(error)) << error;
        quorvel::MapSerialPort(kSimPort, sim.Path());
        SounderSide side;
        ASSERT_TRUE(side.Open(SounderParams(kSimPort, type, 115200)));
        EXPECT_TRUE(ServeUntil([&] { return side.feed.events.size() >= 150; }, 60 * 1000))
            << "type " << type << ": " << side.feed.events.size() << " telegrams";
        side.port.Close();
        sim.Stop();
        const std::vector<SounderEvent>& events = side.feed.events;
        ASSERT_GE(events.size(), 150u);
        EXPECT_LE(events.size(), sim.TelegramsSent());
        EXPECT_GE(FirstMatching(options, events, static_cast<int64_t>(sim.TelegramsSent())), 0)
            << "type " << type;
        EXPECT_GE(side.feed.Errors(), 29) << "type " << type;
        EXPECT_EQ(side.lastPort, kSimPort);
        EXPECT_EQ(side.feed.changedWithoutEvent + side.feed.depthWithoutNewFlags +
                      side.feed.errorChangedDepth + side.badMessages,
                  0);
    }
}

}  // namespace
}  // namespace soundertest
