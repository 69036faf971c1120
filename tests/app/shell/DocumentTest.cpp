// The document's own rules: the point-name advance and the record it
// writes, the point being stored, the software date, the calibration
// source points, and the screens' key translation.
#include <cmath>

#include "app/settings/DefaultRecords.h"
#include "app/shell/KeyMap.h"
#include "platform/base/TextConv.h"
#include "platform/win/WinKeys.h"
#include "platform/win/WinMessages.h"
#include "tests/app/ShellTest.h"

namespace shelltest {
namespace {

using DocumentTest = ShellTest;

TEST_F(DocumentTest, TheNextPointNameCountsTheTrailingDigitsUpAsText) {
    CVendropDoc doc;
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"pt09", L"pt10"},
        {L"A007", L"A8"},
        {L"99", L"100"},
        {L"PT", L"PT1"},
        {L"", L"1"},
        {L"K9", L"K10"},
        {L"12A", L"12A1"},
        {L"pt0", L"pt1"},
        {L"123456789012345678901234567890", L"123456789012345678901234567891"},
        {L"P999999999999999999999999999999", L"P1000000000000000000000000000000"},
    };
    for (const auto& [name, next] : cases) {
        doc.m_strNextPointName = name;
        doc.AdvancePointName();
        EXPECT_EQ(doc.m_strNextPointName, CString(next)) << quorvel::ToUtf8(name);
        EXPECT_EQ(doc.m_sysFile.szLastSaveName, CString(name));
    }
    // The last saved name went to esystem.sys each time.
    CIniFile ini;
    CSystemFileRecord record;
    ASSERT_TRUE(ini.ReadSystemFile(L"\\Flash Disk\\", L"esystem.sys", &record));
    EXPECT_EQ(record.szLastSaveName, CString(L"P999999999999999999999999999999"));
    EXPECT_EQ(Boxes(*m_modals), "");
}

TEST_F(DocumentTest, AnUnwritableSystemFileIsReportedAndTheNameStillAdvances) {
    CVendropDoc doc;
    doc.m_strProgramRoot = L"\\No Such Disk";
    doc.m_strNextPointName = L"pt1";
    m_modals->ExpectMessageBox(L"创建esystem.sys文件错误,请检查错误!").Answer(IDOK);
    doc.AdvancePointName();
    EXPECT_EQ(doc.m_strNextPointName, CString(L"pt2"));
    EXPECT_EQ(doc.m_sysFile.szLastSaveName, CString(L"pt1"));
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(DocumentTest, TheCurrentFixIsThePointBeingStoredLessItsAntenna) {
    CVendropDoc doc;
    doc.m_strPointName = L"pt7";
    doc.m_strNextPointName = L"pt8";
    doc.m_strPointCode = L"tree";
    doc.m_dPointAntHeight = 1.5;
    doc.m_storeFix.dX = 5416504.125;
    doc.m_storeFix.dY = 668365.5;
    doc.m_storeFix.dGridH = 10.0;
    doc.m_curFix.dGridH = 99.0;  // the live fix is not the stored one
    PointRecord point;
    doc.GetCurrentFix(point);
    EXPECT_EQ(point.strName, CString(L"pt7"));
    EXPECT_EQ(point.strCode, CString(L"tree"));
    EXPECT_EQ(point.dX, 5416504.125);
    EXPECT_EQ(point.dY, 668365.5);
    EXPECT_EQ(point.dH, 8.5);
}

TEST_F(DocumentTest, ANewDocumentStartsAsTheProgramExpects) {
    CVendropDoc doc;
    EXPECT_EQ(doc.m_strSoftwareDate, CString(L"2012.06.01"));
    EXPECT_EQ(MakeSoftwareDate("Dec 25 2013"), CString(L"2013.12.25"));
    EXPECT_EQ(MakeSoftwareDate("Xyz 31 1999"), CString(L"1999.01.31"));
    EXPECT_EQ(doc.m_strProgramRoot, CString(L"\\Flash Disk"));
    EXPECT_EQ(doc.m_strNextPointName, CString(L"pt1"));
    EXPECT_EQ(doc.m_strPointCode, CString(L"00000000"));
    EXPECT_EQ(doc.m_bStatusInChinese, 1);
    EXPECT_EQ(doc.m_bDiffAlive, 1);
    EXPECT_EQ(doc.m_nDlgContext, kContextDefault);
    EXPECT_EQ(doc.m_nReceiverType, -1);
    EXPECT_EQ(doc.m_dAntennaConst, 0.014);
    // Only OnNewDocument publishes it, and a document that goes takes its
    // pointer along.
    EXPECT_EQ(g_pDoc, nullptr);
    {
        CVendropDoc published;
        ASSERT_TRUE(published.OnNewDocument());
        EXPECT_EQ(g_pDoc, &published);
    }
    EXPECT_EQ(g_pDoc, nullptr);

    CoordSysParams params;
    params.szdSx0 = 1.0;
    params.szdSh4 = 5.0;
    doc.ApplyBaseCoordinates(params);
    EXPECT_EQ(doc.m_calibMeasured[0].x, 1.0);
    EXPECT_EQ(doc.m_calibMeasured[4].h, 5.0);
    doc.ApplyBaseCoordinates(CoordSysParams{});
    for (const auto& p : doc.m_calibMeasured) EXPECT_EQ(p.x + p.y + p.h, 0.0);
}

TEST(KeyMapTest, HardwareKeysBecomeCommandKeys) {
    const std::pair<UINT, int> keys[] = {
        {VK_DELETE, 0}, {VK_LEFT, 'A'}, {'A', 'A'},     {VK_UP, 'B'}, {VK_PRIOR, 'B'},
        {'B', 'B'},     {VK_DOWN, 'C'}, {VK_NEXT, 'C'}, {'C', 'C'},   {VK_RIGHT, 'D'},
        {'D', 0},       {'2', '2'},     {VK_F2, '2'},   {'3', '3'},   {VK_F3, '3'},
        {'5', '5'},     {VK_F5, '5'},   {'6', '6'},     {VK_F6, '6'}, {'7', '7'},
        {VK_F7, '7'},   {'8', '8'},     {VK_F8, '8'},   {'9', '9'},   {VK_F9, '9'},
        {'1', 0},       {'4', 0},       {VK_F1, 0},     {VK_F4, 0},   {VK_RETURN, 0},
    };
    for (const auto& [key, command] : keys)
        EXPECT_EQ(MapKeyToCommand(WM_KEYDOWN, key), command) << key;
    EXPECT_EQ(MapKeyToCommand(WM_SYSKEYDOWN, 'A'), 'A');
    EXPECT_EQ(MapKeyToCommand(WM_SYSKEYDOWN, 'B'), 'B');
    EXPECT_EQ(MapKeyToCommand(WM_SYSKEYDOWN, VK_LEFT), 0);
    EXPECT_EQ(MapKeyToCommand(WM_KEYUP, 'A'), 0);
    EXPECT_EQ(MapKeyToCommand(WM_CHAR, '5'), 0);
}

}  // namespace
}  // namespace shelltest

namespace shelltest {
namespace {

TEST_F(DocumentTest, TheBasePointIsTheBroadcastBaseOnTheJobsGrid) {
    CVendropDoc doc;
    FillDefaultParRecord(doc.m_coordParams);
    doc.m_coordParams.szdCenter = 3.0;
    doc.LoadCoordTransform();
    doc.m_curFix.dBaseLat = 48.8583;
    doc.m_curFix.dBaseLon = 2.2945;
    doc.m_curFix.dBaseH = 35.5;
    doc.RefreshBasePoint(doc.m_coordTransform);
    const CoordSysParams& p = doc.m_coordParams;
    // Coarse on purpose (the projection's own numbers are the engine's
    // tests): west of the meridian, so short of the false easting, and
    // about 5400 km north of the equator.
    EXPECT_NEAR(p.szdBaseX, 5.4127e6, 5e3);
    EXPECT_LT(p.szdBaseY, 500000.0);
    EXPECT_GT(p.szdBaseY, 440000.0);
    EXPECT_EQ(p.szdBaseH, 35.5);
    EXPECT_EQ(p.szdSx0, p.szdBaseX);
    EXPECT_EQ(p.szdSy0, p.szdBaseY);
    EXPECT_EQ(p.szdSh0, 35.5);
    EXPECT_EQ(doc.m_calibMeasured[0].x, p.szdBaseX);
    EXPECT_EQ(doc.m_calibMeasured[0].h, 35.5);

    // A datum shift in use moves the point; its height is the local one.
    const double plainX = p.szdBaseX;
    doc.m_coordParams.nSevenPar = 1;
    doc.m_coordParams.szddx = 100.0;
    doc.m_coordParams.szddz = -50.0;
    doc.RefreshBasePoint(doc.m_coordTransform);
    EXPECT_GT(std::abs(doc.m_coordParams.szdBaseX - plainX), 10.0);
    EXPECT_NE(doc.m_coordParams.szdBaseH, 35.5);
}

}  // namespace
}  // namespace shelltest
