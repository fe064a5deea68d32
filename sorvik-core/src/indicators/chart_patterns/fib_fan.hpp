#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci fan from the older pivot A of the last swing A -> B: with u the elapsed bars since A in
/// units of the swing's length, each fan line reaches the retracement of its name at B's bar:
/// fan_382 = 0.618 (B - A) u + A, fan_500 = (B - A) 0.5 u + A, fan_618 = 0.382 (B - A) u + A.
class FibFan {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"fan_382", "fan_500", "fan_618"};
  static Expected<FibFan> create() { return FibFan(); }

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 2) return std::nullopt;
    const chart::Pivot& a = swing_[0];
    const chart::Pivot& b = swing_[1];
    const double u = static_cast<double>(swing_.now() - a.bar) / static_cast<double>(b.bar - a.bar);
    const double move = b.price - a.price;
    return std::array<double, 3>{0.618 * move * u + a.price, move * 0.5 * u + a.price, 0.382 * move * u + a.price};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<2> swing_;
};

}  // namespace sorvik
