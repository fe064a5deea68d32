#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume-weighted moving average over n candles: running sums of close * volume, volume and close
/// (re-added from scratch every n pushes); value = sum(cv) / sum(v) when sum(v) > 0, otherwise
/// sum(close) / n.
class Vwma {
 public:
  static Expected<Vwma> create(std::uint64_t period);
  explicit Vwma(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(const Candle& c);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct Bar {
    double close;
    double volume;
    double cv;
  };
  Window<Bar> window_;
  double sum_cv_ = 0.0;
  double sum_v_ = 0.0;
  double sum_c_ = 0.0;
  std::uint64_t pushes_ = 0;
};

}  // namespace sorvik
