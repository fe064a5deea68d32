#pragma once

#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/ad_volume_line.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The cumulative volume index: the running sum of up volume - down volume (the `AdVolumeLine`).
class CumulativeVolumeIndex {
 public:
  static Expected<CumulativeVolumeIndex> create();

  std::optional<double> update(const CrossSection& cs) noexcept { return line_.update(cs); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return line_.warmup_period(); }

 private:
  AdVolumeLine line_;
};

}  // namespace sorvik
