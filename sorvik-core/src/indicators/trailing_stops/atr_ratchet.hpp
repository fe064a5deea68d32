#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// ATR ratchet: the first stop is close - atr * initial, long. Each later bar a long stop rises by
/// step * atr (a short stop falls by it); a close below a long stop flips short with the stop at
/// close + atr * initial, a close above a short stop flips long with close - atr * initial. Outputs
/// "value" (the stop) and "direction".
class AtrRatchet {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"value", "direction"};
  /// Checks: the period (0, then MAX_PERIOD), the initial multiplier, then the step multiplier
  /// (each finite and > 0).
  static Expected<AtrRatchet> create(std::uint64_t period, double initial, double step);
  /// Precondition: `create`'s checks passed.
  AtrRatchet(std::uint64_t period, double initial, double step) noexcept
      : atr_(period), initial_(initial), step_(step) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    const double close = c.close;
    if (!started_) {
      stop_ = close - *atr * initial_;
      direction_ = 1.0;
      started_ = true;
    } else if (direction_ > 0.0) {
      stop_ = stop_ + step_ * *atr;
      if (close < stop_) {
        direction_ = -1.0;
        stop_ = close + *atr * initial_;
      }
    } else {
      stop_ = stop_ - step_ * *atr;
      if (close > stop_) {
        direction_ = 1.0;
        stop_ = close - *atr * initial_;
      }
    }
    return std::array<double, 2>{stop_, direction_};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
  double initial_;
  double step_;
  double stop_ = 0.0;
  double direction_ = 1.0;
  bool started_ = false;
};

}  // namespace sorvik
