#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volatility cone: the rolling sample deviation v of the last w log returns of the close, placed
/// in the distribution of its last L values: "current" = v, "min", "median", "max" of the history
/// and "percentile" = (history values <= v) / L · 100. A valid candle whose close is not positive
/// repeats the previous outputs (nothing before the first).
class VolatilityCone {
 public:
  static constexpr std::array<std::string_view, 5> output_names{"current", "min", "median", "max", "percentile"};
  /// Checks: window and lookback non-zero (in that order), then both at least 2.
  static Expected<VolatilityCone> create(std::uint64_t window, std::uint64_t lookback);
  /// Precondition: `create`'s checks passed.
  VolatilityCone(std::uint64_t window, std::uint64_t lookback) noexcept
      : deviation_(window), history_(lookback), lookback_(static_cast<double>(lookback)) {}

  std::optional<std::array<double, 5>> update(const Candle& bar) {
    const double x = bar.close;
    if (!(x > 0.0)) return last_;
    if (!has_prev_) {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    const double r = std::log(x / prev_);
    prev_ = x;
    deviation_.push(r);
    if (!deviation_.full()) return std::nullopt;
    const double v = deviation_.deviation();
    history_.push(v);
    if (!history_.full()) return std::nullopt;
    const auto& s = history_.sorted();
    const auto at_most = static_cast<std::size_t>(std::upper_bound(s.begin(), s.end(), v, total_less) - s.begin());
    last_ = std::array<double, 5>{v, s.front(), history_.median(), s.back(),
                                  (static_cast<double>(at_most) / lookback_) * 100.0};
    return last_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(deviation_.period(), history_.capacity());
  }

 private:
  RollingSampleVariance deviation_;
  SortedWindow history_;
  double lookback_;
  double prev_ = 0.0;
  bool has_prev_ = false;
  std::optional<std::array<double, 5>> last_;
};

}  // namespace sorvik
