// "\BluetoothList" as the connection dialog keeps it: whole lines in code
// page 936, the first device of a scan re-creating the file; read back
// whatever is in it: at most 201 lines, up to an empty line, the last line
// left out without its LF, binary bytes, and the inquiry results' fields.
#include <string>

#include "app/link/BluetoothList.h"
#include "platform/testing/Printers.h"
#include "platform/testing/TempDeviceRoot.h"

namespace linktest {
namespace {

constexpr LPCTSTR kList = L"\\Flash Disk\\BluetoothList";

class BluetoothListTest : public quorvel::testing::DeviceRootTest {
  protected:
    CArray<BtDevice> Load() {
        CArray<BtDevice> devices;
        devices.Add(BtDevice{L"stale", L"stale"});
        LoadBluetoothList(kList, devices);
        return devices;
    }
};

TEST_F(BluetoothListTest, DevicesAreWrittenAsWholeLinesAndReadBackInOrder) {
    WriteHost("Flash Disk/BluetoothList", "old,00:00\r\n");
    const CString longName(L'长', 150);  // 300 bytes: more than a 200-byte line
    EXPECT_TRUE(WriteBluetoothDevice(kList, BtDevice{L"00:1B:DC:0F:5A:31", L"测量主机01"}, TRUE));
    EXPECT_TRUE(WriteBluetoothDevice(kList, BtDevice{L"AA:BB", longName}, FALSE));
    std::string expected =
        "\xB2\xE2\xC1\xBF\xD6\xF7\xBB\xFA"
        "01,00:1B:DC:0F:5A:31\r\n";
    for (int i = 0; i < 150; ++i) expected += "\xB3\xA4";
    expected += ",AA:BB\r\n";
    EXPECT_EQ(ReadHost("Flash Disk/BluetoothList"), expected);

    const CArray<BtDevice> devices = Load();
    ASSERT_EQ(devices.GetSize(), 2);
    EXPECT_EQ(devices[0].strName, CString(L"测量主机01"));
    EXPECT_EQ(devices[0].strAddress, CString(L"00:1B:DC:0F:5A:31"));
    EXPECT_EQ(devices[1].strName, longName);
    EXPECT_EQ(devices[1].strAddress, CString(L"AA:BB"));
}

TEST_F(BluetoothListTest, ReadingStopsAtAnEmptyLineAtTheLimitAndBeforeALineWithoutItsEnd) {
    EXPECT_EQ(Load().GetSize(), 0) << "no file: no devices";
    WriteHost("Flash Disk/BluetoothList", "a,1,extra\r\nb\r\n\r\nc,3\r\n");
    CArray<BtDevice> devices = Load();
    ASSERT_EQ(devices.GetSize(), 2);
    EXPECT_EQ(devices[0].strAddress, CString(L"1"));
    EXPECT_EQ(devices[1].strName, CString(L"b"));
    EXPECT_EQ(devices[1].strAddress, CString(L""));

    // Each line loses the character before its LF: written without CR,
    // the address loses its last character; the last line without LF goes.
    WriteHost("Flash Disk/BluetoothList", "a,12\nb,34\r\nc,56");
    devices = Load();
    ASSERT_EQ(devices.GetSize(), 2);
    EXPECT_EQ(devices[0].strAddress, CString(L"1"));
    EXPECT_EQ(devices[1].strAddress, CString(L"34"));

    std::string many;
    for (int i = 0; i < 10000; ++i) many += "device" + std::to_string(i) + ",addr\r\n";
    WriteHost("Flash Disk/BluetoothList", many);
    devices = Load();
    ASSERT_EQ(devices.GetSize(), 201);
    EXPECT_EQ(devices[200].strName, CString(L"device200"));
}

TEST_F(BluetoothListTest, BinaryBytesGiveDevicesOfWhatEverTheyHoldAndNothingBreaks) {
    std::string binary;
    for (int i = 0; i < 100000; ++i) binary += static_cast<char>((i * 7919) % 256);
    WriteHost("Flash Disk/BluetoothList", binary);
    const CArray<BtDevice> devices = Load();
    EXPECT_LE(devices.GetSize(), 201);
    WriteHost("Flash Disk/BluetoothList", std::string("\0\0,\xFF\x81\r\n", 7));
    ASSERT_EQ(Load().GetSize(), 1);
}

TEST(InquiryResult, TheAddressAndNameFollowTheMarker) {
    BtDevice device;
    EXPECT_TRUE(ParseInquiryResult(L"+INQRESU:00:1B:DC:0F:5A:31,主机,-60", device));
    EXPECT_EQ(device.strAddress, CString(L"00:1B:DC:0F:5A:31"));
    EXPECT_EQ(device.strName, CString(L"主机"));
    EXPECT_TRUE(ParseInquiryResult(L"xx+INQRESU:AA", device));
    EXPECT_EQ(device.strAddress, CString(L"AA"));
    EXPECT_EQ(device.strName, CString(L""));
    EXPECT_FALSE(ParseInquiryResult(L"+INQCOMP", device));
}

}  // namespace
}  // namespace linktest
