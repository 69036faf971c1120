#include "ui/SortStringArray.h"

#include <algorithm>

void SortStringArray::Sort(CStringArray& strings) {
    if (strings.GetSize() < 2) return;
    CString* first = strings.GetData();
    std::stable_sort(first, first + strings.GetSize(),
                     [](const CString& a, const CString& b) { return lstrcmpiW(a, b) < 0; });
}
