// CArray: the framework's growable array, elements copied member-wise.
//
// Out-of-range arguments never corrupt memory: SetAt, RemoveAt and InsertAt
// outside the array do nothing (RemoveAt removes the part that exists), and
// GetAt/ElementAt/[] outside it give a scratch default element instead of
// someone else's memory. An array is limited to kMaxBytes of elements;
// growing past that is refused (the size stays as it was).
#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
    static_assert(!std::is_same_v<TYPE, bool>, "use BOOL elements");

  public:
    static constexpr size_t kMaxBytes = size_t{256} << 20;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_data.empty(); }

    // Grows with default-constructed (zeroed) elements or shrinks; 0 empties.
    void SetSize(int newSize, int growBy = -1) {
        if (growBy >= 0) m_growBy = growBy;
        if (newSize < 0 || !Fits(newSize)) return;
        m_data.resize(static_cast<size_t>(newSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(int i) const { return InRange(i) ? m_data[i] : Scratch(); }
    TYPE& GetAt(int i) { return InRange(i) ? m_data[i] : Scratch(); }
    TYPE& ElementAt(int i) { return GetAt(i); }
    const TYPE& ElementAt(int i) const { return GetAt(i); }
    TYPE& operator[](int i) { return GetAt(i); }
    const TYPE& operator[](int i) const { return GetAt(i); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAt(int i, ARG_TYPE elem) {
        if (InRange(i)) m_data[i] = elem;
    }
    void SetAtGrow(int i, ARG_TYPE elem) {
        if (i < 0) return;
        TYPE copy(elem);  // elem may live in this array
        if (i >= GetSize()) SetSize(i + 1);
        if (InRange(i)) m_data[i] = std::move(copy);
    }
    // Index of the new element, or -1 when the array cannot grow.
    int Add(ARG_TYPE elem) {
        if (!Fits(GetSize() + 1LL)) return -1;
        m_data.push_back(elem);
        return GetSize() - 1;
    }
    // Old size (the index where `src` starts).
    int Append(const CArray& src) {
        const int old = GetSize();
        if (Fits(static_cast<long long>(old) + src.GetSize())) {
            const std::vector<TYPE> copy(src.m_data);  // src may be *this
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        }
        return old;
    }
    void Copy(const CArray& src) {
        if (&src != this) m_data = src.m_data;
    }

    // Inserts `count` copies before `index`; an index at or past the end
    // first grows the array to it, as the framework does.
    void InsertAt(int index, ARG_TYPE elem, int count = 1) {
        if (index < 0 || count <= 0) return;
        TYPE copy(elem);
        if (index >= GetSize()) {
            if (!Fits(static_cast<long long>(index) + count)) return;
            m_data.resize(static_cast<size_t>(index));
            m_data.resize(static_cast<size_t>(index) + count, copy);
        } else if (Fits(static_cast<long long>(GetSize()) + count)) {
            m_data.insert(m_data.begin() + index, static_cast<size_t>(count), copy);
        }
    }
    void InsertAt(int startIndex, const CArray* src) {
        if (!src || startIndex < 0 || src->IsEmpty()) return;
        const std::vector<TYPE> copy(src->m_data);
        if (startIndex > GetSize()) SetSize(startIndex);
        if (startIndex > GetSize() || !Fits(GetSize() + static_cast<long long>(copy.size())))
            return;
        m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end());
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count <= 0 || index >= GetSize()) return;
        const int end = std::min(GetSize(), index + std::min(count, GetSize()));
        m_data.erase(m_data.begin() + index, m_data.begin() + end);
    }

  private:
    bool InRange(int i) const { return i >= 0 && i < GetSize(); }
    static bool Fits(long long n) {
        return n >= 0 && static_cast<unsigned long long>(n) <= kMaxBytes / sizeof(TYPE);
    }
    // A fresh default element for an out-of-range access, one per thread.
    static TYPE& Scratch() {
        static thread_local TYPE scratch;
        scratch = TYPE();
        return scratch;
    }

    std::vector<TYPE> m_data;
    int m_growBy = -1;  // accepted for compatibility; the vector grows itself
};
