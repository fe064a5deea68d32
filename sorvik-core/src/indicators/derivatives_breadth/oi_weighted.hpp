#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Open-interest-weighted average mark price since the start: running sums of mark * OI and of OI
/// (each added in tick order from zero); their ratio, or the current mark price while the OI sum
/// is zero.
class OIWeighted {
 public:
  static Expected<OIWeighted> create();

  std::optional<double> update(const DerivativesTick& t) noexcept {
    weighted_ = weighted_ + t.mark_price * t.open_interest;
    weight_ = weight_ + t.open_interest;
    if (weight_ == 0.0) return t.mark_price;
    return weighted_ / weight_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double weighted_ = 0.0;
  double weight_ = 0.0;
};

}  // namespace sorvik
