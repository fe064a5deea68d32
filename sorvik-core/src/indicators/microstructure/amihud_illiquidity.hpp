#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Mean |log return| per unit of traded value over the last n trades of non-zero size: the first
/// such trade only stores its price; afterwards v = |ln(price/previous)|/(price·size) joins a window
/// of n whose running sum is recomputed every n pushes; the answer is sum/n. Trades of size 0 are
/// skipped.
class AmihudIlliquidity {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AmihudIlliquidity> create(std::uint64_t period);
  explicit AmihudIlliquidity(std::uint64_t period) : sum_(period, period) {}

  std::optional<double> update(std::span<const Trade> trades) {
    if (trades.empty()) return std::nullopt;
    for (const Trade& t : trades) push(t);
    if (!sum_.full()) return std::nullopt;
    return sum_.mean();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(sum_.period(), 1); }

 private:
  void push(const Trade& t) {
    if (t.size == 0.0) return;
    if (has_prev_) {
      const double r = std::log(t.price / prev_);
      sum_.push(std::fabs(r) / (t.price * t.size));
    }
    prev_ = t.price;
    has_prev_ = true;
  }

  RunningSum sum_;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
