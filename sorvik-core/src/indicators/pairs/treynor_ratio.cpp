#include "indicators/pairs/treynor_ratio.hpp"

namespace sorvik {

Expected<TreynorRatio> TreynorRatio::create(std::uint64_t period, double risk_free) {
  if (auto err = pairs::check_min_period(period, 2, "treynor ratio needs period >= 2")) return fail(*err);
  return TreynorRatio(period, risk_free);
}

}  // namespace sorvik
