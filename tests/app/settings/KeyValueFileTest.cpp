// CKeyValueFile: the per-screen settings files of a job folder.
#include "app/settings/KeyValueFile.h"

#include "platform/files/FileApi.h"
#include "tests/app/SettingsTestRoot.h"

namespace {

const wchar_t kJobDir[] = L"\\Flash Disk\\Jobs\\ruvo\\";
const UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite;

class KeyValueFileTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs", nullptr));
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\ruvo", nullptr));
    }
    // The job folder already ends in "\", the users add another.
    static CString PathOf(LPCTSTR name) { return CString(kJobDir) + L"\\" + name; }

    static void SaveSample(LPCTSTR name) {
        CKeyValueFile file;
        ASSERT_TRUE(file.Open(PathOf(name), kWriteFlags));
        file.WriteString(L"LineName", L"测线[1]");
        file.WriteInt(L"Count", -42);
        file.WriteDouble(L"Spacing", 12.345678912);
        file.WriteDouble(L"Offset", 0.0);
        file.WriteString(L"Empty", L"");
        ASSERT_TRUE(file.Close());
    }
};

TEST_F(KeyValueFileTest, WrittenValuesLoadBack) {
    SaveSample(L"lnlayauto");
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\lnlayauto"),
              Gbk(L"[LineName]测线[1]\r\n[Count]-42\r\n[Spacing]12.34567891\r\n"
                  L"[Offset]0.00000000\r\n[Empty]\r\n"));

    CKeyValueFile file;
    ASSERT_TRUE(file.Load(PathOf(L"lnlayauto"), CFile::modeRead));
    CString text;
    int number = 0;
    double real = 0;
    EXPECT_TRUE(file.ReadString(L"LineName", &text));
    EXPECT_EQ(text, L"测线[1]");  // a "]" in a value is kept
    EXPECT_TRUE(file.ReadInt(L"Count", &number));
    EXPECT_EQ(number, -42);
    EXPECT_TRUE(file.ReadDouble(L"Spacing", &real));
    EXPECT_EQ(real, 12.34567891);  // eight decimals
    EXPECT_TRUE(file.ReadDouble(L"Offset", &real));
    EXPECT_EQ(real, 0.0);
}

TEST_F(KeyValueFileTest, AbsentAndEmptyValuesReadAsAbsent) {
    SaveSample(L"ptlayauto");
    CKeyValueFile file;
    ASSERT_TRUE(file.Load(PathOf(L"ptlayauto"), CFile::modeRead));
    for (LPCTSTR key : {L"Missing", L"Empty", L"count"}) {
        CString text = L"keep";
        int number = 7;
        double real = 7.5;
        EXPECT_FALSE(file.ReadString(key, &text));
        EXPECT_FALSE(file.ReadInt(key, &number));
        EXPECT_FALSE(file.ReadDouble(key, &real));
        EXPECT_EQ(text, L"keep");
        EXPECT_EQ(number, 0);
        EXPECT_EQ(real, 0.0);
        EXPECT_EQ(file.FindValue(key), L"");
    }
}

TEST_F(KeyValueFileTest, ALastLineWithoutItsLineEndReadsAsAbsent) {
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\maptrans", "[A]1\r\n[B]2\n[C]3\r\n[D]4");
    CKeyValueFile file;
    ASSERT_TRUE(file.Load(PathOf(L"maptrans"), CFile::modeRead));
    int number = -1;
    EXPECT_TRUE(file.ReadInt(L"A", &number));
    EXPECT_EQ(number, 1);
    EXPECT_TRUE(file.ReadInt(L"B", &number));  // runs on to the next CR
    EXPECT_EQ(file.FindValue(L"B"), L"2\n[C]3");
    EXPECT_EQ(number, 2);
    EXPECT_TRUE(file.ReadInt(L"C", &number));
    EXPECT_EQ(number, 3);
    EXPECT_FALSE(file.ReadInt(L"D", &number));
    EXPECT_EQ(number, 0);
}

TEST_F(KeyValueFileTest, LoadFailsForMissingFilesAndFoldersAndTakesAnyBytes) {
    CKeyValueFile file;
    EXPECT_FALSE(file.Load(PathOf(L"lnlayauto"), CFile::modeRead));
    EXPECT_EQ(file.FindValue(L"LineName"), L"");
    EXPECT_FALSE(file.Load(L"\\Flash Disk\\Jobs\\ruvo", CFile::modeRead));
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\empty", "");
    EXPECT_TRUE(file.Load(PathOf(L"empty"), CFile::modeRead));
    EXPECT_EQ(file.FindValue(L"x"), L"");

    // Garbage loads and finds nothing it does not hold.
    std::string garbage(70000, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 131 + 7);
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\garbage", garbage);
    EXPECT_TRUE(file.Load(PathOf(L"garbage"), CFile::modeRead));
    int number = 5;
    EXPECT_FALSE(file.ReadInt(L"LineName", &number));

    // A load that fails keeps the text of the last one.
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\maptrans", "[A]1\r\n");
    ASSERT_TRUE(file.Load(PathOf(L"maptrans"), CFile::modeRead));
    EXPECT_FALSE(file.Load(PathOf(L"none"), CFile::modeRead));
    EXPECT_EQ(file.FindValue(L"A"), L"1");
}

TEST_F(KeyValueFileTest, LongValuesAreWrittenWhole) {
    CString longName;
    while (Gbk(longName).size() < 300) longName += L"很长的文件名";
    CKeyValueFile writer;
    ASSERT_TRUE(writer.Open(PathOf(L"maptrans"), kWriteFlags));
    writer.WriteString(L"File", longName);
    writer.WriteInt(L"After", 1);
    ASSERT_TRUE(writer.Close());

    CKeyValueFile reader;
    ASSERT_TRUE(reader.Load(PathOf(L"maptrans"), CFile::modeRead));
    CString text;
    EXPECT_TRUE(reader.ReadString(L"File", &text));
    EXPECT_EQ(text, longName);
    int number = 0;
    EXPECT_TRUE(reader.ReadInt(L"After", &number));
    EXPECT_EQ(number, 1);
}

TEST_F(KeyValueFileTest, ASaveReplacesTheFileOnlyWhenItCompletes) {
    SaveSample(L"lnlayauto");
    const std::string before = ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\lnlayauto");
    {
        CKeyValueFile writing;
        ASSERT_TRUE(writing.Open(PathOf(L"lnlayauto"), kWriteFlags));
        writing.WriteInt(L"Count", 1);
        // Until it is closed the old settings stand whole.
        EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\lnlayauto"), before);
    }  // a file still open is closed with its object
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\lnlayauto"), "[Count]1\r\n");
    EXPECT_EQ(CountHostEntries(kJobDir), 1);

    CKeyValueFile nowhere;
    EXPECT_FALSE(nowhere.Open(L"\\Flash Disk\\Jobs\\none\\lnlayauto", kWriteFlags));
    nowhere.WriteInt(L"Count", 1);
    EXPECT_FALSE(nowhere.Close());
    EXPECT_EQ(GetFileAttributes(L"\\Flash Disk\\Jobs\\none"), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\ruvo\\ptlayauto", nullptr));
    CKeyValueFile onFolder;
    EXPECT_FALSE(onFolder.Open(PathOf(L"ptlayauto"), kWriteFlags));
}

}  // namespace
