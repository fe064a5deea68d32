#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/moving_averages/alligator.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Gator oscillator on the Alligator lines: "upper" = |jaw - teeth|, "lower" = -|teeth - lips|.
class GatorOscillator {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"upper", "lower"};
  static Expected<GatorOscillator> create(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips);
  GatorOscillator(std::uint64_t jaw, std::uint64_t teeth, std::uint64_t lips) noexcept
      : lines_(jaw, teeth, lips) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    const auto l = lines_.update(c);
    if (!l) return std::nullopt;
    return std::array<double, 2>{std::fabs((*l)[0] - (*l)[1]), -std::fabs((*l)[1] - (*l)[2])};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return lines_.warmup_period(); }

 private:
  AlligatorLines lines_;
};

}  // namespace sorvik
