#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Nick Rypock trailing reverse: a line h = percent / 100 away from the extreme close of the current
/// run, (1 - h) * extreme when long and (1 + h) * extreme when short. A close beyond the line flips
/// the direction and restarts the extreme at that close. Outputs "value" (the line) and "direction".
class Nrtr {
 public:
  static constexpr std::array<std::string_view, 2> output_names{"value", "direction"};
  /// Checks: percent strictly between 0 and 100.
  static Expected<Nrtr> create(double percent);
  /// Precondition: `create`'s checks passed.
  explicit Nrtr(double percent) noexcept : h_(percent / 100.0) {}

  std::optional<std::array<double, 2>> update(const Candle& c) noexcept {
    const double close = c.close;
    if (!started_) {
      started_ = true;
      direction_ = 1.0;
      extreme_ = close;
      line_ = (1.0 - h_) * close;
    } else if (direction_ > 0.0) {
      extreme_ = std::max(extreme_, close);
      line_ = (1.0 - h_) * extreme_;
      if (close < line_) {
        direction_ = -1.0;
        extreme_ = close;
        line_ = (1.0 + h_) * close;
      }
    } else {
      extreme_ = std::min(extreme_, close);
      line_ = (1.0 + h_) * extreme_;
      if (close > line_) {
        direction_ = 1.0;
        extreme_ = close;
        line_ = (1.0 - h_) * close;
      }
    }
    return std::array<double, 2>{line_, direction_};
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double h_;
  double extreme_ = 0.0;
  double line_ = 0.0;
  double direction_ = 1.0;
  bool started_ = false;
};

}  // namespace sorvik
