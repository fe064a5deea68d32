#include "indicators/demark/td_rei.hpp"

namespace sorvik {

Expected<TdRei> TdRei::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return TdRei(period);
}

}  // namespace sorvik
