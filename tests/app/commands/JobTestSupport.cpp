#include "tests/app/commands/JobTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "app/settings/DefaultRecords.h"
#include "platform/base/TextConv.h"
#include "platform/files/FileApi.h"
#include "sim/Nmea.h"
#include "sim/ReceiverLogs.h"

namespace commandstest {

CMainFrame* JobTest::StartOnJob(void (*change)(SystemParams&)) {
    CMainFrame* frame = StartWithLink(change);
    ReceiveBaseStation();
    return frame;
}

quorvel::sim::NmeaEpoch JobTest::SiteEpoch() {
    quorvel::sim::NmeaEpoch epoch;
    epoch.secondsOfDay = 8 * 3600;
    epoch.latDeg = kBaseLat;
    epoch.lonDeg = kBaseLon;
    epoch.heightM = kBaseHeight;
    epoch.quality = 4;
    return epoch;
}

// The base log, then a position: the document takes the fix, base block
// and all, with the position.
void JobTest::ReceiveBaseStation() {
    const quorvel::sim::NmeaEpoch epoch = SiteEpoch();
    ASSERT_TRUE(Deliver(quorvel::sim::RefStationLog(epoch, kBaseLat, kBaseLon, kBaseHeight)));
    ASSERT_TRUE(Deliver(quorvel::sim::GgaSentence(epoch)));
    ASSERT_NEAR(Doc().m_curFix.dBaseLat, kBaseLat, 1e-8);
    ASSERT_NEAR(Doc().m_curFix.dBaseLon, kBaseLon, 1e-8);
    ASSERT_NEAR(Doc().m_curFix.dBaseH, kBaseHeight, 1e-3);
}

SurveyRecord JobTest::NextFix() {
    EXPECT_TRUE(Deliver(quorvel::sim::GgaSentence(SiteEpoch())));
    return Doc().m_curFix;
}

void JobTest::WriteJob(const std::wstring& name, const SystemParams& ini,
                       const CoordSysParams& par) {
    const CString folder = CString(L"\\Flash Disk\\Jobs\\") + name.c_str() + L"\\";
    // Either may be there already.
    (void)::CreateDirectory(CString(L"\\Flash Disk\\Jobs"), nullptr);
    (void)::CreateDirectory(folder.Left(folder.GetLength() - 1), nullptr);
    CIniFile file;
    ASSERT_TRUE(file.WriteSystemParams(folder, CString(name.c_str()) + L".ini", ini));
    ASSERT_TRUE(file.WriteCoordParams(folder, CString(name.c_str()) + L".par", par));
}

std::string JobTest::CommandsReference(const std::string& name) {
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/tests/app/commands/data/" + name,
                     std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(bytes.empty()) << "missing reference " << name;
    return bytes;
}

std::map<std::string, double> JobTest::ExpectLinesMatch(const std::string& actual,
                                                        const std::string& reference) {
    std::map<std::string, double> free;
    const std::vector<std::string> got = SplitLines(actual);
    const std::vector<std::string> want = SplitLines(reference);
    EXPECT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size() && i < want.size(); ++i) {
        const size_t equals = want[i].find('=');
        if (equals != std::string::npos && want[i].substr(equals) == "=?") {
            const std::string key = want[i].substr(0, equals + 1);
            EXPECT_EQ(got[i].substr(0, key.size()), key) << "line " << i + 1;
            free[want[i].substr(0, equals)] = std::strtod(got[i].c_str() + key.size(), nullptr);
            continue;
        }
        EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
    }
    return free;
}

std::wstring JobTest::Title() const {
    CString title;
    Frame()->GetWindowText(title);
    return title.GetString();
}

}  // namespace commandstest
