#include "indicators/chart_patterns/murrey_math_lines.hpp"

namespace sorvik {

Expected<MurreyMathLines> MurreyMathLines::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MurreyMathLines(period);
}

}  // namespace sorvik
