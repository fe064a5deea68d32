#pragma once

#include <cstdint>
#include <optional>

#include "indicators/composite/awesome_oscillator.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The change of the awesome oscillator over `lag` bars: ao - the ao `lag` bars earlier (a window
/// of lag + 1 AO values).
class AwesomeOscillatorHistogram {
 public:
  /// Checks: fast < slow, then fast, slow and lag (each 0, then MAX_PERIOD).
  static Expected<AwesomeOscillatorHistogram> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t lag);
  /// Precondition: `create`'s checks passed.
  AwesomeOscillatorHistogram(std::uint64_t fast, std::uint64_t slow, std::uint64_t lag)
      : ao_(fast, slow), values_(static_cast<std::size_t>(lag) + 1) {}

  std::optional<double> update(const Candle& c) {
    const auto ao = ao_.update(c);
    if (!ao) return std::nullopt;
    values_.push_discard(*ao);
    if (!values_.full()) return std::nullopt;
    return *ao - values_.oldest();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_add(ao_.warmup_period(), values_.capacity() - 1);
  }

 private:
  AwesomeOscillator ao_;
  Window<double> values_;
};

}  // namespace sorvik
