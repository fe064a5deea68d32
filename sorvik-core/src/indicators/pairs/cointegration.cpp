#include "indicators/pairs/cointegration.hpp"

#include <cmath>

#include "sorvik/blocks.hpp"

namespace sorvik {

Expected<Cointegration> Cointegration::create(std::uint64_t period, std::uint64_t adf_lags) {
  if (period < sat_add(sat_mul(2, adf_lags), 4)) {
    return fail(IndicatorError::invalid_period("cointegration needs period >= 2*adf_lags + 4"));
  }
  if (auto err = check_max_period(period)) return fail(*err);
  if (adf_lags + 1 > pairs::MAX_REGRESSORS) return fail(IndicatorError::invalid_period("cointegration needs adf_lags <= 255"));
  return Cointegration(period, adf_lags);
}

double Cointegration::adf_stat() {
  const std::size_t n = s_.size();
  const std::size_t p = lags_;
  const std::size_t k = p + 1;
  ds_.resize(n);
  row_.resize(k);
  b_.resize(k);
  z_.resize(k);
  ds_[0] = 0.0;  // unused
  for (std::size_t i = 1; i < n; ++i) ds_[i] = s_[i] - s_[i - 1];
  auto build_row = [&](std::size_t j) {
    row_[0] = s_[j - 1];
    for (std::size_t i = 1; i <= p; ++i) row_[i] = ds_[j - i];
  };
  eq_.reset();
  for (std::size_t j = p + 1; j < n; ++j) {
    build_row(j);
    eq_.add_row(row_.data(), ds_[j]);
  }
  if (!eq_.solve(k, b_.data())) return 0.0;
  double rss = 0.0;
  for (std::size_t j = p + 1; j < n; ++j) {
    build_row(j);
    const double e = ds_[j] - pairs::dot(row_.data(), b_.data(), k);
    rss = rss + e * e;
  }
  if (!eq_.solve_unit(k, z_.data())) return 0.0;
  const double rows = static_cast<double>(n - p - 1);
  const double se2 = rss / (rows - static_cast<double>(k)) * z_[0];
  if (!(se2 > 0.0)) return 0.0;
  return b_[0] / std::sqrt(se2);
}

std::optional<std::array<double, 3>> Cointegration::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  acc_.push(p.x, p.y);
  if (!acc_.full()) return std::nullopt;
  const CoMomentStats st = acc_.stats();
  double beta = 0.0;
  double c = st.mean_x;
  if (st.vy != 0.0) {
    beta = st.beta();
    c = st.mean_x - st.mean_y * beta;
  }
  const Window<pairs::XY>& w = acc_.window();
  const std::size_t n = w.size();
  s_.resize(n);
  for (std::size_t i = 0; i < n; ++i) s_[i] = w[i].x - (w[i].y * beta + c);
  return std::array<double, 3>{beta, s_[n - 1], adf_stat()};
}

}  // namespace sorvik
