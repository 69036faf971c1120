// A temporary device root holding one job, "\Flash Disk\Jobs\ruvo\" with its
// data folder, and a document whose fields point the writer at it: a WGS84
// Gauss-Krueger job on the 114 degree meridian (500 km false easting).
// The folder is removed after each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/base/CString.h"
#include "pointdata/SurveyFileWriter.h"

class WriterTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The bytes of a device file; empty when it cannot be read.
    static std::string ReadDeviceFile(LPCTSTR devicePath);
    static void WriteDeviceFile(LPCTSTR devicePath, const std::string& bytes);
    // A reference file of tests/pointdata/data (written by hand, code page 936).
    static std::string Reference(const char* name);
    // The host path of a device path (which need not exist yet).
    static std::string HostPath(LPCTSTR devicePath);
    // Every host entry under the root, as relative paths, sorted.
    std::string ListRoot() const;

    // The stored point P1: 18.25 N, 114.05 E, with the grid values of that
    // position on the job's projection.
    void StoreFirstPoint();

    std::string m_hostRoot;
    SurveyDocFields m_doc;
    CSurveyFileWriter m_writer{&m_doc};
};

inline const wchar_t kDataDir[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\";
inline const wchar_t kPointFile[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat";
inline const wchar_t kRtkFile[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK";
inline const wchar_t kBlhFile[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.BLH";
inline const wchar_t kLibFile[] = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lib";
inline const wchar_t kRawFile[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";
inline const wchar_t kDepthFile[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.deh";

// Failure messages show texts as UTF-8.
void PrintTo(const CString& text, std::ostream* os);
