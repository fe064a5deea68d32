#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Slope of the close's log changes on the reference value's log changes over the last n changes.
/// Only pairs whose two values are finite and strictly positive count (others give nothing and
/// change nothing); the first sets the previous pair, every later one adds (ln(x / previous x),
/// ln(y / previous y)) and becomes the previous pair. The slope is 0 when the reference changes do
/// not vary.
class PairwiseBeta {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<PairwiseBeta> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit PairwiseBeta(std::uint64_t period) noexcept : acc_(period) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p) || !(p.x > 0.0) || !(p.y > 0.0)) return std::nullopt;
    if (!has_prev_) {
      prev_ = p;
      has_prev_ = true;
      return std::nullopt;
    }
    acc_.push(std::log(p.x / prev_.x), std::log(p.y / prev_.y));
    prev_ = p;
    if (!acc_.full()) return std::nullopt;
    return acc_.stats().beta();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(acc_.period(), 1); }

 private:
  CoMoments acc_;
  PairInput prev_;
  bool has_prev_ = false;
};

}  // namespace sorvik
