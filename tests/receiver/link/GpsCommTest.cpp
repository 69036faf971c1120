// The receiver link object's settings and mailbox start values, and the
// device LEDs reached through the LED library.
#include <gtest/gtest.h>

#include <vector>

#include "platform/device/Leds.h"
#include "receiver/link/DeviceLibraries.h"
#include "receiver/link/GpsComm.h"

namespace {

TEST(GpsCommTest, ResetRestoresTheStartValuesAndKeepsTheResults) {
    CGpsComm link;
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.m_nPort, CGpsComm::ExpansionSlotPort);
    EXPECT_EQ(link.m_nBaud, 57600);
    EXPECT_EQ(link.m_nReceiverType, -1);
    EXPECT_EQ(link.m_nCurChannel, -1);
    EXPECT_TRUE(link.m_bRadioReadReq);
    EXPECT_EQ(link.m_hNotifyWnd, nullptr);

    link.m_bNetRequest = 1;
    link.m_bNetReadOk = 1;
    link.m_bGsmDialReq = 1;
    link.m_bGsmDialOk = 1;
    link.m_nBusy = 1;
    link.m_nRadioState = 2;
    link.m_strModemState = L"READY";
    link.m_strGsmBaseNumber = L"13800000000";
    link.SetNotifyWindow(reinterpret_cast<HWND>(0x1234));
    link.SetPortParams(1, 9, 9600, 'E', 7, 2);
    link.Reset();
    EXPECT_EQ(link.m_bNetRequest, 0);
    EXPECT_EQ(link.m_bGsmDialReq, 0);
    EXPECT_EQ(link.m_nBusy, 0);
    EXPECT_EQ(link.m_strGsmBaseNumber, CString(L""));
    EXPECT_EQ(link.m_hNotifyWnd, nullptr);
    EXPECT_EQ(link.m_nPort, 5);
    EXPECT_EQ(link.m_nBaud, 57600);
    EXPECT_EQ(link.m_cParity, 'N');
    // Results and the modem state survive a reset.
    EXPECT_EQ(link.m_bNetReadOk, 1);
    EXPECT_EQ(link.m_bGsmDialOk, 1);
    EXPECT_EQ(link.m_nRadioState, 2);
    EXPECT_EQ(link.m_strModemState, CString(L"READY"));
}

TEST(GpsCommTest, PortSettingsMapTheChoiceOrTakeTheNumber) {
    CGpsComm link;
    const int choices[][2] = {{0, 5}, {1, 1}, {2, 1}, {3, 1}, {7, 1}};
    for (const auto& [choice, port] : choices) {
        link.SetPortParams(0, choice, 57600, 'N', 8, 1);
        EXPECT_EQ(link.m_nPort, port) << choice;
    }
    link.SetPortParams(1, 0, 9600, 'O', 7, 2);
    EXPECT_EQ(link.m_nPort, 0);
    EXPECT_EQ(link.m_nBaud, 9600);
    EXPECT_EQ(link.m_cParity, 'O');
    EXPECT_EQ(link.m_nDataBits, 7);
    EXPECT_EQ(link.m_nStopBits, 2);
}

TEST(DeviceLedTest, TheLedLibrarySwitchesTheDevicesLeds) {
    quorvel::device::ResetLedsForTests();
    std::vector<std::pair<int, bool>> seen;
    auto previous =
        quorvel::device::SetLedSink([&](int led, bool on) { seen.emplace_back(led, on); });
    EXPECT_TRUE(LoadDeviceLibraries());
    EXPECT_EQ(SetDeviceLed(0, 1), 1);
    EXPECT_TRUE(quorvel::device::LedIsOn(0));
    EXPECT_EQ(SetDeviceLed(4, 1), 1);
    EXPECT_EQ(SetDeviceLed(0, 0), 1);
    EXPECT_EQ(SetDeviceLed(2, 1), 0);  // no such LED
    EXPECT_FALSE(quorvel::device::LedIsOn(0));
    EXPECT_TRUE(quorvel::device::LedIsOn(4));
    EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{0, true}, {4, true}, {0, false}}));
    quorvel::device::SetLedSink(previous);
}

}  // namespace
