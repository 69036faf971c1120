// SortStringArray: sorts a string array in place, ascending and without
// regard to case. It is a bubble sort that swaps only a pair whose first
// string compares greater, so strings equal without regard to case keep
// their order ("b", "A", "a", "C" gives "A", "a", "b", "C"). The folder tree
// sorts its folder and file names with it.
#pragma once

#include "platform/base/Collections.h"

class SortStringArray {
  public:
    static void Sort(CStringArray& strings);

  private:
    // TRUE when the pair was out of order and has been swapped.
    static BOOL SwapIfGreater(CString& first, CString& second);
};
