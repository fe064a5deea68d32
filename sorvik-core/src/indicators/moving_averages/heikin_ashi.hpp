#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The Heikin-Ashi rule on (open, high, low, close) values, keeping the previous Heikin-Ashi open
/// and close: ha_open = midpoint(previous ha_open, previous ha_close), or midpoint(open, close) on
/// the first bar; ha_close = (open + high + low + close) * 0.25; ha_high = max(high, ha_open,
/// ha_close); ha_low = min(low, ha_open, ha_close). Shared by the Heikin-Ashi types.
class HeikinAshiCore {
 public:
  /// {ha_open, ha_high, ha_low, ha_close}.
  std::array<double, 4> next(double open, double high, double low, double close) noexcept {
    const double ha_open = started_ ? midpoint(prev_open_, prev_close_) : midpoint(open, close);
    const double ha_close = (open + high + low + close) * 0.25;
    const double ha_high = std::max(std::max(high, ha_open), ha_close);
    const double ha_low = std::min(std::min(low, ha_open), ha_close);
    prev_open_ = ha_open;
    prev_close_ = ha_close;
    started_ = true;
    return {ha_open, ha_high, ha_low, ha_close};
  }

 private:
  double prev_open_ = 0.0;
  double prev_close_ = 0.0;
  bool started_ = false;
};

/// Heikin-Ashi candles; the primary value is ha_open.
class HeikinAshi {
 public:
  static constexpr std::array<std::string_view, 4> output_names{"open", "high", "low", "close"};
  static Expected<HeikinAshi> create() { return HeikinAshi(); }

  std::optional<std::array<double, 4>> update(const Candle& c) noexcept {
    return core_.next(c.open, c.high, c.low, c.close);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  HeikinAshiCore core_;
};

}  // namespace sorvik
