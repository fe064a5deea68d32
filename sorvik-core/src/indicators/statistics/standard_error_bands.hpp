#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/statistics/window_regression.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Bands around the window's least-squares end value, recomputed from the window on every update:
/// middle = mu + v + s·(n-1), upper/lower = middle ± multiplier·√(Σr²/(n-2)). Outputs "upper",
/// "middle", "lower"; the primary value is "upper".
class StandardErrorBands {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};

  static Expected<StandardErrorBands> create(std::uint64_t period, double multiplier);
  /// Precondition: the parameters passed `create`'s checks.
  StandardErrorBands(std::uint64_t period, double multiplier)
      : window_(static_cast<std::size_t>(period)), c_(LinRegConstants::of(period)), multiplier_(multiplier) {}

  std::optional<std::array<double, 3>> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const MeanCentredFit fit = MeanCentredFit::of(window_, c_);
    const double w = multiplier_ * std::sqrt(fit.srr / (c_.n - 2.0));
    const double middle = fit.end_value(c_);
    return std::array<double, 3>{middle + w, middle, middle - w};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  LinRegConstants c_;
  double multiplier_;
};

}  // namespace sorvik
