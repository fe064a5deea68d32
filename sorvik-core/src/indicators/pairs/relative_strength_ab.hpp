#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/momentum/rsi.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Relative strength of the traded series against the reference: ratio = x / y feeds an `Sma` of
/// ma_period and an `Rsi` of rsi_period; a value is answered once both yield. Pairs whose y is zero
/// or not finite, or whose x is not finite, give nothing and change nothing. Outputs "ratio",
/// "ratio_ma", "ratio_rsi".
class RelativeStrengthAB {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"ratio", "ratio_ma", "ratio_rsi"};
  /// Checks: ma_period (0, then MAX_PERIOD), then rsi_period (0, then MAX_PERIOD).
  static Expected<RelativeStrengthAB> create(std::uint64_t ma_period, std::uint64_t rsi_period);
  /// Precondition: the periods passed `create`'s checks.
  RelativeStrengthAB(std::uint64_t ma_period, std::uint64_t rsi_period) : ma_(ma_period), rsi_(rsi_period) {}

  std::optional<std::array<double, 3>> update(PairInput p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || p.y == 0.0) return std::nullopt;
    const double ratio = p.x / p.y;
    if (!std::isfinite(ratio)) return std::nullopt;
    const auto ma = ma_.update(ratio);
    const auto rsi = rsi_.update(ratio);
    if (!ma || !rsi) return std::nullopt;
    return std::array<double, 3>{ratio, *ma, *rsi};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return std::max(ma_.warmup_period(), rsi_.warmup_period());
  }

 private:
  Sma ma_;
  Rsi rsi_;
};

}  // namespace sorvik
