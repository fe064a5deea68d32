#pragma once

#include <cstdint>
#include <optional>

#include "indicators/derivatives_breadth/breadth_counts.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The advance/decline line: the running sum of advances - declines over the whole run.
class AdvanceDecline {
 public:
  static Expected<AdvanceDecline> create();

  std::optional<double> update(const CrossSection& cs) noexcept {
    line_ = line_ + breadth_detail::count_breadth(cs).net_advances();
    return line_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double line_ = 0.0;
};

}  // namespace sorvik
