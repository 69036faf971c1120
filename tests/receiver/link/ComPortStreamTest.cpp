// A stream through CComPort, one synchronous message per byte: 64 KiB in the
// normal run, a megabyte (a million round trips between two threads) in the
// soak run.
#include <cstdlib>
#include <thread>

#include "receiver/link/ComPort.h"
#include "receiver/link/PortMessages.h"
#include "tests/receiver/link/PortTestSupport.h"

namespace quorvel::testing {
namespace {

constexpr int kPort = 3;

class ComPortStreamTest : public LinkPortFixture {
  protected:
    void SetUp() override { StartPeer(kPort); }
};

TEST_F(ComPortStreamTest, DeliversEveryByteOfALongStreamInOrder) {
    const size_t kSize = std::getenv("QUORVEL_SOAK") != nullptr ? 1 << 20 : 1 << 16;
    std::string stream(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i) stream[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    size_t mismatches = 0;
    size_t count = 0;
    PortWindow window([&](UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
        EXPECT_EQ(msg, static_cast<UINT>(WM_SOUNDER_CHAR));
        if (count < kSize && static_cast<char>(wParam) != stream[count]) ++mismatches;
        if (wParam > 0xFF || lParam != kPort) ++mismatches;
        ++count;
        return 1;
    });
    CComPort port;
    port.SetNotify(window.Handle(), WM_SOUNDER_CHAR);
    ASSERT_TRUE(port.Open(kPort, 57600));
    std::thread sender([&] { m_peer.Write(stream, 120 * 1000); });
    EXPECT_TRUE(ServeUntil([&] { return count >= kSize; }, 120 * 1000));
    sender.join();
    port.Close();
    EXPECT_EQ(count, kSize);
    EXPECT_EQ(mismatches, 0u);
}

}  // namespace
}  // namespace quorvel::testing
