// A temporary folder with small resource scripts for the compiler tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class ScratchDir {
  public:
    ScratchDir() {
        static int serial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("quorvel_rc_" + std::to_string(getpid()) + "_" + std::to_string(++serial));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() { std::filesystem::remove_all(m_path); }

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
    std::filesystem::path m_path;
};
