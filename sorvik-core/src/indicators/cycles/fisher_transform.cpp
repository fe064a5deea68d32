#include "indicators/cycles/fisher_transform.hpp"

namespace sorvik {

Expected<FisherTransform> FisherTransform::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return FisherTransform(period);
}

}  // namespace sorvik
