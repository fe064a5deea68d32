#include "indicators/profiles/naked_poc.hpp"

namespace sorvik {

Expected<NakedPoc> NakedPoc::create(std::uint64_t period, std::uint64_t bins) {
  if (auto err = profiles::check_period_and_bins(period, bins)) return fail(*err);
  return NakedPoc(period, bins);
}

}  // namespace sorvik
