// SortStringArray: sorts a string array in place, ascending and without
// regard to case. Strings equal without regard to case keep their order
// ("b", "A", "a", "C" gives "A", "a", "b", "C"): the order of a pass-and-swap
// sort that swaps only a pair whose first string compares greater, reached
// here by a stable sort with the same comparison, so that a folder of
// thousands of files sorts quickly. The folder tree sorts its folder and
// file names with it.
#pragma once

#include "platform/base/Collections.h"

class SortStringArray {
  public:
    static void Sort(CStringArray& strings);
};
