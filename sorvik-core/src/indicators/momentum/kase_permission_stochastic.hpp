#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Kase permission stochastic. Over the last p candles (extremes by scan): raw = (close - ll) * 100
/// / (hh - ll) when hh > ll, else 50. raw passes `Ema`(s) ("fast") and fast passes a second
/// `Ema`(s) ("slow"); both are yielded once "slow" exists.
class KasePermissionStochastic {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"fast", "slow"};

  /// Checks: period, then smoothing (each 0, then MAX_PERIOD).
  static Expected<KasePermissionStochastic> create(std::uint64_t period, std::uint64_t smoothing);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  KasePermissionStochastic(std::uint64_t period, std::uint64_t smoothing) noexcept
      : bars_(static_cast<std::size_t>(period)), fast_(smoothing), slow_(smoothing) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    bars_.push_discard({c.high, c.low});
    if (!bars_.full()) return std::nullopt;
    const double hh = scan_max(bars_, [](const HighLow& b) { return b.high; });
    const double ll = scan_min(bars_, [](const HighLow& b) { return b.low; });
    const double raw = hh > ll ? (c.close - ll) * 100.0 / (hh - ll) : 50.0;
    const auto f = fast_.update(raw);
    if (!f) return std::nullopt;
    const auto s = slow_.update(*f);
    if (!s) return std::nullopt;
    return std::array<double, 2>{*f, *s};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(bars_.capacity(), sat_mul(2, fast_.warmup_period())), 2);
  }

 private:
  struct HighLow {
    double high;
    double low;
  };
  Window<HighLow> bars_;
  Ema fast_;
  Ema slow_;
};

}  // namespace sorvik
