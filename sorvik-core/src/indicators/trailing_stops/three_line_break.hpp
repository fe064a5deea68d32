#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Three-line break: the closes of the last n lines and a direction (0 until the first line is
/// added after the first close). A down trend extends with a close below the last line and reverses
/// up only on a close above the highest held line; an up (or undecided) trend extends with a close
/// above the last line and reverses down only below the lowest held line. The value is the
/// direction, yielded once it is not 0.
class ThreeLineBreak {
 public:
  /// Checks: the line count (0, then MAX_PERIOD).
  static Expected<ThreeLineBreak> create(std::uint64_t lines);
  /// Precondition: `check_period(lines)` passed.
  explicit ThreeLineBreak(std::uint64_t lines) noexcept : lines_(static_cast<std::size_t>(lines)) {}

  std::optional<double> update(const Candle& c) {
    const double close = c.close;
    if (lines_.empty()) {
      lines_.push_discard(close);
      return std::nullopt;
    }
    const double last = lines_.newest();
    if (direction_ < 0.0) {
      if (close < last) {
        lines_.push_discard(close);
      } else if (close > scan_max(lines_)) {
        lines_.push_discard(close);
        direction_ = 1.0;
      }
    } else {
      if (close > last) {
        lines_.push_discard(close);
        direction_ = 1.0;
      } else if (close < scan_min(lines_)) {
        lines_.push_discard(close);
        direction_ = -1.0;
      }
    }
    if (direction_ == 0.0) return std::nullopt;
    return direction_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  Window<double> lines_;
  double direction_ = 0.0;
};

}  // namespace sorvik
