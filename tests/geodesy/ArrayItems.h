// The elements of a framework array as a vector, for range loops in tests.
#pragma once

#include <vector>

#include "platform/base/CArray.h"

template <class T, class A>
std::vector<T> Items(const CArray<T, A>& array) {
    std::vector<T> out;
    for (int i = 0; i < array.GetSize(); ++i) out.push_back(array[i]);
    return out;
}
