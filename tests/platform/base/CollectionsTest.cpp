// Arrays, the string map, field extraction and case-insensitive compare.
#include "platform/base/Collections.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

namespace {

std::vector<int> Items(const CArray<int, int>& a) {
    std::vector<int> v;
    for (int i = 0; i < a.GetSize(); ++i) v.push_back(a[i]);
    return v;
}

TEST(CArray, AddInsertRemove) {
    CArray<int, int> a;
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.Add(1), 0);
    EXPECT_EQ(a.Add(2), 1);
    EXPECT_EQ(a.Add(3), 2);
    a.InsertAt(1, 9, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{1, 9, 9, 2, 3}));
    a.InsertAt(0, 7);
    EXPECT_EQ(Items(a), (std::vector<int>{7, 1, 9, 9, 2, 3}));
    a.RemoveAt(1, 3);
    EXPECT_EQ(Items(a), (std::vector<int>{7, 2, 3}));
    a.RemoveAt(2, 10);  // only what exists
    EXPECT_EQ(Items(a), (std::vector<int>{7, 2}));
    a.RemoveAt(-1);
    a.RemoveAt(5);
    a.RemoveAt(0, 0);
    EXPECT_EQ(Items(a), (std::vector<int>{7, 2}));
    EXPECT_EQ(a.GetUpperBound(), 1);
}

TEST(CArray, InsertPastTheEndGrowsWithZeros) {
    CArray<int, int> a;
    a.Add(5);
    a.InsertAt(3, 8, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 0, 0, 8, 8}));
    CArray<int, int> b;
    b.Add(1);
    b.Add(2);
    a.InsertAt(1, &b);
    EXPECT_EQ(Items(a), (std::vector<int>{5, 1, 2, 0, 0, 8, 8}));
    a.InsertAt(9, &b);
    EXPECT_EQ(a.GetSize(), 11);
    EXPECT_EQ(a[10], 2);
}

TEST(CArray, SetSizeSetAtGrowAndBounds) {
    CArray<int, int> a;
    a.SetSize(3, 10);
    EXPECT_EQ(Items(a), (std::vector<int>{0, 0, 0}));
    a.SetAt(1, 4);
    a.SetAt(3, 9);  // outside: ignored
    EXPECT_EQ(Items(a), (std::vector<int>{0, 4, 0}));
    a.SetAtGrow(5, 6);
    EXPECT_EQ(Items(a), (std::vector<int>{0, 4, 0, 0, 0, 6}));
    a.SetSize(2);
    EXPECT_EQ(Items(a), (std::vector<int>{0, 4}));
    a.SetSize(-1);
    EXPECT_EQ(a.GetSize(), 2);
    // Out-of-range access touches a scratch element, never the array.
    a[7] = 99;
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.GetAt(7), 0);
    EXPECT_EQ(a.ElementAt(-1), 0);
    a.SetSize(0);
    EXPECT_TRUE(a.IsEmpty());

    CArray<CString> huge;
    huge.SetSize(INT_MAX);
    EXPECT_EQ(huge.GetSize(), 0);
    EXPECT_EQ(huge.Add(L"x"), 0);
}

struct Record {
    CString name;
    double value = 0;
    int flags[3] = {};
};

TEST(CArray, ElementsAreCopiedMemberWise) {
    CArray<Record> a;
    Record r;
    r.name = L"P1";
    r.value = 1.5;
    r.flags[2] = 7;
    a.Add(r);
    a.Add(a[0]);            // an element of the array itself
    a.SetAtGrow(40, a[1]);  // survives the array moving
    a.InsertAt(0, a[40], 3);
    EXPECT_EQ(a.GetSize(), 44);
    EXPECT_EQ(a[0].name, L"P1");
    EXPECT_EQ(a[43].flags[2], 7);
    EXPECT_TRUE(a[20].name.IsEmpty());

    CArray<Record> b;
    b.Copy(a);
    b[0].name = L"changed";
    EXPECT_EQ(a[0].name, L"P1");
    EXPECT_EQ(b.Append(b), 44);
    EXPECT_EQ(b.GetSize(), 88);
    EXPECT_EQ(b[44].name, L"changed");

    CStringArray names;
    names.Add(L"甲");
    names.Add(CString(L"乙"));
    EXPECT_EQ(names.GetCount(), 2);
    EXPECT_EQ(names[1], L"乙");
    CPtrArray pointers;
    pointers.Add(&r);
    EXPECT_EQ(pointers[0], &r);
}

TEST(AfxExtractSubString, FieldsAndMissingFields) {
    CString f(L"stale");
    EXPECT_TRUE(AfxExtractSubString(f, L"a,b,,d", 0, L','));
    EXPECT_EQ(f, L"a");
    EXPECT_TRUE(AfxExtractSubString(f, L"a,b,,d", 2, L','));
    EXPECT_EQ(f, L"");
    EXPECT_TRUE(AfxExtractSubString(f, L"a,b,,d", 3, L','));
    EXPECT_EQ(f, L"d");
    f = L"stale";
    EXPECT_FALSE(AfxExtractSubString(f, L"a,b,,d", 4, L','));
    EXPECT_EQ(f, L"");
    EXPECT_TRUE(AfxExtractSubString(f, L"a,b,", 2, L','));  // trailing empty field exists
    EXPECT_FALSE(AfxExtractSubString(f, L"a,b,", 3, L','));
    EXPECT_TRUE(AfxExtractSubString(f, L"line1\nline2", 1));
    EXPECT_EQ(f, L"line2");
    EXPECT_TRUE(AfxExtractSubString(f, L"", 0, L','));
    EXPECT_FALSE(AfxExtractSubString(f, nullptr, 0, L','));
    EXPECT_FALSE(AfxExtractSubString(f, L"a,b", -1, L','));
    EXPECT_TRUE(AfxExtractSubString(f, L"ab", 0, L'\0'));
    EXPECT_EQ(f, L"ab");
    EXPECT_FALSE(AfxExtractSubString(f, L"ab", 1, L'\0'));
}

TEST(CMapStringToString, SetLookupRemove) {
    CMapStringToString map;
    map.InitHashTable(17);
    CString v;
    EXPECT_FALSE(map.Lookup(L"k", v));
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map.SetAt(L"GGA", L"1");
    map.SetAt(L"gga", L"2");  // keys are case-sensitive
    map.SetAt(L"GGA", L"3");
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.Lookup(L"GGA", v));
    EXPECT_EQ(v, L"3");
    map[L"新"] = L"值";
    EXPECT_TRUE(map.Lookup(L"新", v));
    EXPECT_EQ(v, L"值");
    EXPECT_TRUE(map[L"absent"].IsEmpty());
    EXPECT_EQ(map.GetCount(), 4);
    EXPECT_TRUE(map.RemoveKey(L"gga"));
    EXPECT_FALSE(map.RemoveKey(L"gga"));
    EXPECT_FALSE(map.Lookup(L"gga", v));
    map.RemoveAll();
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_FALSE(map.Lookup(L"GGA", v));
    map.SetAt(nullptr, nullptr);  // tolerated as empty texts
    EXPECT_TRUE(map.Lookup(L"", v));
}

TEST(CMapStringToString, IterationVisitsBucketsInOrderNewestFirst) {
    CMapStringToString map;
    map.InitHashTable(17);
    std::vector<CString> keys;
    for (int i = 0; i < 60; ++i) {
        CString k;
        k.Format(L"key%d", i);
        keys.push_back(k);
        map.SetAt(k, k + L"!");
    }
    // Expected order: buckets ascending, later insertions first in a bucket.
    std::vector<CString> expected;
    for (UINT b = 0; b < 17; ++b)
        for (auto it = keys.rbegin(); it != keys.rend(); ++it)
            if (CMapStringToString::HashKey(*it) % 17 == b) expected.push_back(*it);
    std::vector<CString> seen;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        CString k, v;
        map.GetNextAssoc(pos, k, v);
        EXPECT_EQ(v, k + L"!");
        seen.push_back(k);
        map.RemoveKey(k);  // removing the entry just returned is allowed
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(map.GetCount(), 0);
}

TEST(TextCompare, LstrcmpiFoldsAsciiCase) {
    EXPECT_EQ(lstrcmpiW(L"Desktop", L"DESKTOP"), 0);
    EXPECT_LT(lstrcmpiW(L"a", L"B"), 0);
    EXPECT_GT(lstrcmpiW(L"b", L"A"), 0);
    EXPECT_LT(lstrcmpiW(L"_x", L"ax"), 0);  // '_' sorts before letters
    EXPECT_LT(lstrcmpiW(L"ab", L"abc"), 0);
    EXPECT_EQ(lstrcmpiW(nullptr, L""), 0);
    EXPECT_LT(lstrcmpiW(nullptr, L"a"), 0);
    EXPECT_EQ(lstrlenW(L"测试"), 2);
    EXPECT_EQ(lstrlenW(nullptr), 0);

    // Sorting by swapping only greater pairs keeps equal strings in order.
    std::vector<CString> v = {L"b", L"A", L"a", L"C"};
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t i = 0; i + 1 < v.size(); ++i)
            if (lstrcmpiW(v[i], v[i + 1]) > 0) std::swap(v[i], v[i + 1]), swapped = true;
    }
    EXPECT_EQ(v, (std::vector<CString>{L"A", L"a", L"b", L"C"}));
}

}  // namespace
