#include "tests/pointdata/WriterTestRoot.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"

namespace fs = std::filesystem;

namespace {

std::string ReadHostFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The job's coordinate system. Every header value is distinct, so a field
// written in the wrong place shows; seven and four parameters and the
// height fit are switched off for the conversions but still written out.
CoordSysParams JobParams() {
    CoordSysParams p;
    p.nCoord = 2;
    p.szdDa = 6378137.0;
    p.szdDf = 298.257223563;
    p.nTouYin = 0;
    p.szdCenter = 114.0;
    p.szlTx = 0;
    p.szlTy = 500000;
    p.szdTk = 1.0;
    p.nSevenPar = 0;
    p.szddx = -15.415, p.szddy = 139.221, p.szddz = 51.292;
    p.szdWx = 8.78e-6, p.szdWy = -4.53e-6, p.szdWz = 1.1669e-5, p.szddK = 2.5e-6;
    p.nDifang = 0;
    p.szdCx1 = -2531.27, p.szdCy1 = 1207.5, p.szdCa1 = 1.5e-5, p.szdCk1 = 1.0000213;
    p.nNiheMode = 1;
    p.szdNiheA0 = 0.0123, p.szdNiheA1 = -1.5e-6, p.szdNiheA2 = 2.25e-6;
    p.szdNiheX0 = 2018000.5, p.szdNiheY0 = 505000.25;
    p.szdBaseX = 2018700.1234, p.szdBaseY = 505300.9876, p.szdBaseH = 20.5;
    p.szdBaseLat = 18.2533, p.szdBaseLon = 114.0211, p.szdBaseHgt = 30.125;
    return p;
}

}  // namespace

void WriterTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "quorvel-writer-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_hostRoot = pattern;
    quorvel::SetDeviceRoot(m_hostRoot);
    for (LPCTSTR folder : {L"\\Flash Disk", L"\\Flash Disk\\Jobs", L"\\Flash Disk\\Jobs\\ruvo",
                           L"\\Flash Disk\\Jobs\\ruvo\\data"}) {
        ASSERT_TRUE(CreateDirectory(folder, nullptr));
    }
    m_doc.m_strJobDir = L"\\Flash Disk\\Jobs\\ruvo\\";
    m_doc.m_strDataDir = kDataDir;
    m_doc.m_strDataFile = L"ruvo.dat";
    m_doc.m_strIniName = L"ruvo.ini";
    m_doc.m_coordParams = JobParams();
}

void WriterTest::TearDown() {
    std::error_code ignored;
    fs::permissions(m_hostRoot, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_hostRoot, ignored);
}

// Grid values: GeographicLib's exact transverse Mercator of 18.25 N 114.05 E
// on WGS84, central meridian 114, scale 1 (tests/geodesy/data/tmerc.gie):
// northing 2018653.112518466, easting 5287.737759655 + 500000.
void WriterTest::StoreFirstPoint() {
    SurveyRecord& f = m_doc.m_storeFix;
    f.dLat = 18.25, f.dLon = 114.05, f.dHeight = 12.3456;
    f.dX = 2018653.112518466, f.dY = 505287.737759655, f.dGridH = 15.5;
    f.nSolution = 10, f.dHrms = 0.012, f.dVrms = 0.0205, f.nSatsUsed = 9, f.dDop = 1.25;
    f.nYear = 2026, f.nMonth = 6, f.nDay = 1, f.nHour = 8, f.nMinute = 5, f.dSecond = 3.25;
    m_doc.m_strPointName = L"P1";
    m_doc.m_strPointCode = L"TREE";
    m_doc.m_dPointAntHeight = 1.8;
}

std::string WriterTest::ReadDeviceFile(LPCTSTR devicePath) {
    std::string hostPath;
    if (!quorvel::ResolveDevicePath(devicePath, hostPath, false)) return std::string();
    return ReadHostFile(hostPath);
}

void WriterTest::WriteDeviceFile(LPCTSTR devicePath, const std::string& bytes) {
    std::ofstream out(HostPath(devicePath), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
}

std::string WriterTest::HostPath(LPCTSTR devicePath) {
    std::string hostPath;
    EXPECT_TRUE(quorvel::ResolveDevicePath(devicePath, hostPath, true));
    return hostPath;
}

std::string WriterTest::Reference(const char* name) {
    std::string path = std::string(QUORVEL_SOURCE_DIR) + "/tests/pointdata/data/" + name;
    std::string bytes = ReadHostFile(path);
    EXPECT_FALSE(bytes.empty()) << "missing reference file " << path;
    return bytes;
}

std::string WriterTest::ListRoot() const {
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(m_hostRoot)) {
        entries.insert(fs::relative(entry.path(), m_hostRoot).string() +
                       (entry.is_directory() ? "/" : ""));
    }
    std::string list;
    for (const std::string& e : entries) list += e + "\n";
    return list;
}

void PrintTo(const CString& text, std::ostream* os) {
    *os << '"' << quorvel::ToUtf8(text) << '"';
}
