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
    // Gauss-Jordan with full pivoting, the historical elimination order. A
    // singular matrix shows the matrix message and gives an empty result.
    // Singular means, as it always did, a largest remaining element that
    // adds nothing to 1.0. Deviation: before eliminating, the matrix is
    // also refused when, equilibrated to a largest element of 1 in every
    // row and column, a full-pivot elimination meets a pivot of 1e-12 or
    // less. Normal matrices of collinear or repeated points are singular
    // only up to rounding and would otherwise be "inverted" into nonsense
    // parameters. A seven-parameter site of three points a few metres
    // apart is refused; one of three points 10 m apart still solves.
    CMatrix Inverse() const;

    unsigned GetRowCount() const { return m_rows; }
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
