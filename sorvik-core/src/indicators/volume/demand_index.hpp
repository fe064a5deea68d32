#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Demand index. Volumes and, from the second bar, two-bar ranges (max(high, previous high) -
/// min(low, previous low)) sit in incremental rolling sums of n. Once n ranges are held, with the
/// weighted prices wp = (close * 2 + (high + low)) * 0.25 of this bar and the previous one: when the
/// average volume, both weighted prices and the average range are non-zero, p = (wp - previous wp) /
/// min(wp, previous wp), vr = volume / average volume, k = (wp * 3 / average range) * |p| and
/// e = exp(min(k, 88)); buying pressure = vr and selling pressure = vr / e for p > 0, the other way
/// round otherwise. Each pressure feeds an exponential average (alpha = 2 / (n + 1), seeded with
/// its first value; a non-finite pressure is not fed). With both averages B and S seeded:
/// value = (1 - S / B) * 100 when B > S, (1 - B / S) * -100 when B < S, 0 when equal; it is stored.
/// Otherwise the stored value (0 before the first) is yielded again.
class DemandIndex {
 public:
  static Expected<DemandIndex> create(std::uint64_t period);
  explicit DemandIndex(std::uint64_t period) noexcept;

  std::optional<double> update(const Candle& c);

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(ranges_.period(), 1); }

 private:
  RunningSum volumes_;
  RunningSum ranges_;
  ExpStage buying_;
  ExpStage selling_;
  double n_;
  Candle prev_{};
  bool has_prev_ = false;
  double value_ = 0.0;
};

}  // namespace sorvik
