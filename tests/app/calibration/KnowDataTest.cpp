// The known-point store "knowdata.dat": the program's line rules, the
// entries by index, Chinese texts in code page 936 and damaged files.
#include <string>

#include "app/calibration/KnowData.h"
#include "platform/files/FileApi.h"
#include "platform/testing/Printers.h"
#include "platform/testing/TempDeviceRoot.h"

namespace calibtest {
namespace {

class KnowDataTest : public quorvel::testing::DeviceRootTest {
  protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        WriteHost("Flash Disk/Jobs/ruvo/.keep", "");
        m_store.SetFileName(L"\\Flash Disk\\Jobs\\ruvo\\knowdata.dat");
    }
    void Store(const std::string& bytes) { WriteHost("Flash Disk/Jobs/ruvo/knowdata.dat", bytes); }
    std::string Stored() const { return ReadHost("Flash Disk/Jobs/ruvo/knowdata.dat"); }
    std::vector<CString> Entry(int i) const {
        CString f[5];
        m_store.GetAt(i, f[0], f[1], f[2], f[3], f[4]);
        return {f[0], f[1], f[2], f[3], f[4]};
    }

    CKnowData m_store;
};

using Texts = std::vector<CString>;

TEST_F(KnowDataTest, LinesAreReadUpToTheFirstEmptyOneAndMissingFieldsAreEmpty) {
    Store("0,1.5,2.5,3.5,1.2\r\n1,10,20\r\n2,a,b,c,d,e\r\n\r\n3,9,9,9,9\r\n");
    m_store.Load();
    ASSERT_EQ(m_store.GetCount(), 3);
    EXPECT_EQ(Entry(0), (Texts{L"0", L"1.5", L"2.5", L"3.5", L"1.2"}));
    EXPECT_EQ(Entry(1), (Texts{L"1", L"10", L"20", L"", L""}));
    EXPECT_EQ(Entry(2), (Texts{L"2", L"a", L"b", L"c", L"d"}));

    // A last line without its LF is not read; the character before each LF
    // goes, so a line ended by LF alone loses its last character.
    Store("0,1,2,3,4\r\n1,5,6,7,8\n2,5,6,7,8");
    m_store.Load();
    ASSERT_EQ(m_store.GetCount(), 2);
    EXPECT_EQ(Entry(1), (Texts{L"1", L"5", L"6", L"7", L""}));
}

TEST_F(KnowDataTest, EntriesOutsideTheStoreAreLeftAlone) {
    m_store.Add(L"0", L"1", L"2", L"3", L"4");
    m_store.SetAt(1, L"x", L"x", L"x", L"x", L"x");
    m_store.SetAt(-1, L"x", L"x", L"x", L"x", L"x");
    EXPECT_EQ(m_store.GetCount(), 1);
    CString f[5] = {L"k", L"k", L"k", L"k", L"k"};
    m_store.GetAt(1, f[0], f[1], f[2], f[3], f[4]);
    m_store.GetAt(-1, f[0], f[1], f[2], f[3], f[4]);
    EXPECT_EQ(Texts(f, f + 5), (Texts{L"k", L"k", L"k", L"k", L"k"}));
    m_store.SetAt(0, L"0", L"5", L"6", L"7", L"8");
    EXPECT_EQ(Entry(0), (Texts{L"0", L"5", L"6", L"7", L"8"}));
}

// Every byte of a Chinese text is written: the store holds more bytes than
// characters.
TEST_F(KnowDataTest, ChineseTextsGoOutInCodePage936AndComeBack) {
    m_store.Add(L"0", L"北京", L"甲", L"高程", L"1.5");
    m_store.Add(L"1", L"1", L"2", L"3", L"4");
    ASSERT_TRUE(m_store.Save());
    EXPECT_EQ(Stored(), "0,\xb1\xb1\xbe\xa9,\xbc\xd7,\xb8\xdf\xb3\xcc,1.5\r\n1,1,2,3,4\r\n");
    CKnowData again;
    again.SetFileName(L"\\Flash Disk\\Jobs\\ruvo\\knowdata.dat");
    again.Load();
    ASSERT_EQ(again.GetCount(), 2);
    CString f[5];
    again.GetAt(0, f[0], f[1], f[2], f[3], f[4]);
    EXPECT_EQ(Texts(f, f + 5), (Texts{L"0", L"北京", L"甲", L"高程", L"1.5"}));
}

TEST_F(KnowDataTest, AMissingFileIsCreatedEmptyAndAFolderInItsPlaceIsNotReplaced) {
    EXPECT_FALSE(m_store.FileExists());
    m_store.Load();
    EXPECT_TRUE(m_store.FileExists());
    EXPECT_EQ(m_store.GetCount(), 0);
    EXPECT_EQ(Stored(), "");

    CKnowData folder;
    folder.SetFileName(L"\\Flash Disk\\Jobs\\ruvo\\taken");
    ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\ruvo\\taken", nullptr));
    folder.Load();
    EXPECT_FALSE(folder.FileExists());
    folder.Add(L"0", L"1", L"2", L"3", L"4");
    EXPECT_FALSE(folder.Save());
}

TEST_F(KnowDataTest, DamagedFilesLoadWithoutHarmAndSaveBackWhatWasRead) {
    std::string binary(1 << 16, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 2654435761u) >> 13);
    std::string big;
    while (big.size() < 10u << 20) big += std::string(1000, 'x') + ",1,2,3,4\r\n";
    const std::pair<std::string, int> inputs[] = {
        {"", 0},
        {std::string(10u << 20, 'a'), 0},  // no line end at all
        {big, static_cast<int>(big.size() / 1010)},
        {std::string(100, ',') + "\r\n", 1},
        {"a\r\n", 1},
        {"\n\n", 0},
    };
    for (const auto& [input, count] : inputs) {
        Store(input);
        m_store.Load();
        EXPECT_EQ(m_store.GetCount(), count);
    }
    Store(binary);
    m_store.Load();
    ASSERT_TRUE(m_store.Save());
    m_store.Load();
    const int count = m_store.GetCount();
    ASSERT_TRUE(m_store.Save());
    const std::string saved = Stored();
    m_store.Load();
    EXPECT_EQ(m_store.GetCount(), count);
    ASSERT_TRUE(m_store.Save());
    EXPECT_EQ(Stored(), saved);  // a second round changes nothing

    // A zero byte inside a field is written back with what follows it.
    const std::string zero("0,1\0x,2,3,4\r\n1,5,6,7,8\r\n", 24);
    Store(zero);
    m_store.Load();
    ASSERT_TRUE(m_store.Save());
    EXPECT_EQ(Stored(), zero);
}

}  // namespace
}  // namespace calibtest
