#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Time-based stop: the share of the allowed n bars used so far, min(count / n, 1), counting every
/// valid bar from the first.
class TimeBasedStop {
 public:
  /// Checks: bars not zero (the count sizes no storage, so it has no upper bound).
  static Expected<TimeBasedStop> create(std::uint64_t bars);
  /// Precondition: bars > 0.
  explicit TimeBasedStop(std::uint64_t bars) noexcept : n_(static_cast<double>(bars)) {}

  std::optional<double> update(const Candle&) noexcept {
    count_ = count_ + 1.0;
    return std::min(count_ / n_, 1.0);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double n_;
  double count_ = 0.0;  // exact up to 2^53 bars
};

}  // namespace sorvik
