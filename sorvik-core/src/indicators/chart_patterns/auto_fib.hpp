#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Retracement of the largest recent swing: among the consecutive pairs of the last six pivots, the
/// pair with the largest absolute price difference (a later pair wins a tie), A its older and B its
/// newer price, g = A - B; the levels are x g + B for x = 0, 0.236, 0.382, 0.5, 0.618, 0.786 and 1.
class AutoFib {
 public:
  static constexpr std::array<std::string_view, 7> output_names{
      "level_0", "level_236", "level_382", "level_500", "level_618", "level_786", "level_1000"};
  static Expected<AutoFib> create() { return AutoFib(); }

  std::optional<std::array<double, 7>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() < 2) return std::nullopt;
    std::size_t best = 1;
    double widest = -1.0;
    for (std::size_t i = 1; i < swing_.size(); ++i) {
      const double d = std::fabs(swing_[i].price - swing_[i - 1].price);
      if (d >= widest) {
        widest = d;
        best = i;
      }
    }
    const double a = swing_[best - 1].price;
    const double b = swing_[best].price;
    using chart::retracement;
    return std::array<double, 7>{retracement(0.0, a, b),   retracement(0.236, a, b), retracement(0.382, a, b),
                                 retracement(0.5, a, b),   retracement(0.618, a, b), retracement(0.786, a, b),
                                 retracement(1.0, a, b)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<6> swing_;
};

}  // namespace sorvik
