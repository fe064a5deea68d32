#include "indicators/volume/demand_index.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/volume/volume_common.hpp"

namespace sorvik {

Expected<DemandIndex> DemandIndex::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return DemandIndex(period);
}

DemandIndex::DemandIndex(std::uint64_t period) noexcept
    : volumes_(volume_detail::incremental_sum(period)),
      ranges_(volume_detail::incremental_sum(period)),
      buying_(1, 2.0 / (static_cast<double>(period) + 1.0)),
      selling_(1, 2.0 / (static_cast<double>(period) + 1.0)),
      n_(static_cast<double>(period)) {}

std::optional<double> DemandIndex::update(const Candle& c) {
  volumes_.push(c.volume);
  if (!has_prev_) {
    prev_ = c;
    has_prev_ = true;
    return std::nullopt;
  }
  const Candle p = prev_;
  prev_ = c;
  ranges_.push(std::max(c.high, p.high) - std::min(c.low, p.low));
  if (!ranges_.full()) return std::nullopt;

  const double avg_volume = volumes_.sum() / n_;
  const double avg_range = ranges_.sum() / n_;
  const double wp = (c.close * 2.0 + (c.high + c.low)) * 0.25;
  const double prev_wp = (p.close + p.close + (p.high + p.low)) * 0.25;
  if (avg_volume == 0.0 || wp == 0.0 || prev_wp == 0.0 || avg_range == 0.0) return value_;

  const double change = (wp - prev_wp) / std::min(wp, prev_wp);
  const double vr = c.volume / avg_volume;
  const double k = (wp * 3.0 / avg_range) * std::fabs(change);
  const double e = std::exp(std::min(k, 88.0));
  const double bp = change > 0.0 ? vr : vr / e;
  const double sp = change > 0.0 ? vr / e : vr;
  if (std::isfinite(bp)) buying_.update(bp);
  if (std::isfinite(sp)) selling_.update(sp);
  if (!buying_.ready() || !selling_.ready()) return value_;

  const double b = buying_.value();
  const double s = selling_.value();
  if (b > s) {
    value_ = (1.0 - s / b) * 100.0;
  } else if (b < s) {
    value_ = (1.0 - b / s) * -100.0;
  } else {
    value_ = 0.0;
  }
  return value_;
}

}  // namespace sorvik
