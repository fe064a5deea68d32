#include "indicators/volume/better_volume.hpp"

#include <cmath>
#include <limits>

namespace sorvik {

Expected<BetterVolume> BetterVolume::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return BetterVolume(period);
}

std::optional<double> BetterVolume::update(const Candle& c) {
  const double range = c.high - c.low;
  const bool ranged = range > 0.0;
  const Bar bar{c.volume, range * c.volume, ranged ? c.volume / range : 0.0, ranged};
  window_.push_discard(bar);
  if (!window_.full()) return std::nullopt;

  constexpr double inf = std::numeric_limits<double>::infinity();
  double top_density = -inf;
  double least_volume = inf;
  double top_effort = -inf;
  for (std::size_t i = 0; i + 1 < window_.size(); ++i) {  // the n - 1 earlier bars, oldest first
    const Bar& e = window_[i];
    if (e.ranged && std::isfinite(e.density) && e.density > top_density) top_density = e.density;
    if (std::isfinite(e.volume) && e.volume < least_volume) least_volume = e.volume;
    if (std::isfinite(e.effort) && e.effort > top_effort) top_effort = e.effort;
  }

  const bool churn = bar.ranged && bar.density > top_density;
  const bool climax = bar.effort > top_effort;
  if (climax && churn) return 4.0;
  if (climax) return c.close >= c.open ? 3.0 : -3.0;
  if (churn) return 2.0;
  if (bar.volume < least_volume) return 1.0;
  return 0.0;
}

}  // namespace sorvik
