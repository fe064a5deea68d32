#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/bands/atr.hpp"
#include "indicators/bands/bollinger_bands.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// TTM squeeze. "squeeze" is 1 while the Bollinger bands (mean +- std * bb k, population deviation)
/// lie inside the Keltner-style channel sma +- atr * kc, else 0. "momentum" is the least-squares
/// line through the last n closes minus base = midpoint(sma, midpoint(highest high, lowest low)),
/// evaluated at the newest bar.
class TtmSqueeze {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"squeeze", "momentum"};
  /// Checks: period >= 2 (also for 0), MAX_PERIOD, bb k, then the kc multiplier (finite and > 0).
  static Expected<TtmSqueeze> create(std::uint64_t period, double bb_k, double kc_multiplier);
  /// Precondition: the checks of `create` passed.
  TtmSqueeze(std::uint64_t period, double bb_k, double kc_multiplier) noexcept
      : bollinger_(period),
        sma_(period),
        atr_(period),
        extremes_(static_cast<std::size_t>(period)),
        bb_k_(bb_k),
        kc_(kc_multiplier),
        n_(static_cast<double>(period)),
        n_minus_1_(static_cast<double>(period) - 1.0) {
    sx_ = 0.5 * ((n_ - 1.0) * n_);
    denom_ = ((2.0 * n_ - 1.0) * ((n_ - 1.0) * n_) / 6.0) * n_ - sx_ * sx_;
  }

  std::optional<std::array<double, 2>> update(const Candle& c) {
    bollinger_.push(c.close);
    const auto sma = sma_.update(c.close);
    const auto atr = atr_.update(c);
    extremes_.push_discard({c.high, c.low});
    if (!sma || !atr || !bollinger_.full()) return std::nullopt;

    const BollingerStats s = bollinger_.stats();
    const double upper = s.mean + s.stddev * bb_k_;
    const double lower = s.mean - s.stddev * bb_k_;
    const double squeeze = (*sma - *atr * kc_ <= lower && upper <= *atr * kc_ + *sma) ? 1.0 : 0.0;

    const double hh = scan_max(extremes_, [](const HighLow& b) { return b.high; });
    const double ll = scan_min(extremes_, [](const HighLow& b) { return b.low; });
    const double base = midpoint(*sma, midpoint(hh, ll));
    double a = 0.0;
    double b = 0.0;
    double x = 0.0;
    bollinger_.window().for_each([&](double close) {
      const double d = close - base;
      b = b + d;
      a = a + x * d;
      x = x + 1.0;
    });
    const double slope = (a * n_ - b * sx_) / denom_;
    const double momentum = (b - slope * sx_) / n_ + n_minus_1_ * slope;
    return std::array<double, 2>{squeeze, momentum};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sma_.warmup_period(); }

 private:
  struct HighLow {
    double high;
    double low;
  };
  BollingerCore bollinger_;  // its window is the window of the last n closes
  Sma sma_;
  Atr atr_;
  Window<HighLow> extremes_;
  double bb_k_;
  double kc_;
  double n_;
  double n_minus_1_;
  double sx_ = 0.0;
  double denom_ = 0.0;
};

}  // namespace sorvik
