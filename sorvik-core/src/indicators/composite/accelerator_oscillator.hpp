#pragma once

#include <cstdint>
#include <optional>

#include "indicators/composite/awesome_oscillator.hpp"
#include "indicators/moving_averages/sma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Accelerator oscillator: the awesome oscillator minus its `Sma`(signal).
class AcceleratorOscillator {
 public:
  /// Checks: fast < slow (the awesome oscillator's message), then fast, slow and signal (each 0,
  /// then MAX_PERIOD).
  static Expected<AcceleratorOscillator> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal);
  /// Precondition: `create`'s checks passed.
  AcceleratorOscillator(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal)
      : ao_(fast, slow), signal_(signal) {}

  std::optional<double> update(const Candle& c) {
    const auto ao = ao_.update(c);
    if (!ao) return std::nullopt;
    const auto sig = signal_.update(*ao);
    if (!sig) return std::nullopt;
    return *ao - *sig;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(ao_.warmup_period(), signal_.warmup_period()), 1);
  }

 private:
  AwesomeOscillator ao_;
  Sma signal_;
};

}  // namespace sorvik
