// CMatrix: storage, products and the Gauss-Jordan inverse.
#include "geodesy/Matrix.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "platform/base/MessageBox.h"

namespace {

// Smallest pivot of the equilibrated matrix below which a matrix counts as
// singular. Normal matrices of the seven-parameter solver from points 200 m
// apart (with geocentric coordinates of 6e6 m) still give 6e-10; collinear
// points give rounding noise of 1e-16.
constexpr double kRankTolerance = 1e-12;

void ReportSingular() {
    MessageBox(nullptr, L"发生错误，不能正确计算该矩阵的逆阵!", L"矩阵运算提示",
               MB_OK | MB_ICONINFORMATION);
}

}  // namespace

CMatrix::CMatrix(unsigned rows, unsigned cols) {
    Resize(rows, cols);
}

BOOL CMatrix::Resize(unsigned rows, unsigned cols) {
    if (rows == 0 || cols == 0) return FALSE;
    try {
        m_data.assign(static_cast<size_t>(rows) * cols, 0.0);
    } catch (const std::bad_alloc&) {
        *this = CMatrix();
        return FALSE;
    }
    m_rows = rows;
    m_cols = cols;
    m_valid = TRUE;
    return TRUE;
}

BOOL CMatrix::SetAt(unsigned r, unsigned c, double value) {
    if (r >= m_rows || c >= m_cols) return FALSE;
    At(r, c) = value;
    return TRUE;
}

double CMatrix::GetAt(unsigned r, unsigned c) const {
    if (r >= m_rows || c >= m_cols) return 0.0;
    return At(r, c);
}

BOOL CMatrix::Assign(const CMatrix& other) {
    if (&other == this) return TRUE;
    try {
        m_data = other.m_data;
    } catch (const std::bad_alloc&) {
        *this = CMatrix();
        return FALSE;
    }
    m_rows = other.m_rows;
    m_cols = other.m_cols;
    m_valid = other.m_valid;
    return TRUE;
}

CMatrix CMatrix::Multiply(const CMatrix& other) const {
    CMatrix out;
    if (m_cols != other.m_rows || !out.Resize(m_rows, other.m_cols)) return out;
    for (unsigned r = 0; r < m_rows; ++r) {
        for (unsigned c = 0; c < other.m_cols; ++c) {
            double sum = 0.0;
            for (unsigned j = 0; j < m_cols; ++j) sum += At(r, j) * other.At(j, c);
            out.At(r, c) = sum;
        }
    }
    return out;
}

CMatrix CMatrix::Scale(double s) const {
    CMatrix out(*this);
    for (double& v : out.m_data) v *= s;
    return out;
}

CMatrix CMatrix::Transpose() const {
    CMatrix out;
    if (!out.Resize(m_cols, m_rows)) return out;
    for (unsigned r = 0; r < m_rows; ++r) {
        for (unsigned c = 0; c < m_cols; ++c) out.At(c, r) = At(r, c);
    }
    return out;
}

void CMatrix::SwapRows(unsigned a, unsigned b) {
    for (unsigned j = 0; j < m_cols; ++j) std::swap(At(a, j), At(b, j));
}

void CMatrix::SwapCols(unsigned a, unsigned b) {
    for (unsigned i = 0; i < m_rows; ++i) std::swap(At(i, a), At(i, b));
}

// The historical test (a pivot that adds nothing to 1.0) only catches exact
// zeros: the normal matrix of collinear points, formed in floating point,
// keeps pivots of rounding size and would be "inverted" into garbage. This
// test equilibrates rows and columns to a largest element of 1 and looks at
// the pivots of a full-pivot elimination, so that it depends on the shape of
// the point set and not on the size of the coordinates.
BOOL CMatrix::IsNumericallySingular() const {
    const unsigned n = m_rows;
    CMatrix a(*this);
    for (unsigned i = 0; i < n; ++i) {
        double big = 0.0;
        for (unsigned j = 0; j < n; ++j) big = std::max(big, std::fabs(a.At(i, j)));
        if (!(big > 0.0) || !std::isfinite(big)) return TRUE;
        for (unsigned j = 0; j < n; ++j) a.At(i, j) /= big;
    }
    for (unsigned j = 0; j < n; ++j) {
        double big = 0.0;
        for (unsigned i = 0; i < n; ++i) big = std::max(big, std::fabs(a.At(i, j)));
        if (!(big > 0.0)) return TRUE;
        for (unsigned i = 0; i < n; ++i) a.At(i, j) /= big;
    }
    for (unsigned k = 0; k < n; ++k) {
        unsigned pi = k, pj = k;
        for (unsigned i = k; i < n; ++i) {
            for (unsigned j = k; j < n; ++j) {
                if (std::fabs(a.At(i, j)) > std::fabs(a.At(pi, pj))) pi = i, pj = j;
            }
        }
        if (!(std::fabs(a.At(pi, pj)) > kRankTolerance)) return TRUE;
        a.SwapRows(k, pi);
        a.SwapCols(k, pj);
        for (unsigned i = k + 1; i < n; ++i) {
            const double factor = a.At(i, k) / a.At(k, k);
            for (unsigned j = k; j < n; ++j) a.At(i, j) -= factor * a.At(k, j);
        }
    }
    return FALSE;
}

// Gauss-Jordan with full pivoting, in place on a copy: the program's own
// elimination order, so that its solutions keep their last digits.
CMatrix CMatrix::Inverse() const {
    if (!m_valid || m_rows != m_cols) return CMatrix();
    if (IsNumericallySingular()) {
        ReportSingular();
        return CMatrix();
    }
    const unsigned n = m_rows;
    CMatrix a(*this);
    std::vector<unsigned> is(n), js(n);
    for (unsigned k = 0; k < n; ++k) {
        double d = 0.0;
        for (unsigned i = k; i < n; ++i) {
            for (unsigned j = k; j < n; ++j) {
                if (std::fabs(a.At(i, j)) > d) d = std::fabs(a.At(i, j)), is[k] = i, js[k] = j;
            }
        }
        if (d + 1.0 == 1.0) {
            ReportSingular();
            return CMatrix();
        }
        if (is[k] != k) a.SwapRows(k, is[k]);
        if (js[k] != k) a.SwapCols(k, js[k]);
        a.At(k, k) = 1.0 / a.At(k, k);
        for (unsigned j = 0; j < n; ++j) {
            if (j != k) a.At(k, j) *= a.At(k, k);
        }
        for (unsigned i = 0; i < n; ++i) {
            if (i == k) continue;
            for (unsigned j = 0; j < n; ++j) {
                if (j != k) a.At(i, j) -= a.At(i, k) * a.At(k, j);
            }
        }
        for (unsigned i = 0; i < n; ++i) {
            if (i != k) a.At(i, k) = -a.At(i, k) * a.At(k, k);
        }
    }
    for (unsigned k = n; k-- > 0;) {
        if (js[k] != k) a.SwapRows(k, js[k]);
        if (is[k] != k) a.SwapCols(k, is[k]);
    }
    return a;
}
