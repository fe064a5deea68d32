#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/bollinger_bands.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Two pairs of Bollinger bands around one mean and deviation: mean +- k_outer * std and
/// mean +- k_inner * std.
class DoubleBollinger {
 public:
  static constexpr std::array<std::string_view, 5> output_names{"upper_outer", "upper_inner", "middle",
                                                                "lower_inner", "lower_outer"};
  /// Checks: the period (0, then MAX_PERIOD), k_inner, k_outer (each finite and > 0), then
  /// k_inner < k_outer.
  static Expected<DoubleBollinger> create(std::uint64_t period, double k_inner, double k_outer);
  DoubleBollinger(std::uint64_t period, double k_inner, double k_outer) noexcept
      : core_(period), k_inner_(k_inner), k_outer_(k_outer) {}

  std::optional<std::array<double, 5>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    core_.push(x);
    if (!core_.full()) return std::nullopt;
    const BollingerStats s = core_.stats();
    return std::array<double, 5>{s.mean + k_outer_ * s.stddev, s.mean + k_inner_ * s.stddev, s.mean,
                                 s.mean - k_inner_ * s.stddev, s.mean - k_outer_ * s.stddev};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return core_.period(); }

 private:
  BollingerCore core_;
  double k_inner_;
  double k_outer_;
};

}  // namespace sorvik
