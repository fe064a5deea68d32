#pragma once

// The least-squares fits of the pair family, through the normal equations A·b = c with A = Σ r·rᵀ and
// c = Σ t·r over the rows r with target t, accumulated row by row in row order.
//
// `NormalEquations` (k regressors) is solved by Gaussian elimination in column order without row
// exchange; `solve_pivoted4` solves a 4×4 system with partial pivoting. Both fail on a pivot below
// 1e-12 in magnitude. Back substitution forms b[j] = (c[j] - A[j][j+1]·b[j+1] - ... ) / A[j][j],
// subtracting the products in column order.

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace sorvik::pairs {

/// The smallest pivot magnitude a fit accepts.
inline constexpr double MIN_PIVOT = 1e-12;

/// The largest number of regressors of a fit: the normal equations take k² doubles, so the lag
/// counts that set k are bounded.
inline constexpr std::size_t MAX_REGRESSORS = 256;

/// The normal equations of a fit with k regressors. Storage is allocated by the first `reset`
/// (when a full window first asks for a fit), never at construction.
class NormalEquations {
 public:
  explicit NormalEquations(std::size_t k) noexcept : k_(k) {}

  [[nodiscard]] std::size_t size() const noexcept { return k_; }

  /// Clears A and c.
  void reset() {
    a_.assign(k_ * k_, 0.0);
    c_.assign(k_, 0.0);
  }

  /// Adds the row r (k regressors) with target t: A += r·rᵀ, c += t·r.
  void add_row(const double* r, double t) noexcept {
    for (std::size_t i = 0; i < k_; ++i) {
      double* row = a_.data() + i * k_;
      const double ri = r[i];
      for (std::size_t j = 0; j < k_; ++j) row[j] = row[j] + ri * r[j];
      c_[i] = c_[i] + t * ri;
    }
  }

  /// Solves the leading m×m block of A against the leading m entries of c into b[0..m).
  /// False when a pivot is below `MIN_PIVOT` in magnitude.
  [[nodiscard]] bool solve(std::size_t m, double* b) { return solve_rhs(m, c_.data(), b); }

  /// Solves the leading m×m block of A against the unit vector (1, 0, ..., 0): b is the first column
  /// of the block's inverse. False when a pivot is too small.
  [[nodiscard]] bool solve_unit(std::size_t m, double* b) {
    unit_.assign(m, 0.0);
    unit_[0] = 1.0;
    return solve_rhs(m, unit_.data(), b);
  }

 private:
  bool solve_rhs(std::size_t m, const double* rhs, double* b) {
    work_.resize(m * m);
    vec_.resize(m);
    for (std::size_t i = 0; i < m; ++i) {
      for (std::size_t j = 0; j < m; ++j) work_[i * m + j] = a_[i * k_ + j];
      vec_[i] = rhs[i];
    }
    double* w = work_.data();
    for (std::size_t j = 0; j < m; ++j) {
      const double pivot = w[j * m + j];
      if (!(std::fabs(pivot) >= MIN_PIVOT)) return false;
      for (std::size_t r = j + 1; r < m; ++r) {
        const double factor = w[r * m + j] / pivot;
        for (std::size_t i = j; i < m; ++i) w[r * m + i] = w[r * m + i] - factor * w[j * m + i];
        vec_[r] = vec_[r] - factor * vec_[j];
      }
    }
    for (std::size_t jj = m; jj-- > 0;) {
      double s = vec_[jj];
      for (std::size_t i = jj + 1; i < m; ++i) s = s - w[jj * m + i] * b[i];
      b[jj] = s / w[jj * m + jj];
    }
    return true;
  }

  std::size_t k_;
  std::vector<double> a_;
  std::vector<double> c_;
  std::vector<double> work_;
  std::vector<double> vec_;
  std::vector<double> unit_;
};

/// r·b = Σ r_i·b_i, added in column order from zero.
[[nodiscard]] inline double dot(const double* r, const double* b, std::size_t k) noexcept {
  double s = 0.0;
  for (std::size_t i = 0; i < k; ++i) s = s + r[i] * b[i];
  return s;
}

/// Solves the 4×4 system A·b = c by elimination with partial pivoting: for column j the row from j on
/// with the largest |A[r][j]| is swapped into place (on equal magnitudes the later row wins). False
/// when that pivot is below `MIN_PIVOT` in magnitude.
[[nodiscard]] inline bool solve_pivoted4(std::array<double, 16> a, std::array<double, 4> c,
                                         std::array<double, 4>& b) noexcept {
  constexpr std::size_t n = 4;
  for (std::size_t j = 0; j < n; ++j) {
    std::size_t best = j;
    for (std::size_t r = j + 1; r < n; ++r) {
      if (std::fabs(a[r * n + j]) >= std::fabs(a[best * n + j])) best = r;
    }
    if (best != j) {
      for (std::size_t i = 0; i < n; ++i) std::swap(a[j * n + i], a[best * n + i]);
      std::swap(c[j], c[best]);
    }
    const double pivot = a[j * n + j];
    if (!(std::fabs(pivot) >= MIN_PIVOT)) return false;
    for (std::size_t r = j + 1; r < n; ++r) {
      const double factor = a[r * n + j] / pivot;
      for (std::size_t i = j; i < n; ++i) a[r * n + i] = a[r * n + i] - factor * a[j * n + i];
      c[r] = c[r] - factor * c[j];
    }
  }
  for (std::size_t jj = n; jj-- > 0;) {
    double s = c[jj];
    for (std::size_t i = jj + 1; i < n; ++i) s = s - a[jj * n + i] * b[i];
    b[jj] = s / a[jj * n + jj];
  }
  return true;
}

}  // namespace sorvik::pairs
