// The temporary folders of the fuzz targets: made once for the whole run (a
// function-local static), in memory where the host allows, since every
// input may be written to a file, and removed at exit. A target that cannot
// have one aborts: it would test nothing.
//
//   const quorvel::fuzz::CFuzzRoot& Root() {
//       static const quorvel::fuzz::CFuzzRoot root("settings", {"Flash Disk"});
//       return root;
//   }
//   ... Root().Store("Flash Disk/fuzz.ini", data, size); then read
//   L"\\Flash Disk\\fuzz.ini" ...
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

namespace quorvel::fuzz {

class CFuzzFolder {
  public:
    // "/dev/shm/quorvel-<topic>-fuzz-XXXXXX", or the same under /tmp.
    explicit CFuzzFolder(const std::string& topic);
    ~CFuzzFolder();
    CFuzzFolder(const CFuzzFolder&) = delete;
    CFuzzFolder& operator=(const CFuzzFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // Writes the bytes as the file `relative` below the folder (its folders
    // must exist) and returns its host path.
    std::string Store(const std::string& relative, const void* data, size_t size) const;

  private:
    std::string m_path;
};

// A CFuzzFolder with a "root" folder in it, set as the device root, and
// `folders` (relative, '/' separated) made below the root. Files beside
// "root" are outside the device.
class CFuzzRoot {
  public:
    explicit CFuzzRoot(const std::string& topic, std::initializer_list<const char*> folders = {});

    const std::string& Base() const { return m_folder.Path(); }
    const std::string& Root() const { return m_root; }
    // Writes the bytes as the file `relative` below the root and returns its
    // host path.
    std::string Store(const std::string& relative, const void* data, size_t size) const;
    std::string Store(const std::string& relative, const std::string& bytes) const {
        return Store(relative, bytes.data(), bytes.size());
    }

  private:
    CFuzzFolder m_folder;
    std::string m_root;
};

}  // namespace quorvel::fuzz
