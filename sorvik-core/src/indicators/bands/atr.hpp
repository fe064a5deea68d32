#pragma once

#include <cstdint>
#include <optional>

#include "indicators/bands/true_range.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Average true range (Wilder): the first n true ranges are summed and seed atr = sum / n; then
/// atr = fma(atr, n - 1, tr) * (1 / n), both constants stored at construction. The previous close
/// moves on every candle.
class Atr {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Atr> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Atr(std::uint64_t period) noexcept : stage_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    last_tr_ = range_.next(c);
    return stage_.update(last_tr_);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return stage_.period(); }
  [[nodiscard]] bool ready() const noexcept { return stage_.ready(); }
  /// The current average (meaningful once ready).
  [[nodiscard]] double value() const noexcept { return stage_.value(); }
  /// The true range of the last candle.
  [[nodiscard]] double last_true_range() const noexcept { return last_tr_; }

 private:
  TrueRangeCore range_;
  WilderReciprocalStage stage_;
  double last_tr_ = 0.0;
};

}  // namespace sorvik
