#include "app/link/BluetoothList.h"

#include "app/DeviceFiles.h"

#include <string>

#include "platform/base/TextConv.h"
#include "platform/files/File.h"

namespace {

constexpr int kMaxLines = 201;
constexpr LPCTSTR kInquiryMarker = L"+INQRESU:";

// Field `index` of a comma-separated text; empty when there are fewer.
CString Field(const CString& text, int index) {
    int start = 0;
    for (int i = 0; i < index; ++i) {
        const int comma = text.Find(L',', start);
        if (comma < 0) return CString();
        start = comma + 1;
    }
    const int end = text.Find(L',', start);
    return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

}  // namespace

void LoadBluetoothList(LPCTSTR path, CArray<BtDevice>& devices) {
    devices.RemoveAll();
    std::string bytes;
    ReadWholeDeviceFile(path, bytes);
    size_t start = 0;
    for (int lines = 0; lines < kMaxLines; ++lines) {
        const size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) break;
        const size_t length = lf > start ? lf - start - 1 : 0;
        const CString line = quorvel::FromGbk(bytes.data() + start, length);
        start = lf + 1;
        if (line.IsEmpty()) break;
        BtDevice device;
        device.strName = Field(line, 0);
        device.strAddress = Field(line, 1);
        const int cr = device.strAddress.Find(L'\r');
        if (cr >= 0) device.strAddress = device.strAddress.Left(cr);
        devices.Add(device);
    }
}

BOOL WriteBluetoothDevice(LPCTSTR path, const BtDevice& device, BOOL bFirst) {
    CString line;
    line.Format(L"%s,%s\r\n", device.strName.GetString(), device.strAddress.GetString());
    const std::string bytes = quorvel::ToGbk(line);
    CFile file;
    UINT flags = CFile::modeCreate | CFile::modeWrite;
    if (!bFirst) flags |= CFile::modeNoTruncate;
    if (!file.Open(path, flags)) return FALSE;
    file.SeekToEnd();
    const BOOL ok = file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    return ok && !file.HasWriteError();
}

BOOL ParseInquiryResult(const CString& line, BtDevice& device) {
    const int at = line.Find(kInquiryMarker);
    if (at < 0) return FALSE;
    const CString rest = line.Mid(at + static_cast<int>(wcslen(kInquiryMarker)));
    device.strAddress = Field(rest, 0);
    device.strName = Field(rest, 1);
    const int end = device.strName.FindOneOf(L"\r\n");
    if (end >= 0) device.strName = device.strName.Left(end);
    return TRUE;
}
