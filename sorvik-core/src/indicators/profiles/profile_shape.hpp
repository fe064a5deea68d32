#pragma once

#include <cstdint>
#include <optional>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Shape of the rolling volume profile from where its point of control k sits (integer division):
/// +1 when k >= bins - bins / 3 (volume at the top), -1 when k < bins / 3, 0 otherwise. A window
/// without price span puts the POC at bin 0, giving -1.
class ProfileShape {
 public:
  /// Checks: period or bins zero; "profile shape needs bins >= 3"; then period and bins against
  /// MAX_PERIOD.
  static Expected<ProfileShape> create(std::uint64_t period, std::uint64_t bins);
  ProfileShape(std::uint64_t period, std::uint64_t bins) noexcept : window_(period, bins) {}

  std::optional<double> update(const Candle& c) {
    if (!window_.push(c)) return std::nullopt;
    const std::uint64_t k = window_.volume_profile().poc_index();
    const std::uint64_t third = window_.bins() / 3;
    if (k >= window_.bins() - third) return 1.0;
    if (k < third) return -1.0;
    return 0.0;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.period(); }

 private:
  profiles::ProfileWindow window_;
};

}  // namespace sorvik
