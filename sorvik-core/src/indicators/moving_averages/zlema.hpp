#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Zero-lag EMA: lag L = (n - 1) / 2; a window of L + 1 closes; once full,
/// y = fma(x, 2, -oldest) (twice the close minus the close L bars ago) feeds an exponential(n) stage.
class Zlema {
 public:
  static Expected<Zlema> create(std::uint64_t period);
  explicit Zlema(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>((period - 1) / 2 + 1)), stage_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    return stage_.update(std::fma(x, 2.0, -window_.oldest()));
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(stage_.period(), (stage_.period() - 1) / 2);
  }
  [[nodiscard]] bool ready() const noexcept { return stage_.ready(); }
  [[nodiscard]] double value() const noexcept { return stage_.value(); }

 private:
  Window<double> window_;
  ExpStage stage_;
};

}  // namespace sorvik
