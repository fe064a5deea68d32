#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume-weighted average price over the whole run: pv = tp * volume + pv and v = volume + v from
/// the first bar, never reset; yields pv / v, and nothing while v is zero.
class Vwap {
 public:
  static Expected<Vwap> create() { return Vwap(); }

  std::optional<double> update(const Candle& c) noexcept {
    pv_ = volume_detail::typical_price(c) * c.volume + pv_;
    v_ = c.volume + v_;
    if (v_ == 0.0) return std::nullopt;
    return pv_ / v_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double pv_ = 0.0;
  double v_ = 0.0;
};

}  // namespace sorvik
