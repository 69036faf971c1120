#include "launcher/RootLayout.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"
#include "platform/files/Shell.h"

namespace quorvel::launcher {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kRate = 8000;
constexpr double kPi = 3.14159265358979323846;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

[[nodiscard]] bool MakeFolders(const fs::path& root, std::string* error) {
    const char* folders[] = {"Flash Disk", "Windows/桌面", "Windows/Programs/ActiveSync"};
    for (const char* folder : folders) {
        std::error_code ec;
        fs::create_directories(root / fs::path(folder), ec);
        if (ec) {
            *error = "cannot make " + (root / fs::path(folder)).string() + ": " + ec.message();
            return false;
        }
    }
    return true;
}

[[nodiscard]] bool MakeShortcut(const wchar_t* shortcut, const wchar_t* target,
                                std::string* error) {
    CString path = shortcut, to = target;
    if (SHCreateShortcut(path.GetBuffer(), to.GetBuffer())) return true;
    *error = "cannot write the shortcut " + ToUtf8(shortcut);
    return false;
}

[[nodiscard]] bool WriteWave(const fs::path& root, std::string* error) {
    const std::vector<uint8_t> wav = MakeExclamationWave();
    const fs::path path = root / "Windows" / "exclam.wav";
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    out.close();
    if (out) return true;
    *error = "cannot write " + path.string();
    return false;
}

[[nodiscard]] bool SetReceiverBoardKey(std::string* error) {
    HKEY key = nullptr;
    LONG r = RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\PsionTeklogix\\Expansion Slot", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (r == ERROR_SUCCESS) {
        const DWORD one = 1;
        r = RegSetValueEx(key, L"FFUART", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                          sizeof one);
        RegCloseKey(key);
    }
    if (r == ERROR_SUCCESS) return true;
    *error = "cannot set the registry value FFUART (error " + std::to_string(r) + ")";
    return false;
}

}  // namespace

bool RootNeedsLayout(const std::string& dir) {
    std::error_code ec;
    if (!fs::exists(dir, ec)) return true;
    return fs::is_directory(dir, ec) && fs::is_empty(dir, ec);
}

bool LayOutFreshRoot(const std::string& dir, std::string* error) {
    const fs::path root = fs::path(dir);
    if (!MakeFolders(root, error)) return false;
    SetDeviceRoot(dir);
    return MakeShortcut(L"\\Windows\\Programs\\ActiveSync\\Direct.lnk",
                        L"\"\\Windows\\direct.exe\"", error) &&
           MakeShortcut(L"\\Windows\\Programs\\ActiveSync\\Obex 工具.lnk",
                        L"\"\\Windows\\obex.exe\"", error) &&
           WriteWave(root, error) && SetReceiverBoardKey(error);
}

std::vector<uint8_t> MakeExclamationWave() {
    // Two 90 ms tones, 1200 Hz then 900 Hz, each faded in and out over 10 ms
    // so the speaker does not click.
    const uint32_t toneSamples = kRate * 90 / 1000, fade = kRate / 100;
    std::vector<int16_t> samples;
    for (double hz : {1200.0, 900.0}) {
        for (uint32_t i = 0; i < toneSamples; ++i) {
            const uint32_t edge = std::min(i, toneSamples - 1 - i);
            const double gain = edge < fade ? static_cast<double>(edge) / fade : 1.0;
            samples.push_back(
                static_cast<int16_t>(12000.0 * gain * std::sin(2.0 * kPi * hz * i / kRate)));
        }
    }
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    return out;
}

}  // namespace quorvel::launcher
