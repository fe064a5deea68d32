#pragma once

#include <cstdint>
#include <optional>

#include "indicators/momentum/macd_indicator.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The histogram line (macd - signal) of `MacdIndicator`(fast, slow, signal).
class MacdHistogram {
 public:
  /// Checks: those of `MacdIndicator`.
  static Expected<MacdHistogram> create(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal);
  /// Precondition: the checks of `create` passed (use this constructor when embedding).
  MacdHistogram(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal) noexcept
      : macd_(fast, slow, signal) {}

  std::optional<double> update(double x) noexcept {
    const auto out = macd_.update(x);
    if (!out) return std::nullopt;
    return (*out)[2];
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return macd_.warmup_period(); }

 private:
  MacdIndicator macd_;
};

}  // namespace sorvik
