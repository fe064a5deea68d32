#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Dynamic momentum index: an RSI-like ratio over a length that shrinks when volatility rises. The
/// population deviation of the last 5 closes feeds `Sma`(10); the last 30 one-bar changes are kept.
/// With both the deviation and its average positive, L = round(n / (deviation / average)) (halves
/// away from zero), at least 5 and at most 30; otherwise L = 30. Over the last L changes,
/// value = up / (up + down) * 100 (sums oldest first), or 50 when that total is zero.
class DynamicMomentumIndex {
 public:
  static constexpr std::size_t DEVIATION_LENGTH = 5;
  static constexpr std::size_t AVERAGE_LENGTH = 10;
  static constexpr std::size_t MAX_LENGTH = 30;
  static constexpr std::size_t MIN_LENGTH = 5;

  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<DynamicMomentumIndex> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit DynamicMomentumIndex(std::uint64_t period)
      : n_(static_cast<double>(period)), deviation_(DEVIATION_LENGTH), average_(AVERAGE_LENGTH), changes_(MAX_LENGTH) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    deviation_.push(x);
    std::optional<double> sd;
    std::optional<double> avg;
    if (deviation_.full()) {
      sd = deviation_.stats().stddev;
      avg = average_.update(*sd);
    }
    if (!has_prev_) [[unlikely]] {
      prev_ = x;
      has_prev_ = true;
      return std::nullopt;
    }
    changes_.push_discard(x - prev_);
    prev_ = x;
    if (!changes_.full()) return std::nullopt;

    std::size_t len = MAX_LENGTH;
    if (sd && avg && *sd > 0.0 && *avg > 0.0) {
      double l = std::round(n_ / (*sd / *avg));
      if (l < 6.0) l = static_cast<double>(MIN_LENGTH);
      if (l > static_cast<double>(MAX_LENGTH)) l = static_cast<double>(MAX_LENGTH);
      len = static_cast<std::size_t>(l);
    }
    double up = 0.0;
    double down = 0.0;
    const std::size_t from = MAX_LENGTH - len;
    std::size_t i = 0;
    changes_.for_each([&](double c) {
      if (i++ < from) return;
      // Adding +0 leaves a sum unchanged, so the branch-free form adds the same values in order.
      up = up + (c > 0.0 ? c : 0.0);
      down = down + (c < 0.0 ? -c : 0.0);
    });
    const double total = up + down;
    if (total == 0.0) return 50.0;
    return up / total * 100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return MAX_LENGTH + 1; }

 private:
  double n_;
  BollingerCore deviation_;
  Sma average_;
  Window<double> changes_;
  double prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
