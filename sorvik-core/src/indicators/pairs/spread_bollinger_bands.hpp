#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Bollinger bands of the spread s = x - y over the last n spreads (anchored moment accumulator):
/// middle = the mean, w = k·population deviation, upper = w + middle, lower = middle - w, and
/// percent_b = (s - lower) / (upper - lower), or 0.5 when w is zero.
class SpreadBollingerBands {
 public:
  static constexpr std::array<std::string_view, 4> output_names{"middle", "upper", "lower", "percent_b"};
  /// Checks: period >= 2 (a zero included), MAX_PERIOD, then num_std > 0.
  static Expected<SpreadBollingerBands> create(std::uint64_t period, double num_std);
  /// Precondition: the parameters passed `create`'s checks.
  SpreadBollingerBands(std::uint64_t period, double num_std) noexcept : acc_(period), k_(num_std) {}

  std::optional<std::array<double, 4>> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    const double s = p.x - p.y;
    acc_.push(s);
    if (!acc_.full()) return std::nullopt;
    const double middle = acc_.mean();
    const double w = std::sqrt(acc_.variance()) * k_;
    const double upper = w + middle;
    const double lower = middle - w;
    const double percent_b = w != 0.0 ? (s - lower) / (upper - lower) : 0.5;
    return std::array<double, 4>{middle, upper, lower, percent_b};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  AnchoredMoments<2> acc_;
  double k_;
};

}  // namespace sorvik
