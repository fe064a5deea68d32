#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/mama.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The following adaptive average (the fama line of `Mama`) as a single value.
class Fama {
 public:
  /// Checks: 0 < slow_limit <= fast_limit <= 1, both finite.
  static Expected<Fama> create(double fast_limit, double slow_limit);
  Fama(double fast_limit, double slow_limit) noexcept : core_(fast_limit, slow_limit) {}

  std::optional<double> update(double x) noexcept {
    const auto r = core_.update(x);
    if (!r) return std::nullopt;
    return (*r)[1];
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 33; }

 private:
  MamaCore core_;
};

}  // namespace sorvik
