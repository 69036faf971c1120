// An independent least-squares solution for checking the engine's solvers:
// Householder QR on the column-scaled design matrix in long double, so it
// shares neither the normal equations nor the Gauss-Jordan inverse of the
// code under test.
#pragma once

#include <cmath>
#include <vector>

using Rows = std::vector<std::vector<double>>;

// Minimises |A p - b|; A has at least as many rows as columns and full rank.
inline std::vector<double> SolveLeastSquares(const Rows& A, const std::vector<double>& b) {
    const size_t m = A.size(), n = A[0].size();
    std::vector<std::vector<long double>> R(m, std::vector<long double>(n));
    std::vector<long double> scale(n, 0.0L), q(b.begin(), b.end());
    for (size_t j = 0; j < n; ++j) {
        for (size_t i = 0; i < m; ++i) scale[j] += (long double)A[i][j] * A[i][j];
        scale[j] = std::sqrt(scale[j]);
        for (size_t i = 0; i < m; ++i) R[i][j] = A[i][j] / scale[j];
    }
    for (size_t k = 0; k < n; ++k) {
        long double norm = 0.0L;
        for (size_t i = k; i < m; ++i) norm += R[i][k] * R[i][k];
        norm = std::sqrt(norm);
        const long double alpha = R[k][k] > 0 ? -norm : norm;
        std::vector<long double> v(m, 0.0L);
        for (size_t i = k; i < m; ++i) v[i] = R[i][k];
        v[k] -= alpha;
        long double vv = 0.0L;
        for (size_t i = k; i < m; ++i) vv += v[i] * v[i];
        auto reflect = [&](auto&& get) {
            long double dot = 0.0L;
            for (size_t i = k; i < m; ++i) dot += v[i] * get(i);
            for (size_t i = k; i < m; ++i) get(i) -= 2.0L * dot / vv * v[i];
        };
        for (size_t j = k; j < n; ++j) reflect([&](size_t i) -> long double& { return R[i][j]; });
        reflect([&](size_t i) -> long double& { return q[i]; });
    }
    std::vector<double> p(n);
    for (size_t k = n; k-- > 0;) {
        long double sum = q[k];
        for (size_t j = k + 1; j < n; ++j) sum -= R[k][j] * (p[j] * scale[j]);
        p[k] = static_cast<double>(sum / R[k][k] / scale[k]);
    }
    return p;
}

// A small deterministic noise source, uniform in [-amplitude, amplitude].
class Noise {
  public:
    explicit Noise(unsigned seed) : m_state(seed) {}
    double Next(double amplitude) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return amplitude * (static_cast<double>(m_state >> 11) / 4503599627370496.0 - 1.0);
    }

  private:
    unsigned long long m_state;
};
