#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// The funding rate annualised: funding_rate * intervals_per_year.
class FundingImpliedApr {
 public:
  static constexpr bool stateless = true;
  static Expected<FundingImpliedApr> create(double intervals_per_year);
  /// Precondition: intervals_per_year is finite and positive.
  explicit FundingImpliedApr(double intervals_per_year) noexcept : intervals_per_year_(intervals_per_year) {}

  std::optional<double> update(const DerivativesTick& t) const noexcept {
    return t.funding_rate * intervals_per_year_;
  }

 private:
  double intervals_per_year_;
};

}  // namespace sorvik
