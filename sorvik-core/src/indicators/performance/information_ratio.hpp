#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rolling information ratio of the last n active returns: mean / sample standard deviation (the
/// tracking error), with the sample variance of `SharpeRatio`; 0 when that deviation is 0.
class InformationRatio {
 public:
  static Expected<InformationRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit InformationRatio(std::uint64_t period) : var_(period) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    var_.push(r);
    if (!var_.full()) return std::nullopt;
    const double sd = var_.deviation();
    if (sd == 0.0) return 0.0;
    return var_.mean() / sd;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return var_.period(); }

 private:
  RollingSampleVariance var_;
};

}  // namespace sorvik
