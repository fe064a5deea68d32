#include "indicators/pairs/variance_ratio.hpp"

namespace sorvik {

Expected<VarianceRatio> VarianceRatio::create(std::uint64_t period, std::uint64_t q) {
  if (q < 2) return fail(IndicatorError::invalid_period("variance ratio needs q >= 2"));
  if (period < sat_add(q, 2)) return fail(IndicatorError::invalid_period("variance ratio needs period >= q + 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return VarianceRatio(period, q);
}

std::optional<double> VarianceRatio::update(PairInput p) {
  if (!pairs::finite_pair(p)) return std::nullopt;
  spreads_.push_discard(p.x - p.y);
  if (!spreads_.full()) return std::nullopt;
  const std::size_t n = spreads_.size();
  const std::size_t nd = n - 1;
  d_.resize(nd);
  double sum = 0.0;
  for (std::size_t i = 0; i < nd; ++i) {
    d_[i] = spreads_[i + 1] - spreads_[i];
    sum = sum + d_[i];
  }
  const double mu = sum / static_cast<double>(nd);
  double ss = 0.0;
  for (std::size_t i = 0; i < nd; ++i) {
    const double e = d_[i] - mu;
    ss = ss + e * e;
  }
  const double v1 = ss / static_cast<double>(nd);
  if (v1 <= 0.0) return 1.0;
  const double qd = static_cast<double>(q_);
  const double mu_q = mu * qd;
  double sq = 0.0;
  for (std::size_t j = 0; j + q_ <= nd; ++j) {
    double dj = 0.0;
    for (std::size_t i = j; i < j + q_; ++i) dj = dj + d_[i];
    const double e = dj - mu_q;
    sq = sq + e * e;
  }
  const double vq = sq / static_cast<double>(n - q_);
  return vq / (v1 * qd);
}

}  // namespace sorvik
