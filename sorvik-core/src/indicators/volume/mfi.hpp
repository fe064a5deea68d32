#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Money flow index: raw flow = tp * volume counts as positive when tp rose against the previous
/// bar's, negative when it fell, neither when equal (the first bar only stores tp). The last n
/// positive and negative flows sit in running sums re-added from scratch every n pushes. Value =
/// 100 - 100 / (positive / negative + 1); with no negative flow 100, and 50 when both sums are 0.
class Mfi {
 public:
  static Expected<Mfi> create(std::uint64_t period);
  explicit Mfi(std::uint64_t period) noexcept : positive_(period, period), negative_(period, period) {}

  std::optional<double> update(const Candle& c) {
    const double tp = volume_detail::typical_price(c);
    if (!has_prev_) {
      prev_tp_ = tp;
      has_prev_ = true;
      return std::nullopt;
    }
    const double flow = tp * c.volume;
    positive_.push(tp > prev_tp_ ? flow : 0.0);
    negative_.push(tp < prev_tp_ ? flow : 0.0);
    prev_tp_ = tp;
    if (!positive_.full()) return std::nullopt;
    const double pos = positive_.sum();
    const double neg = negative_.sum();
    if (neg != 0.0) return 100.0 - 100.0 / (pos / neg + 1.0);
    return pos != 0.0 ? 100.0 : 50.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(positive_.period(), 1); }

 private:
  RunningSum positive_;
  RunningSum negative_;
  double prev_tp_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
