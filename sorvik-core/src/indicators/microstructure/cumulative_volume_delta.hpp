#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Running total of the signed sizes of every trade, oldest first.
class CumulativeVolumeDelta {
 public:
  static Expected<CumulativeVolumeDelta> create();

  std::optional<double> update(std::span<const Trade> trades) noexcept {
    if (trades.empty()) return std::nullopt;
    for (const Trade& t : trades) total_ = total_ + signed_size(t);
    return total_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double total_ = 0.0;
};

}  // namespace sorvik
