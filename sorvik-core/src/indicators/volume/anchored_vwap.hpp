#pragma once

#include <cstdint>
#include <optional>

#include "indicators/volume/vwap.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The volume-weighted average price anchored at the first bar of the run (the `Vwap` sums).
class AnchoredVwap {
 public:
  static Expected<AnchoredVwap> create() { return AnchoredVwap(); }

  std::optional<double> update(const Candle& c) noexcept { return vwap_.update(c); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return vwap_.warmup_period(); }

 private:
  Vwap vwap_;
};

}  // namespace sorvik
