#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Open interest minus the previous tick's open interest; the first tick only stores its value.
class OpenInterestDelta {
 public:
  static Expected<OpenInterestDelta> create();

  std::optional<double> update(const DerivativesTick& t) noexcept {
    const double oi = t.open_interest;
    if (!has_previous_) {
      previous_ = oi;
      has_previous_ = true;
      return std::nullopt;
    }
    const double delta = oi - previous_;
    previous_ = oi;
    return delta;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  double previous_ = 0.0;
  bool has_previous_ = false;
};

}  // namespace sorvik
