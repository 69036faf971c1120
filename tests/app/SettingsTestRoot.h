// The settings tests' device root: the shared temporary root with
// "\Flash Disk" in it. Every message box must be expected through m_boxes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/base/CString.h"
#include "platform/testing/ExpectedBoxes.h"
#include "platform/testing/Printers.h"
#include "platform/testing/TempDeviceRoot.h"

class SettingsTest : public quorvel::testing::DeviceRootTest {
  protected:
    void SetUp() override;

    // The bytes of a device file; empty when it cannot be read.
    static std::string ReadDeviceFile(LPCTSTR devicePath);
    static void WriteDeviceFile(LPCTSTR devicePath, const std::string& bytes);
    static bool DeviceFileExists(LPCTSTR devicePath);
    // A checked-in reference file of tests/app/data.
    static std::string ReferenceFile(const char* name);
    // Host files in a device folder, hidden ones included.
    static int CountHostEntries(LPCTSTR deviceFolder);

    quorvel::testing::ExpectedBoxes m_boxes;
};

// GBK bytes of a wide text, for building test files.
std::string Gbk(LPCTSTR text);
