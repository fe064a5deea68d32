#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Ultimate oscillator. From the second candle on, buying pressure bp = close - min(low, previous
/// close) and true range tr = max(high, previous close) - min(low, previous close) enter a window as
/// long as the longest of the three lengths. For each length, r = (sum of its last bp) / (sum of its
/// last tr), both summed oldest first from zero, or 0.5 when that tr sum is zero;
/// value = ((2 * r_medium + 4 * r_short) + r_long) * 100 / 7.
class UltimateOscillator {
 public:
  /// Checks: short, medium, long (each 0, then MAX_PERIOD).
  static Expected<UltimateOscillator> create(std::uint64_t short_period, std::uint64_t medium_period,
                                             std::uint64_t long_period);
  /// Precondition: `create`'s checks passed.
  UltimateOscillator(std::uint64_t short_period, std::uint64_t medium_period, std::uint64_t long_period)
      : bars_(static_cast<std::size_t>(std::max({short_period, medium_period, long_period}))),
        short_(static_cast<std::size_t>(short_period)),
        medium_(static_cast<std::size_t>(medium_period)),
        long_(static_cast<std::size_t>(long_period)) {}

  std::optional<double> update(const Candle& c) {
    if (!has_prev_) [[unlikely]] {
      prev_close_ = c.close;
      has_prev_ = true;
      return std::nullopt;
    }
    const double floor = std::min(c.low, prev_close_);
    const double ceiling = std::max(c.high, prev_close_);
    prev_close_ = c.close;
    bars_.push_discard({c.close - floor, ceiling - floor});
    if (!bars_.full()) return std::nullopt;
    // One pass, oldest first; each window's sums start from zero at its own oldest bar.
    const std::size_t size = bars_.size();
    const std::size_t from_short = size - short_;
    const std::size_t from_medium = size - medium_;
    const std::size_t from_long = size - long_;
    Sums s;
    Sums m;
    Sums l;
    std::size_t i = 0;
    bars_.for_each([&](const Pressure& p) {
      if (i >= from_short) s.add(p);
      if (i >= from_medium) m.add(p);
      if (i >= from_long) l.add(p);
      ++i;
    });
    return ((2.0 * m.ratio() + 4.0 * s.ratio()) + l.ratio()) * 100.0 / 7.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(bars_.capacity(), 1); }

 private:
  struct Pressure {
    double bp;
    double tr;
  };

  struct Sums {
    double bp = 0.0;
    double tr = 0.0;
    void add(const Pressure& p) noexcept {
      bp = bp + p.bp;
      tr = tr + p.tr;
    }
    /// sum bp / sum tr; 0.5 when the tr sum is zero.
    [[nodiscard]] double ratio() const noexcept { return tr == 0.0 ? 0.5 : bp / tr; }
  };

  Window<Pressure> bars_;
  std::size_t short_;
  std::size_t medium_;
  std::size_t long_;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
