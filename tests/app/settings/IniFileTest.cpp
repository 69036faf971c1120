// Loading and key lookup of CIniFile on hand-made files.
#include "app/settings/IniFile.h"

#include "tests/app/SettingsTestRoot.h"

namespace {

const wchar_t kPath[] = L"\\Flash Disk\\test.ini";

class IniLookupTest : public SettingsTest {
  protected:
    void LoadText(const std::string& bytes) {
        WriteDeviceFile(kPath, bytes);
        ASSERT_TRUE(m_ini.Load(kPath, CFile::modeRead));
    }
    CString Raw(LPCTSTR section, LPCTSTR key) {
        CString value = L"<untouched>";
        m_ini.FindValue(section, key, value);
        return value;
    }
    CIniFile m_ini;
};

TEST_F(IniLookupTest, LoadFailsForEmptyMissingAndFolderPaths) {
    EXPECT_FALSE(m_ini.Load(L"", CFile::modeRead));
    EXPECT_FALSE(m_ini.Load(L"\\Flash Disk\\none.ini", CFile::modeRead));
    EXPECT_FALSE(m_ini.Load(L"\\Flash Disk", CFile::modeRead));
    EXPECT_FALSE(m_ini.Load(L"\\Flash Disk\\", CFile::modeRead));
}

TEST_F(IniLookupTest, SectionsSplitAtEveryBracketAndTheTitleIsSkipped) {
    LoadText(
        "Title [not] a section?\r\n\r\n[A b ]\r\nk=1\r\n[A b ]\r\nk=2\r\nm=3\r\n"
        "[x[y]z]tail\r\n[open\r\nk=4\r\n");
    const std::vector<IniSection>& sections = m_ini.GetSections();
    ASSERT_EQ(sections.size(), 6u);
    EXPECT_EQ(sections[0].name, L"not");
    EXPECT_EQ(sections[0].body, L" a section?\r\n\r\n");
    EXPECT_EQ(sections[1].name, L"A b ");
    EXPECT_EQ(sections[1].body, L"\r\nk=1\r\n");
    EXPECT_EQ(sections[3].name, L"x");
    EXPECT_EQ(sections[3].body, L"");
    EXPECT_EQ(sections[4].name, L"y");
    EXPECT_EQ(sections[4].body, L"z");                // cut at the further "]"
    EXPECT_EQ(sections[5].name, L"open\r\nk=4\r\n");  // no "]": holds no keys
    EXPECT_EQ(sections[5].body, L"");

    // Sections of one name are searched in file order.
    EXPECT_EQ(Raw(L"A b ", L"k"), L"1\r");
    EXPECT_EQ(Raw(L"A b ", L"m"), L"3\r");
    EXPECT_EQ(Raw(L"a b ", L"k"), L"<untouched>");  // names are case-sensitive
    EXPECT_EQ(Raw(L"open", L"k"), L"<untouched>");
}

TEST_F(IniLookupTest, KeysMatchOnlyTheirWholeName) {
    LoadText(
        "\r\n[S]\r\nszdBaseHgt=12.5\r\nszdBaseH=7.25\r\nKey=upper\r\n key=blank\r\n"
        "key=lower\r\n");
    double value = 0;
    EXPECT_TRUE(m_ini.GetDouble(L"S", L"szdBaseH", &value));
    EXPECT_EQ(value, 7.25);
    EXPECT_TRUE(m_ini.GetDouble(L"S", L"szdBaseHgt", &value));
    EXPECT_EQ(value, 12.5);
    EXPECT_EQ(Raw(L"S", L"key"), L"lower\r");
    EXPECT_EQ(Raw(L"S", L"szdBase"), L"<untouched>");
    EXPECT_EQ(Raw(L"S", L"szdBaseHgt2"), L"<untouched>");
}

TEST_F(IniLookupTest, ValuesEndAtTheLineEndOrAFurtherEquals) {
    LoadText("[S]\r\na=x=y\r\nb=\r\nc=LN\r\nd=no digits\r\ne=-12abc\r\nf=2.5e3x\r\ng=last");
    EXPECT_EQ(Raw(L"S", L"a"), L"x");
    EXPECT_EQ(Raw(L"S", L"b"), L"\r");
    EXPECT_EQ(Raw(L"S", L"g"), L"last");

    CString text = L"keep";
    EXPECT_TRUE(m_ini.GetString(L"S", L"c", &text));
    EXPECT_EQ(text, L"LN");  // without its CR
    EXPECT_TRUE(m_ini.GetString(L"S", L"b", &text));
    EXPECT_EQ(text, L"");

    int number = 99;
    EXPECT_TRUE(m_ini.GetInt(L"S", L"d", &number));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(m_ini.GetInt(L"S", L"e", &number));
    EXPECT_EQ(number, -12);
    double real = 0;
    EXPECT_TRUE(m_ini.GetDouble(L"S", L"f", &real));
    EXPECT_EQ(real, 2500.0);
}

TEST_F(IniLookupTest, AbsentKeysLeaveTheOutValuesAlone) {
    LoadText("[S]\r\na=1\r\n");
    CString text = L"keep";
    int number = 42;
    double real = 4.5;
    EXPECT_FALSE(m_ini.GetString(L"S", L"b", &text));
    EXPECT_FALSE(m_ini.GetInt(L"T", L"a", &number));
    EXPECT_FALSE(m_ini.GetDouble(L"S", L"A", &real));
    EXPECT_EQ(text, L"keep");
    EXPECT_EQ(number, 42);
    EXPECT_EQ(real, 4.5);
}

TEST_F(IniLookupTest, IntegersBeyondThirtyTwoBitsSaturate) {
    LoadText("[S]\r\nbig=99999999999\r\nsmall=-99999999999\r\n");
    int number = 0;
    EXPECT_TRUE(m_ini.GetInt(L"S", L"big", &number));
    EXPECT_EQ(number, 2147483647);
    EXPECT_TRUE(m_ini.GetInt(L"S", L"small", &number));
    EXPECT_EQ(number, -2147483647 - 1);
}

TEST_F(IniLookupTest, EachLoadStartsFromNoSections) {
    LoadText("[S]\r\na=1\r\n");
    LoadText("no sections at all\r\n");
    EXPECT_TRUE(m_ini.GetSections().empty());
    EXPECT_EQ(Raw(L"S", L"a"), L"<untouched>");
    LoadText("[S]\r\na=1\r\n");
    EXPECT_FALSE(m_ini.Load(L"\\Flash Disk\\none.ini", CFile::modeRead));
    EXPECT_TRUE(m_ini.GetSections().empty());
}

TEST_F(IniLookupTest, ChineseSectionsKeysAndValuesComeThroughTheDeviceCodePage) {
    LoadText(Gbk(L"标题\r\n\r\n[测量]\r\n名称=外业一队\r\n"));
    CString text;
    EXPECT_TRUE(m_ini.GetString(L"测量", L"名称", &text));
    EXPECT_EQ(text, L"外业一队");
}

}  // namespace
