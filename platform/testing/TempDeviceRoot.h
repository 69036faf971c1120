// A temporary host folder for one test, and the device root made of it.
//
// Any test that touches device files starts here: the program's paths
// ("\Flash Disk\...") resolve under a fresh folder that is removed again,
// so tests never see each other's files and never touch the real root.
//
//   class MyTest : public quorvel::testing::DeviceRootTest {};
//   TEST_F(MyTest, Saves) {
//       WriteHost("Flash Disk/a.ini", "x=1\n");   // host side, by hand
//       ... the code under test opens L"\\Flash Disk\\a.ini" ...
//       EXPECT_EQ(ReadHost("Flash Disk/a.ini"), "x=2\n");
//   }
//
// A fixture with another base holds a TempDeviceRoot as a member instead.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvel::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds (read-only parts included) when this goes. Path() is empty when
// no folder could be made; Made() says so.
class TempFolder {
  public:
    explicit TempFolder(const std::string& prefix = "quorvel");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool Made() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
};

// A TempFolder with a "root" folder in it, set as the platform's device
// root while this lives. Files beside "root" are outside the device, for
// tests of paths that must not reach them. On going, the device root is
// cleared and the registry forgotten, then the folder removed.
class TempDeviceRoot {
  public:
    explicit TempDeviceRoot(const std::string& prefix = "quorvel");
    ~TempDeviceRoot();
    TempDeviceRoot(const TempDeviceRoot&) = delete;
    TempDeviceRoot& operator=(const TempDeviceRoot&) = delete;

    bool Made() const { return m_made; }
    // The temporary folder that holds the root.
    const std::string& Base() const { return m_folder.Path(); }
    const std::string& Root() const { return m_root; }

    // Host paths relative to the device root, '/' separated.
    std::string Host(const std::string& relative) const;
    // Writes a host file, making its folders.
    void WriteHost(const std::string& relative, const std::string& bytes) const;
    // The bytes of a host file; empty when it cannot be read.
    std::string ReadHost(const std::string& relative) const;
    // True for anything at the path, a dangling link included.
    bool HostExists(const std::string& relative) const;

  private:
    TempFolder m_folder;
    std::string m_root;
    bool m_made = false;
};

// A gtest fixture with a TempDeviceRoot for each test. Derived fixtures
// that override SetUp or TearDown call these first / last.
class DeviceRootTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string Host(const std::string& relative) const { return m_deviceRoot->Host(relative); }
    void WriteHost(const std::string& relative, const std::string& bytes) const {
        m_deviceRoot->WriteHost(relative, bytes);
    }
    std::string ReadHost(const std::string& relative) const {
        return m_deviceRoot->ReadHost(relative);
    }
    bool HostExists(const std::string& relative) const {
        return m_deviceRoot->HostExists(relative);
    }

    std::string m_base;  // holds the root; files here are outside the device
    std::string m_root;

  private:
    std::optional<TempDeviceRoot> m_deviceRoot;
};

}  // namespace quorvel::testing
