#pragma once

// The base of the momentum and rate-of-change types: the close n bars ago.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"

namespace sorvik {

/// The last n + 1 finite closes; once n + 1 were seen, each push answers the close n bars before it.
class LaggedClose {
 public:
  /// Precondition: `check_period(period)` passed.
  explicit LaggedClose(std::uint64_t period) noexcept : closes_(static_cast<std::size_t>(period) + 1) {}

  /// Adds a finite close; the close n bars ago once the window is full.
  std::optional<double> push(double x) {
    closes_.push_discard(x);
    if (!closes_.full()) return std::nullopt;
    return closes_.oldest();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return closes_.capacity(); }
  [[nodiscard]] bool ready() const noexcept { return closes_.full(); }

 private:
  Window<double> closes_;  // the last n + 1 closes
};

}  // namespace sorvik
