#include "indicators/cycles/correlation_trend_indicator.hpp"

namespace sorvik {

CorrelationTrendIndicator::CorrelationTrendIndicator(std::uint64_t period)
    : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {
  // Exact integer sums (n <= 2^24 keeps them within 128 bits), each rounded once to a double.
  using u128 = unsigned __int128;
  const u128 n = period;
  sx_ = static_cast<double>(n * (n - 1) / 2);
  sum_ii_ = static_cast<double>((n - 1) * n * (2 * n - 1) / 6);
}

Expected<CorrelationTrendIndicator> CorrelationTrendIndicator::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("CTI needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return CorrelationTrendIndicator(period);
}

}  // namespace sorvik
