#include "indicators/performance/gain_loss_ratio.hpp"

namespace sorvik {

Expected<GainLossRatio> GainLossRatio::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return GainLossRatio(period);
}

}  // namespace sorvik
