#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Lag-1 autocorrelation of the signs of the last n trades without mean removal:
/// Σ_{i=1}^{n−1} s_i·s_{i−1} / (n − 1). The products are ±1, so their sum is kept as an exact
/// integer that each push updates by the pair entering and the pair leaving.
class TradeSignAutocorrelation {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<TradeSignAutocorrelation> create(std::uint64_t period);
  explicit TradeSignAutocorrelation(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), lags_(static_cast<double>(period - 1)) {}

  std::optional<double> update(std::span<const Trade> trades) {
    if (trades.empty()) return std::nullopt;
    for (const Trade& t : trades) push(t.side == Side::Buy ? 1 : -1);
    if (!window_.full()) return std::nullopt;
    return static_cast<double>(products_) / lags_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  void push(std::int8_t s) {
    if (window_.full()) products_ -= window_[0] * window_[1];
    if (!window_.empty()) products_ += window_.newest() * s;
    window_.push_discard(s);
  }

  Window<std::int8_t> window_;
  double lags_;
  std::int64_t products_ = 0;
};

}  // namespace sorvik
