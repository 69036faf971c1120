#include <gtest/gtest.h>

#include "platform/base/CString.h"

namespace {

TEST(CStringEdit, ExtractionClampsLikeTheFramework) {
    CString s(L"ruvo.ini");
    EXPECT_EQ(s.Left(4), L"ruvo");
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Left(100), L"ruvo.ini");
    EXPECT_EQ(s.Mid(5), L"ini");
    EXPECT_EQ(s.Mid(20), L"");
    EXPECT_EQ(s.Mid(-3, 2), L"ru");
    EXPECT_EQ(s.Mid(2, 100), L"vo.ini");
    EXPECT_EQ(s.Right(3), L"ini");
    EXPECT_EQ(s.Right(0), L"");
    // "the last three characters replaced", as job files are named
    EXPECT_EQ(s.Left(s.GetLength() - 3) + L"par", L"ruvo.par");
}

TEST(CStringEdit, FindAndReverseFind) {
    CString path(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    EXPECT_EQ(path.ReverseFind(L'\\'), 21);
    EXPECT_EQ(path.Find(L'\\'), 0);
    EXPECT_EQ(path.Find(L'\\', 1), 11);
    EXPECT_EQ(path.Find(L"ruvo"), 17);
    EXPECT_EQ(path.Find(L"ruvo", 18), 22);
    EXPECT_EQ(path.Find(L"none"), -1);
    EXPECT_EQ(path.Find(L'x', 1000), -1);
    EXPECT_EQ(path.Find(L"", 0), 0);
    EXPECT_EQ(CString().ReverseFind(L'a'), -1);
}

TEST(CStringEdit, TrimCaseAndReverse) {
    CString s(L" \t 点名 A1 \r\n");
    s.Trim();
    EXPECT_EQ(s, L"点名 A1");
    s.MakeUpper();
    EXPECT_EQ(s, L"点名 A1");
    s = L"abcXYZ";
    s.MakeLower();
    EXPECT_EQ(s, L"abcxyz");
    s.MakeReverse();
    EXPECT_EQ(s, L"zyxcba");
    s = L"xxabcxx";
    s.TrimLeft(L'x');
    EXPECT_EQ(s, L"abcxx");
    s.TrimRight(L"x");
    EXPECT_EQ(s, L"abc");
}

TEST(CStringEdit, ReplaceRemoveInsertDelete) {
    CString s(L"a,b,,c");
    EXPECT_EQ(s.Replace(L",", L";;"), 3);
    EXPECT_EQ(s, L"a;;b;;;;c");
    EXPECT_EQ(s.Remove(L';'), 6);
    EXPECT_EQ(s, L"abc");
    EXPECT_EQ(s.Insert(1, L"XY"), 5);
    EXPECT_EQ(s, L"aXYbc");
    EXPECT_EQ(s.Insert(100, L'!'), 6);
    EXPECT_EQ(s, L"aXYbc!");
    EXPECT_EQ(s.Delete(1, 2), 4);
    EXPECT_EQ(s, L"abc!");
    EXPECT_EQ(s.Delete(10, 2), 4);
    EXPECT_EQ(s.Replace(L"", L"x"), 0);
    EXPECT_EQ(s.Replace(L'b', L'B'), 1);
    EXPECT_EQ(s, L"aBc!");
}

TEST(CStringEdit, ComparisonsAreExactOrAsciiFolded) {
    CString desk(L"Desktop");
    EXPECT_TRUE(desk == L"Desktop");
    EXPECT_FALSE(desk == L"desktop");
    EXPECT_EQ(desk.CompareNoCase(L"DESKTOP"), 0);
    EXPECT_LT(CString(L"abc").Compare(L"abd"), 0);
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(L"x" == CString(L"x"));
}

TEST(CStringEdit, BufferAccess) {
    CString s;
    wchar_t* buf = s.GetBuffer(10);
    wcscpy(buf, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(s, L"hello");
    s.GetBuffer(0);
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, L"he");
    EXPECT_EQ(s.GetAt(5), 0);
    s.SetAt(7, L'x');  // outside: ignored
    s.SetAt(0, L'H');
    EXPECT_EQ(s, L"He");
}

TEST(CStringEdit, NarrowTextIsCodePage936) {
    // "测量" in GBK
    const char gbk[] = {'\xb2', '\xe2', '\xc1', '\xbf', 0};
    CString s(gbk);
    EXPECT_EQ(s, L"测量");
    CString null(static_cast<const char*>(nullptr));
    EXPECT_TRUE(null.IsEmpty());
}

TEST(CStringEdit, LoadStringUsesTheInstalledTable) {
    CString s(L"keep");
    CString::SetStringLoader(nullptr);
    EXPECT_FALSE(s.LoadString(61441));
    EXPECT_EQ(s, L"keep");
    CString::SetStringLoader([](UINT id, std::wstring& out) {
        if (id != 61441) return false;
        out = L"创建par文件错误,请检查错误!";
        return true;
    });
    EXPECT_TRUE(s.LoadString(61441));
    EXPECT_EQ(s, L"创建par文件错误,请检查错误!");
    EXPECT_FALSE(s.LoadString(1));
    CString::SetStringLoader(nullptr);
}

}  // namespace
