// A temporary folder with small resource scripts for the compiler tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/testing/TempDeviceRoot.h"

class ScratchDir {
  public:
    ScratchDir() : m_path(m_folder.Path()) {}

    std::string Write(const std::string& name, const std::string& text) const {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    // An image the compiler accepts: it checks the signature only.
    std::string WriteBmp(const std::string& name) const {
        return Write(name, std::string("BM") + std::string(60, '\0'));
    }
    std::string Path(const std::string& name) const { return (m_path / name).string(); }

  private:
    quorvel::testing::TempFolder m_folder{"quorvel-rc"};
    std::filesystem::path m_path;
};
