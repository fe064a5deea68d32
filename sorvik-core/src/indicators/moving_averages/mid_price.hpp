#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// `midpoint` of the highest high and lowest low of the last n candles (extremes by scan).
class MidPrice {
 public:
  static Expected<MidPrice> create(std::uint64_t period);
  explicit MidPrice(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    window_.push_discard({c.high, c.low});
    if (!window_.full()) return std::nullopt;
    return midpoint(scan_max(window_, [](const HighLow& b) { return b.high; }),
                    scan_min(window_, [](const HighLow& b) { return b.low; }));
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> window_;
};

}  // namespace sorvik
