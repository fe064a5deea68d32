#pragma once

#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Jensen's alpha of the close against the reference value over the last n pairs, with risk-free
/// rate rf: mean x - ((mean y - rf)·β + rf) when the reference value varies, else mean x - rf.
class Alpha {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<Alpha> create(std::uint64_t period, double risk_free);
  /// Precondition: the parameters passed `create`'s checks.
  Alpha(std::uint64_t period, double risk_free) noexcept : acc_(period), rf_(risk_free) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    acc_.push(p.x, p.y);
    if (!acc_.full()) return std::nullopt;
    const CoMomentStats s = acc_.stats();
    if (s.vy > 0.0) return s.mean_x - ((s.mean_y - rf_) * s.beta() + rf_);
    return s.mean_x - rf_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  CoMoments acc_;
  double rf_;
};

}  // namespace sorvik
