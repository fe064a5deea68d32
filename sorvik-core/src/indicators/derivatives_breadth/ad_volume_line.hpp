#pragma once

#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The advance/decline volume line: the running sum of up volume - down volume over the whole run.
class AdVolumeLine {
 public:
  static Expected<AdVolumeLine> create();

  std::optional<double> update(const CrossSection& cs) noexcept {
    const breadth_detail::BreadthCounts c = breadth_detail::count_breadth(cs);
    line_ = line_ + (c.up_volume - c.down_volume);
    return line_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double line_ = 0.0;
};

}  // namespace sorvik
