// A temporary device root for the settings tests: a fresh host folder with
// "\Flash Disk" in it, removed again after each test. Every message box must
// be expected through m_boxes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/base/CString.h"
#include "platform/base/MessageBox.h"

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The bytes of a device file; empty when it cannot be read.
    static std::string ReadDeviceFile(LPCTSTR devicePath);
    static void WriteDeviceFile(LPCTSTR devicePath, const std::string& bytes);
    static bool DeviceFileExists(LPCTSTR devicePath);
    // A checked-in reference file of tests/app/data.
    static std::string ReferenceFile(const char* name);
    // Host files in a device folder, hidden ones included.
    static int CountHostEntries(LPCTSTR deviceFolder);

    std::string m_hostRoot;
    quorvel::MessageBoxRecorder m_boxes;
};

// GBK bytes of a wide text, for building test files.
std::string Gbk(LPCTSTR text);

// Failure messages show texts as UTF-8.
void PrintTo(const CString& text, std::ostream* os);
