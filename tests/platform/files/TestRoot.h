// A fresh device root in a temporary host folder for each test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"

class DeviceRootTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-files-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_base = pattern;
        m_root = m_base + "/root";
        std::filesystem::create_directory(m_root);
        quorvel::SetDeviceRoot(m_root);
    }
    void TearDown() override {
        quorvel::ResetRegistryForTests();
        std::error_code ec;
        std::filesystem::permissions(m_root, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_base, ec);
    }

    // Host paths relative to the device root.
    std::string Host(const std::string& relative) const { return m_root + "/" + relative; }
    void WriteHost(const std::string& relative, const std::string& content) const {
        const std::filesystem::path path = Host(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    std::string ReadHost(const std::string& relative) const {
        std::ifstream in(Host(relative), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    bool HostExists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(Host(relative)));
    }

    std::string m_base;  // holds the root; files here are outside the device
    std::string m_root;
};
