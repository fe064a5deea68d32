#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci arcs centred on the newer pivot B of the last swing A -> B: with u the elapsed bars
/// since B in units of the swing's length and v = sqrt(max(1 - u^2, 0)), arc_x = x (A - B) v + B for
/// x = 0.382, 0.5, 0.618 (the arcs close onto B one swing length after it).
class FibArcs {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"arc_382", "arc_500", "arc_618"};
  static Expected<FibArcs> create() { return FibArcs(); }

  std::optional<std::array<double, 3>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 2) return std::nullopt;
    const chart::Pivot& a = swing_[0];
    const chart::Pivot& b = swing_[1];
    const double u = static_cast<double>(swing_.now() - b.bar) / static_cast<double>(b.bar - a.bar);
    const double v = std::sqrt(std::max(1.0 - u * u, 0.0));
    const double back = a.price - b.price;
    return std::array<double, 3>{0.382 * back * v + b.price, back * 0.5 * v + b.price, 0.618 * back * v + b.price};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<2> swing_;
};

}  // namespace sorvik
