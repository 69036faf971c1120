// Fuzz target: the settings readers on arbitrary file contents. Each input
// is stored as a file in a temporary device root and read as esystem.sys, a
// job's .ini and .par, and a screen settings file, with a few lookups of
// names the records never ask for.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/IniFile.h"
#include "app/KeyValueFile.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"

namespace {

const wchar_t kFolder[] = L"\\Flash Disk\\";

// The device root lives as long as the process and is removed at exit. It
// is kept in memory where the host allows, since every input is a file.
class CFuzzRoot {
  public:
    CFuzzRoot() {
        std::string pattern = std::filesystem::is_directory("/dev/shm")
                                  ? "/dev/shm/quorvel-settings-fuzz-XXXXXX"
                                  : "/tmp/quorvel-settings-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_root = pattern;
        quorvel::SetDeviceRoot(m_root);
        CreateDirectory(L"\\Flash Disk", nullptr);
    }
    ~CFuzzRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    std::string Folder() const { return m_root + "/Flash Disk/"; }

  private:
    std::string m_root;
};

std::string HostFolder() {
    static CFuzzRoot root;
    return root.Folder();
}

void StoreInput(const char* name, const uint8_t* data, size_t size) {
    std::ofstream out(HostFolder() + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void ReadIniFiles() {
    CIniFile ini;
    SystemParams params;
    ini.ReadSystemParams(kFolder, L"fuzz.ini", &params);
    CoordSysParams coord;
    ini.ReadCoordParams(kFolder, L"fuzz.ini", &coord);
    CSystemFileRecord job;
    ini.ReadSystemFile(kFolder, L"fuzz.ini", &job);
    if (ini.Load(L"\\Flash Disk\\fuzz.ini", CFile::modeRead)) {
        CString text;
        int number = 0;
        double real = 0;
        ini.GetString(L"", L"", &text);
        ini.GetInt(L"System Par", L"", &number);
        ini.GetDouble(L"]", L"=", &real);
    }
}

void ReadKeyValueFile() {
    CKeyValueFile file;
    if (!file.Load(L"\\Flash Disk\\fuzz.ini", CFile::modeRead)) return;
    CString text;
    int number = 0;
    double real = 0;
    for (LPCTSTR key : {L"LineName", L"", L"]", L"[", L"Spacing"}) {
        file.ReadString(key, &text);
        file.ReadInt(key, &number);
        file.ReadDouble(key, &real);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StoreInput("fuzz.ini", data, size);
    ReadIniFiles();
    ReadKeyValueFile();
    return 0;
}
