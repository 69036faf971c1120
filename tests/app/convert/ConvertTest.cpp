#include "tests/app/convert/ConvertTest.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "app/settings/DefaultRecords.h"
#include "platform/base/TextConv.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "res/resource.h"

namespace converttest {

namespace {

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

CoordSysParams PlainJob() {
    CoordSysParams p;
    FillDefaultParRecord(p);
    p.szdCenter = 117.0;
    return p;
}

CoordSysParams FullJob() {
    CoordSysParams p = PlainJob();
    p.nSevenPar = 1;
    p.szddx = -15.4;
    p.szddy = 139.2;
    p.szddz = 51.3;
    p.szddK = 2.5e-6;
    p.nDifang = 1;
    p.szdCx1 = 12.345;
    p.szdCy1 = -23.456;
    p.szdCa1 = 1.5e-5;
    p.szdCk1 = 1.0000035;
    p.nNiheMode = 1;
    p.szdNiheA0 = -8.5;
    p.szdNiheA1 = 1e-5;
    p.szdNiheA2 = -2e-5;
    p.szdNiheA3 = 1e-10;
    p.szdNiheA4 = -2e-10;
    p.szdNiheA5 = 3e-10;
    p.szdNiheX0 = 3340000.0;
    p.szdNiheY0 = 520000.0;
    return p;
}

void ConvertTest::SetUp() {
    ShellTest::SetUp();
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/convert/ref");
}

void ConvertTest::StartJob(const CoordSysParams& params) {
    WriteDefaultJob([](SystemParams&) {});
    CIniFile ini;
    ASSERT_TRUE(ini.WriteCoordParams(kJobDir, L"ruvo.par", params));
    ASSERT_NE(StartAndSettle(), nullptr);
}

void ConvertTest::Command(UINT id) {
    Frame()->SendMessage(WM_COMMAND, id);
    Pump();
}

std::string ConvertTest::DataFile(const std::string& name) const {
    return ReadDevice(kDataDir + quorvel::FromUtf8(name));
}

void ConvertTest::WriteDataFile(const std::string& name, const std::string& bytes) const {
    WriteDevice(kDataDir + quorvel::FromUtf8(name), bytes);
}

void AnswerOpen(quorvel::testing::ModalScript& modals, LPCTSTR path) {
    modals.ExpectDialog(IDD_FILE_OPEN).SetText(IDC_FILE_OPEN_PATH, path).Click(IDOK);
}

void AnswerSave(quorvel::testing::ModalScript& modals, LPCTSTR folder, LPCTSTR name) {
    modals.ExpectDialog(IDD_FILE_SAVE)
        .SetText(IDC_FILE_SAVE_PATH, folder)
        .SetText(IDC_FILE_SAVE_NAME, name)
        .Click(IDOK);
}

void ExpectDialogMatches(HWND dialog, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(
        quorvel::testing::DumpDialog(dialog),
        QUORVEL_SOURCE_DIR "/tests/app/convert/ref/" + name + ".txt");
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), name);
}

std::string Gbk(const std::string& utf8) {
    return quorvel::ToGbk(quorvel::FromUtf8(utf8).GetString());
}

std::string Data(const std::string& name) {
    const std::string bytes = ReadHostFile(QUORVEL_SOURCE_DIR "/tests/app/convert/data/" + name);
    EXPECT_FALSE(bytes.empty()) << "missing reference " << name;
    return bytes;
}

std::vector<ReferencePoint> ReferenceBlock(int index) {
    std::vector<ReferencePoint> points;
    std::istringstream in(Data("reference.gie"));
    std::string line;
    std::string name;
    int block = -1;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string tag;
        words >> tag;
        if (tag == "operation") {
            ++block;
        } else if (tag == "#") {
            words >> name;
        } else if (block == index && tag == "accept") {
            ReferencePoint p;
            p.name = name;
            words >> p.lon >> p.lat >> p.height;
            points.push_back(p);
        } else if (block == index && tag == "expect" && !points.empty()) {
            words >> points.back().east >> points.back().north >> points.back().gridHeight;
        }
    }
    EXPECT_FALSE(points.empty()) << "no block " << index << " in reference.gie";
    return points;
}

const ReferencePoint& Find(const std::vector<ReferencePoint>& block, const std::string& name) {
    for (const ReferencePoint& p : block)
        if (p.name == name) return p;
    ADD_FAILURE() << "no point " << name << " in reference.gie";
    static const ReferencePoint none;
    return none;
}

}  // namespace converttest
