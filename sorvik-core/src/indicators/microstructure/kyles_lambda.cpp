#include "indicators/microstructure/kyles_lambda.hpp"

namespace sorvik {

Expected<KylesLambda> KylesLambda::create(std::uint64_t window) {
  if (window < 2) return fail(IndicatorError::invalid_period("kyle's lambda needs window >= 2"));
  if (auto err = check_max_period(window)) return fail(*err);
  return KylesLambda(window);
}

}  // namespace sorvik
