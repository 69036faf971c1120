// Fuzz target: the settings readers on arbitrary file contents. Each input
// is stored as a file in a temporary device root and read as esystem.sys, a
// job's .ini and .par, and a screen settings file, with a few lookups of
// names the records never ask for.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/settings/IniFile.h"
#include "app/settings/KeyValueFile.h"
#include "fuzz/FuzzRoot.h"
#include "platform/files/FileApi.h"

namespace {

const wchar_t kFolder[] = L"\\Flash Disk\\";

void StoreInput(const char* name, const uint8_t* data, size_t size) {
    static const quorvel::fuzz::CFuzzRoot root("settings", {"Flash Disk"});
    root.Store(std::string("Flash Disk/") + name, data, size);
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
