#include "indicators/profiles/single_prints.hpp"

namespace sorvik {

Expected<SinglePrints> SinglePrints::create(std::uint64_t period, std::uint64_t bins) {
  if (auto err = profiles::check_period_and_bins(period, bins)) return fail(*err);
  return SinglePrints(period, bins);
}

}  // namespace sorvik
