#pragma once

#include <cstdint>
#include <optional>

#include "indicators/momentum/roc.hpp"
#include "indicators/moving_averages/wma.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Coppock curve: `Roc`(long) + `Roc`(short) of the close (each 0 on a zero base), once both exist,
/// fed to a `Wma`(wma).
class Coppock {
 public:
  /// Checks: roc long, roc short, wma in order (each 0, then MAX_PERIOD).
  static Expected<Coppock> create(std::uint64_t roc_long, std::uint64_t roc_short, std::uint64_t wma);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  Coppock(std::uint64_t roc_long, std::uint64_t roc_short, std::uint64_t wma)
      : long_(roc_long), short_(roc_short), wma_(wma) {}

  std::optional<double> update(double x) {
    const auto a = long_.update(x);
    const auto b = short_.update(x);
    if (!a || !b) return std::nullopt;
    return wma_.update(*a + *b);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    const std::uint64_t roc = long_.warmup_period() > short_.warmup_period() ? long_.warmup_period()
                                                                             : short_.warmup_period();
    return sat_sub(sat_add(roc, wma_.warmup_period()), 1);
  }

 private:
  Roc long_;
  Roc short_;
  Wma wma_;
};

}  // namespace sorvik
