#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/volume_common.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The negative volume index: starts at 1000 and moves with the close's relative change only on bars
/// whose volume is below the previous bar's (and whose previous close is non-zero); every bar
/// yields the current value.
class Nvi {
 public:
  static Expected<Nvi> create() { return Nvi(); }

  std::optional<double> update(const Candle& c) noexcept { return core_.next(c); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  volume_detail::VolumeIndexCore core_{false};
};

}  // namespace sorvik
