// The format file on its own: what it holds byte for byte, and the files a
// hand edit or a damaged store can leave (a wrong index, garbage, lines
// without COORDSTART, indexes outside the vocabulary, 10 MB without a line
// end): none of them crashes, each reads as far as it makes sense.
#include <sys/stat.h>

#include "app/postproc/FormatFile.h"
#include "platform/testing/TempDeviceRoot.h"
#include "tests/app/postproc/PostProcTestSupport.h"

namespace postproctest {
namespace {

using postproc::ParseFieldIndexes;
using postproc::ParseFormatText;

const wchar_t kPath[] = L"\\Flash Disk\\dealformat.fmt";

ResultFormatRecord Coords() {
    ResultFormatRecord f;
    f.m_strName = L"Coords";
    f.m_strSeparator = L",";
    f.m_strCoordExt = L"txt";
    f.m_strCoordFields = L"0:7:8:9:";
    f.m_bDepthFile = 1;
    f.m_strDepthExt = L"dep";
    f.m_strDepthFields = L"0:19:";
    return f;
}

class FormatFileTest : public quorvel::testing::DeviceRootTest {
  protected:
    CArray<ResultFormatRecord> m_formats;
    int m_index = 0;
    NotedMessages m_messages;
};

TEST_F(FormatFileTest, TheFileHoldsTheIndexThenOneLineAFormat) {
    m_formats.Add(Coords());
    ResultFormatRecord plain = Coords();
    plain.m_strName = L"点";
    plain.m_bDepthFile = 0;
    m_formats.Add(plain);
    WriteHost("Flash Disk/old.fmt", "");
    ASSERT_TRUE(postproc::WriteFormatFile(kPath, m_formats, 3, m_messages));
    EXPECT_EQ(ReadHost("Flash Disk/dealformat.fmt"),
              "3\r\nCoords::,:COORDSTART:txt:0:7:8:9:DEEPSTART:dep:0:19:\r\n" + Gbk("点") +
                  "::,:COORDSTART:txt:0:7:8:9:\r\n");

    CArray<ResultFormatRecord> read;
    int index = 0;
    ASSERT_TRUE(postproc::ReadFormatFile(kPath, read, index, m_messages));
    ASSERT_EQ(read.GetSize(), 2);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(read[0].m_strDepthFields, CString(L"0:19:"));
    EXPECT_EQ(read[1].m_strName, CString(L"点"));
    EXPECT_EQ(read[1].m_bDepthFile, 0);
    EXPECT_EQ(read[1].m_strDepthExt, CString());
    EXPECT_TRUE(m_messages.m_noted.empty());

    // Nothing to read, or a store that refuses the file: told, unchanged.
    EXPECT_FALSE(postproc::ReadFormatFile(L"\\Flash Disk\\none.fmt", read, index, m_messages));
    ASSERT_EQ(mkdir(Host("Flash Disk/folder.fmt").c_str(), 0755), 0);
    EXPECT_FALSE(postproc::WriteFormatFile(L"\\Flash Disk\\folder.fmt", m_formats, 0, m_messages));
    EXPECT_EQ(read.GetSize(), 2);
    EXPECT_EQ(m_messages.m_noted, (std::vector<std::string>{"inform 打开*.fmt文件错误,请检查",
                                                            "inform 创建*.fmt文件错误,请检查"}));
}

TEST_F(FormatFileTest, DamagedFilesReadAsFarAsTheyMakeSense) {
    m_formats.Add(Coords());
    m_index = 2;
    // No line at all: nothing changes.
    for (const std::string& bytes :
         {std::string(), std::string("2"), std::string(10 << 20, 'x'), std::string("\r\n")}) {
        ParseFormatText(bytes, m_formats, m_index);
        EXPECT_EQ(m_formats.GetSize(), 1);
        EXPECT_EQ(m_index, 2);
    }
    // An index that names no entry reads as 0; lines without COORDSTART go.
    ParseFormatText("99\r\nA::,:COORDSTART:x:0:\r\nB:no start\r\n\x01\xFF\xFE:::\r\n", m_formats,
                    m_index);
    ASSERT_EQ(m_formats.GetSize(), 1);
    EXPECT_EQ(m_formats[0].m_strName, CString(L"A"));
    EXPECT_EQ(m_index, 0);
    ParseFormatText("-1\r\n", m_formats, m_index);
    EXPECT_EQ(m_formats.GetSize(), 0);
    EXPECT_EQ(m_index, 0);
    // COORDSTART at the very end, DEEPSTART without its parts, no ":".
    ParseFormatText("2\r\nA:COORDSTART\r\nB::,:COORDSTART:x:1:DEEPSTART\r\nCOORDSTART:y\r\n",
                    m_formats, m_index);
    ASSERT_EQ(m_formats.GetSize(), 3);
    EXPECT_EQ(m_index, 2);
    EXPECT_EQ(m_formats[0].m_strCoordExt, CString());
    EXPECT_EQ(m_formats[1].m_bDepthFile, 1);
    EXPECT_EQ(m_formats[1].m_strCoordFields, CString(L"1:"));
    EXPECT_EQ(m_formats[1].m_strDepthExt, CString());
    EXPECT_EQ(m_formats[2].m_strCoordExt, CString(L"y"));
    // Three formats, in file order, with a 10 MB line among them.
    ParseFormatText("4\r\nA::,:COORDSTART:a:0:\r\n" + std::string(10 << 20, 'z') +
                        "\r\nB::,:COORDSTART:b:0:\r\nC::,:COORDSTART:c:0:\r\n",
                    m_formats, m_index);
    ASSERT_EQ(m_formats.GetSize(), 3);
    EXPECT_EQ(m_formats[2].m_strCoordExt, CString(L"c"));
    EXPECT_EQ(m_index, 4);
}

TEST(FieldIndexesTest, TheTextIsCutAtColonsUntilTheFirstEmptyPart) {
    EXPECT_EQ(ParseFieldIndexes(L"0:7:8:9:"), (std::vector<int>{0, 7, 8, 9}));
    EXPECT_EQ(ParseFieldIndexes(L"0:21:-1:20:x:"), (std::vector<int>{0, 20, 0}));
    EXPECT_EQ(ParseFieldIndexes(L"3::4:"), (std::vector<int>{3}));
    EXPECT_EQ(ParseFieldIndexes(L"99999999999999999999:5"), (std::vector<int>{5}));
    EXPECT_TRUE(ParseFieldIndexes(L"").empty());
}

}  // namespace
}  // namespace postproctest
