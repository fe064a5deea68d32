#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Kelly fraction of the last n returns: with the win share w, w - (1 - w) / (mean gain / mean loss
/// magnitude); w itself when there are no losses, -1 when there are losses but no wins.
class KellyCriterion {
 public:
  static Expected<KellyCriterion> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit KellyCriterion(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    const auto t = performance::tally(window_);
    const double w = static_cast<double>(t.wins) / n_;
    if (t.loss_count == 0) return w;
    if (t.wins == 0) return -1.0;
    const double payoff = (t.gains / static_cast<double>(t.wins)) / (t.losses / static_cast<double>(t.loss_count));
    return w - (1.0 - w) / payoff;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik
