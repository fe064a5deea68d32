#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/profiles/profile_support.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rolling volume profile of the last n candles in `bins` bins. Yields the window's lowest low G and
/// highest high T; the profile itself is built from the window on request.
class VolumeProfile {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"price_low", "price_high"};
  /// Checks: period or bins zero, then period and bins against MAX_PERIOD.
  static Expected<VolumeProfile> create(std::uint64_t period, std::uint64_t bins);
  VolumeProfile(std::uint64_t period, std::uint64_t bins) noexcept : window_(period, bins) {}

  std::optional<std::array<double, 2>> update(const Candle& c) {
    if (!window_.push(c)) return std::nullopt;
    return std::array<double, 2>{window_.low(), window_.high()};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.period(); }

  /// The volume profile of the current window, once it is full (valid until the next call).
  std::optional<profiles::VolumeBins> profile() {
    if (!window_.full()) return std::nullopt;
    return window_.volume_profile();
  }

 private:
  profiles::ProfileWindow window_;
};

}  // namespace sorvik
