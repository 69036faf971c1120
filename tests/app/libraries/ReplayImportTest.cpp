// A receiver west of Greenwich: the skytraq capture (Bend, Oregon) decoded
// as the program decodes it, on a job whose meridian is -121, its points
// stored by the survey file writer (.RTK and the library's two lines), and
// that .RTK imported into the coordinate library and the lat/long library:
// the western longitudes stay western.
#include <fstream>

#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "receiver/ReceiverParser.h"
#include "tests/app/libraries/LibraryTest.h"

namespace librariestest {
namespace {

class ReplayImportTest : public LibraryTest {};

TEST_F(ReplayImportTest, StoredWesternPointsImportWithWesternLongitudes) {
    CVendropDoc& doc = Doc();
    doc.m_coordParams.szdCenter = -121.0;
    std::ifstream in(std::string(QUORVEL_TESTDATA_DIR) + "/nmea-captures/skytraq-dgps.log");
    ASSERT_TRUE(in.good());
    CReceiverParser parser;
    int stored = 0;
    for (std::string line; std::getline(in, line) && stored < 3;) {
        if (line.find("GGA,") == std::string::npos) continue;
        CString sentence(line.c_str());
        sentence += L"\r";
        SurveyRecord fix;
        if (!parser.ParseGga(sentence, &fix) || fix.dLat == 0.0) continue;
        ASSERT_LT(fix.dLon, -121.0);
        doc.m_storeFix = fix;
        doc.m_strPointName.Format(L"W%d", ++stored);
        doc.m_strPointCode = L"00000000";
        doc.m_dPointAntHeight = 1.5;
        ASSERT_TRUE(doc.m_fileWriter.AppendRtkRecord(FALSE));
        ASSERT_TRUE(doc.m_fileWriter.AppendLibRecords());
    }
    ASSERT_EQ(stored, 3);
    const std::wstring rtk = doc.m_fileWriter.RtkPath().GetString();
    const std::wstring name = rtk.substr(rtk.rfind(L'\\') + 1);

    auto& lib = m_modals.ExpectDialog(IDD_COORD_LIB);
    lib.Do([](HWND d) { EXPECT_EQ(RowImages(d), "111000"); })  // the writer's lines
        .Click(IDC_LIB_OPEN);
    ExpectOpen(name.c_str());
    m_modals.ExpectMessageBox(L"确定将文件中的数据加入坐标管理库吗?").Answer(IDOK);
    lib.Do([](HWND d) {
           const std::vector<std::string> rows = ListRows(d, 5);
           ASSERT_EQ(rows.size(), 9u);
           EXPECT_EQ(RowImages(d), "111111000");
           for (size_t i = 3; i < 6; ++i) {
               // West of the meridian: eastings below the false easting.
               const size_t east = rows[i].find('|', rows[i].find('|') + 1) + 1;
               EXPECT_LT(std::stod(rows[i].substr(east)), 500000.0) << rows[i];
               EXPECT_GT(std::stod(rows[i].substr(east)), 470000.0) << rows[i];
           }
       })
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDNO);
    CCoordLibDlg coord;
    coord.SetMode(2);
    EXPECT_EQ(coord.DoModal(), IDCANCEL);

    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB)
        .Click(IDC_LIB_OPEN)
        .Do([](HWND d) {
            for (const std::string& row : ListRows(d, 3))
                EXPECT_EQ(row.substr(row.rfind('|') + 1, 5), "-121.") << row;
        })
        .Select(IDC_LIB_LIST, 0)
        .Click(IDOK);
    ExpectOpen(name.c_str());
    m_modals.ExpectDialog(IDD_FILE_OPEN_MODE).Click(IDC_OPEN_MODE_APPEND);
    m_modals.ExpectMessageBox(L"确实要追加吗?").Answer(IDOK);
    CLatLonCoordLibDlg geo;
    ASSERT_EQ(geo.DoModal(), IDOK);
    EXPECT_EQ(geo.m_strPickLon.Left(5), L"-121.");
}

}  // namespace
}  // namespace librariestest
