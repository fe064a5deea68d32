#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Time segmented volume: the first bar only stores its close; later volume * (close - previous
/// close) enters a purely incremental rolling sum of n values (no re-add from scratch); value = the
/// sum once n values are held.
class Tsv {
 public:
  static Expected<Tsv> create(std::uint64_t period);
  explicit Tsv(std::uint64_t period) noexcept : sum_(volume_detail::incremental_sum(period)) {}

  std::optional<double> update(const Candle& c) {
    if (!has_prev_) {
      prev_close_ = c.close;
      has_prev_ = true;
      return std::nullopt;
    }
    sum_.push(c.volume * (c.close - prev_close_));
    prev_close_ = c.close;
    if (!sum_.full()) return std::nullopt;
    return sum_.sum();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(sum_.period(), 1); }

 private:
  RunningSum sum_;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
