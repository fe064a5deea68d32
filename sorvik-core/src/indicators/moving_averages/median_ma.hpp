#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rolling median of the last n closes (`SortedWindow`).
class MedianMa {
 public:
  static Expected<MedianMa> create(std::uint64_t period);
  explicit MedianMa(std::uint64_t period) : window_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push(x);
    if (!window_.full()) return std::nullopt;
    return window_.median();
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  SortedWindow window_;
};

}  // namespace sorvik
