#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "indicators/chart_patterns/swing.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fibonacci time zones counted from the newest pivot: with d the bars elapsed since it, on_zone is
/// 1 when d is a Fibonacci number of the walk 1, 2, 3, 5, 8, ... (0 otherwise, also at d = 0) and
/// bars_to_next is the distance to the first number of the walk beyond d.
class FibTimeZones {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"on_zone", "bars_to_next"};
  static Expected<FibTimeZones> create() { return FibTimeZones(); }

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    swing_.update(c.high, c.low);
    if (swing_.size() == 0) return std::nullopt;
    const std::uint64_t d = swing_.now() - swing_.newest().bar;
    // Walk 1, 2, 3, 5, ... up to the first number beyond d (the walk outgrows any bar count long
    // before it could wrap).
    std::uint64_t prev = 1;
    std::uint64_t fib = 1;
    bool on_zone = false;
    while (fib <= d) {
      if (fib == d) on_zone = true;
      const std::uint64_t next = prev + fib;
      prev = fib;
      fib = next;
    }
    return std::array<double, 2>{on_zone ? 1.0 : 0.0, static_cast<double>(fib - d)};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  chart::SwingDetector<2> swing_;
};

}  // namespace sorvik
