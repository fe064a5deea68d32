#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Relative vigour index: num = close - open and den = high - low are each smoothed over the last
/// four bars with weights 1, 2, 2, 1 (oldest first) divided by 6, then summed over the last n bars
/// (oldest first); value = num sum / den sum. When the den sum is not positive the previous value is
/// yielded again (nothing before the first value).
class Rvi {
 public:
  static constexpr std::size_t SMOOTHING = 4;

  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Rvi> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit Rvi(std::uint64_t period) : raw_(SMOOTHING), smoothed_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c) {
    raw_.push_discard({c.close - c.open, c.high - c.low});
    if (!raw_.full()) return std::nullopt;
    const Pair& a = raw_[0];
    const Pair& b = raw_[1];
    const Pair& d = raw_[2];
    const Pair& e = raw_[3];
    smoothed_.push_discard({(((a.num + 2.0 * b.num) + 2.0 * d.num) + e.num) / 6.0,
                            (((a.den + 2.0 * b.den) + 2.0 * d.den) + e.den) / 6.0});
    if (!smoothed_.full()) return std::nullopt;
    double num = 0.0;
    double den = 0.0;
    smoothed_.for_each([&](const Pair& p) {
      num = num + p.num;
      den = den + p.den;
    });
    if (den > 0.0) last_ = num / den;
    return last_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(smoothed_.capacity(), SMOOTHING - 1);
  }

 private:
  struct Pair {
    double num;
    double den;
  };
  Window<Pair> raw_;
  Window<Pair> smoothed_;
  std::optional<double> last_;
};

}  // namespace sorvik
