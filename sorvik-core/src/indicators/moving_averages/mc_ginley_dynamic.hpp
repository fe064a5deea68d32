#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// McGinley dynamic: seeded with the mean of the first n closes; then, when both the close and the
/// value are positive, r = (x / value) * (x / value) and value += (x - value) / (r * r * (n * 0.6));
/// otherwise the value is repeated.
class McGinleyDynamic {
 public:
  static Expected<McGinleyDynamic> create(std::uint64_t period);
  explicit McGinleyDynamic(std::uint64_t period) noexcept
      : seed_(period), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) noexcept;
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return seed_.period(); }

 private:
  SeedMean seed_;
  double n_;
  double value_ = 0.0;
  bool ready_ = false;
};

}  // namespace sorvik
