#include "indicators/cycles/inverse_fisher_transform.hpp"

namespace sorvik {

Expected<InverseFisherTransform> InverseFisherTransform::create(double scale) {
  if (!std::isfinite(scale) || !(scale > 0.0)) {
    return fail(IndicatorError::invalid_period("scale must be a positive finite number"));
  }
  return InverseFisherTransform(scale);
}

}  // namespace sorvik
