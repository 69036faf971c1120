#include "ui/SortStringArray.h"

#include <utility>

void SortStringArray::Sort(CStringArray& strings) {
    const INT_PTR count = strings.GetSize();
    if (count < 2) return;
    BOOL swapped = TRUE;
    while (swapped) {
        swapped = FALSE;
        for (INT_PTR i = 0; i + 1 < count; ++i)
            if (SwapIfGreater(strings[i], strings[i + 1])) swapped = TRUE;
    }
}

BOOL SortStringArray::SwapIfGreater(CString& first, CString& second) {
    if (lstrcmpiW(first, second) <= 0) return FALSE;
    std::swap(first, second);
    return TRUE;
}
