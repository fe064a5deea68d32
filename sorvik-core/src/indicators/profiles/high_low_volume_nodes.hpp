#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// High- and low-volume nodes of the rolling volume profile: hvn is the centre of the point of
/// control, lvn the centre of the lowest bin holding the smallest strictly positive volume (the POC
/// when no bin is positive); both are G for a window without price span.
class HighLowVolumeNodes {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"hvn", "lvn"};
  /// Checks: period or bins zero, then period and bins against MAX_PERIOD.
  static Expected<HighLowVolumeNodes> create(std::uint64_t period, std::uint64_t bins);
  HighLowVolumeNodes(std::uint64_t period, std::uint64_t bins) noexcept : window_(period, bins) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    if (!window_.push(c)) return std::nullopt;
    const profiles::VolumeBins p = window_.volume_profile();
    if (p.flat()) return std::array<double, 2>{p.low, p.low};
    const std::uint64_t k = p.poc_index();
    std::uint64_t m = k;
    bool found = false;
    double smallest = 0.0;
    for (std::size_t j = 0; j < p.runs(); ++j) {
      const double v = p.values[j];
      if (v > 0.0 && (!found || v < smallest)) {
        smallest = v;
        m = p.starts[j];
        found = true;
      }
    }
    return std::array<double, 2>{p.centre(k), p.centre(m)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.period(); }

 private:
  profiles::ProfileWindow window_;
};

}  // namespace sorvik
