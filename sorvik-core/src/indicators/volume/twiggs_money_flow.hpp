#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Twiggs money flow. The first bar only stores its close. Later, with the true high
/// th = max(high, previous close) and true low tl = min(low, previous close):
/// ad = ((close * 2 - th) - tl) * volume / (th - tl) when th - tl > 0, else 0. The pair
/// (ad, volume) is averaged: the first n pairs by their mean, afterwards avg = (x - avg) / n + avg
/// per component. Value = avg ad / avg volume, 0 when the volume average is 0.
class TwiggsMoneyFlow {
 public:
  static Expected<TwiggsMoneyFlow> create(std::uint64_t period);
  explicit TwiggsMoneyFlow(std::uint64_t period) noexcept : ad_(period), volume_(period) {}

  std::optional<double> update(const Candle& c) noexcept;

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(ad_.period(), 1); }

 private:
  /// Seeded with the mean of the first n inputs, then avg = (x - avg) / n + avg.
  class Average {
   public:
    explicit Average(std::uint64_t n) noexcept : n_(static_cast<double>(n)), seed_(n) {}
    std::optional<double> update(double x) noexcept {
      if (ready_) {
        value_ = (x - value_) / n_ + value_;
        return value_;
      }
      if (auto s = seed_.add(x)) {
        value_ = *s;
        ready_ = true;
        return value_;
      }
      return std::nullopt;
    }
    [[nodiscard]] std::uint64_t period() const noexcept { return seed_.period(); }

   private:
    double n_;
    double value_ = 0.0;
    SeedMean seed_;
    bool ready_ = false;
  };

  Average ad_;
  Average volume_;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
