#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volume zone oscillator: the first bar only stores its close. Later the volume signed by the
/// close's change (+volume on a rise, -volume on a fall, 0 when unchanged) and the volume itself
/// feed two exponential averages of period n, vp and tv; value = vp * 100 / tv, 0 when tv is 0.
class Vzo {
 public:
  static Expected<Vzo> create(std::uint64_t period);
  explicit Vzo(std::uint64_t period) noexcept : signed_(period), total_(period) {}

  std::optional<double> update(const Candle& c) noexcept {
    if (!has_prev_) {
      prev_close_ = c.close;
      has_prev_ = true;
      return std::nullopt;
    }
    const double signed_volume = c.close > prev_close_ ? c.volume : c.close < prev_close_ ? -c.volume : 0.0;
    prev_close_ = c.close;
    const auto vp = signed_.update(signed_volume);
    const auto tv = total_.update(c.volume);
    if (!vp || !tv) return std::nullopt;
    if (*tv == 0.0) return 0.0;
    return *vp * 100.0 / *tv;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(total_.warmup_period(), 1); }

 private:
  Ema signed_;
  Ema total_;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
