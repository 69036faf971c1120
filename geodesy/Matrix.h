// CMatrix: a small dense matrix of doubles for the least-squares solvers.
//
// Storage is row-major, element (r, c) at r * cols + c. Operations that make
// a new matrix return an empty one (no rows, no columns, not valid) when
// they cannot form a result: mismatched shapes in Multiply, a non-square or
// singular matrix in Inverse.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"

class CMatrix {
  public:
    CMatrix() = default;
    CMatrix(unsigned rows, unsigned cols);  // zero-filled storage when both are non-zero
    CMatrix(const CMatrix&) = default;
    CMatrix& operator=(const CMatrix&) = default;
    virtual ~CMatrix() = default;

    BOOL Resize(unsigned rows, unsigned cols);         // FALSE when either is 0
    BOOL SetAt(unsigned r, unsigned c, double value);  // FALSE outside the matrix
    double GetAt(unsigned r, unsigned c) const;        // 0 outside the matrix
    BOOL Assign(const CMatrix& other);

    CMatrix Multiply(const CMatrix& other) const;
    CMatrix Scale(double s) const;
    CMatrix Transpose() const;
    // Gauss-Jordan with full pivoting. A singular matrix shows the matrix
    // message and gives an empty result; see Matrix.cpp for the test used.
    CMatrix Inverse() const;

    unsigned GetRowCount() const { return m_rows; }
    unsigned GetColCount() const { return m_cols; }
    BOOL IsValid() const { return m_valid; }

  private:
    double& At(unsigned r, unsigned c) { return m_data[static_cast<size_t>(r) * m_cols + c]; }
    double At(unsigned r, unsigned c) const { return m_data[static_cast<size_t>(r) * m_cols + c]; }
    void SwapRows(unsigned a, unsigned b);
    void SwapCols(unsigned a, unsigned b);
    BOOL IsNumericallySingular() const;

    std::vector<double> m_data;
    unsigned m_rows = 0;
    unsigned m_cols = 0;
    BOOL m_valid = FALSE;
};
