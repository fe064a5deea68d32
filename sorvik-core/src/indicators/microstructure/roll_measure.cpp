#include "indicators/microstructure/roll_measure.hpp"

#include <cmath>

namespace sorvik {

Expected<RollMeasure> RollMeasure::create(std::uint64_t period) {
  if (period < 3) return fail(IndicatorError::invalid_period("Roll measure needs period >= 3"));
  if (auto err = check_max_period(period)) return fail(*err);
  return RollMeasure(period);
}

double RollMeasure::estimate() const noexcept {
  const std::size_t m = prices_.size() - 1;
  double sum = 0.0;
  for (std::size_t i = 0; i < m; ++i) sum = sum + (prices_[i + 1] - prices_[i]);
  const double mu = sum / static_cast<double>(m);
  double acc = 0.0;
  double prev = (prices_[1] - prices_[0]) - mu;
  for (std::size_t i = 1; i < m; ++i) {
    const double cur = (prices_[i + 1] - prices_[i]) - mu;
    acc = acc + cur * prev;
    prev = cur;
  }
  const double cov = acc / static_cast<double>(m - 1);
  if (cov < 0.0) return 2.0 * std::sqrt(-cov);
  return 0.0;
}

}  // namespace sorvik
