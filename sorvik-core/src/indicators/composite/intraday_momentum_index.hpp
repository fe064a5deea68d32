#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Intraday momentum index: over the last n candles, up = sum of close - open of the rising bars and
/// down = sum of open - close of the falling bars (oldest first); value = up * 100 / (up + down), or
/// 50 when that total is zero.
class IntradayMomentumIndex {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<IntradayMomentumIndex> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit IntradayMomentumIndex(std::uint64_t period) : bodies_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    bodies_.push_discard({c.open, c.close});
    if (!bodies_.full()) return std::nullopt;
    double up = 0.0;
    double down = 0.0;
    bodies_.for_each([&](const Body& b) {
      // Adding +0 leaves a sum unchanged, so the branch-free form adds the same values in order;
      // open - close is exactly -(close - open).
      const double d = b.close - b.open;
      up = up + (d > 0.0 ? d : 0.0);
      down = down + (d < 0.0 ? -d : 0.0);
    });
    const double total = up + down;
    if (total == 0.0) return 50.0;
    return up * 100.0 / total;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return bodies_.capacity(); }

 private:
  struct Body {
    double open;
    double close;
  };
  Window<Body> bodies_;
};

}  // namespace sorvik
