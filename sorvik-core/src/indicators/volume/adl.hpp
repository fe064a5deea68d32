#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Accumulation/distribution line: adl = adl + volume * mfm from the first bar on, with the
/// money-flow multiplier mfm = ((close - low) - (high - close)) / (high - low), 0 when high = low.
class Adl {
 public:
  static Expected<Adl> create() { return Adl(); }

  std::optional<double> update(const Candle& c) noexcept {
    value_ = value_ + c.volume * volume_detail::money_flow_multiplier(c);
    return value_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double value_ = 0.0;
};

}  // namespace sorvik
