#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/smma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// RSI of the volume: the first bar only stores its volume; later the volume's rise (gain) and
/// fall (loss) each feed a Wilder average in divide form (seeded with the mean of the first n);
/// value = avg gain / (avg loss + avg gain) * 100, 50 when that sum is 0.
class VolumeRsi {
 public:
  static Expected<VolumeRsi> create(std::uint64_t period);
  explicit VolumeRsi(std::uint64_t period) noexcept : gain_(period), loss_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (!has_prev_) {
      prev_volume_ = c.volume;
      has_prev_ = true;
      return std::nullopt;
    }
    const double change = c.volume - prev_volume_;
    prev_volume_ = c.volume;
    const auto g = gain_.update(change > 0.0 ? change : 0.0);
    const auto l = loss_.update(change < 0.0 ? -change : 0.0);
    if (!g || !l) return std::nullopt;
    const double total = *l + *g;
    if (total == 0.0) return 50.0;
    return *g / total * 100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(gain_.warmup_period(), 1); }

 private:
  Smma gain_;
  Smma loss_;
  double prev_volume_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
