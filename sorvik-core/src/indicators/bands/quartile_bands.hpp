#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/band_helpers.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The interpolated quartiles of the last n closes: upper = 0.75, middle = 0.5, lower = 0.25.
class QuartileBands {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<QuartileBands> create(std::uint64_t period);
  explicit QuartileBands(std::uint64_t period) noexcept : window_(period) {}

  std::optional<std::array<double, 3>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    const auto& s = window_.sorted();
    return std::array<double, 3>{bands::quantile_of_sorted(s, 0.75), bands::quantile_of_sorted(s, 0.5),
                                 bands::quantile_of_sorted(s, 0.25)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
};

}  // namespace sorvik
