#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Single prints: the number of bins of the rolling time profile (integer counts) that exactly one
/// candle reached.
class SinglePrints {
 public:
  /// Checks: period or bins zero, then period and bins against MAX_PERIOD.
  static Expected<SinglePrints> create(std::uint64_t period, std::uint64_t bins);
  SinglePrints(std::uint64_t period, std::uint64_t bins) noexcept : window_(period, bins) {}

  std::optional<double> update(const Candle& c) {
    if (!window_.push(c)) return std::nullopt;
    const profiles::TimeBins p = window_.time_profile();
    std::uint64_t singles = 0;
    for (std::size_t j = 0; j < p.runs(); ++j) {
      if (p.values[j] == 1) singles += p.run_end(j) - p.starts[j];
    }
    return static_cast<double>(singles);
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.period(); }

 private:
  profiles::ProfileWindow window_;
};

}  // namespace sorvik
