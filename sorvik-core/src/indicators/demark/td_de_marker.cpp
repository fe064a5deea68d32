#include "indicators/demark/td_de_marker.hpp"

namespace sorvik {

Expected<TdDeMarker> TdDeMarker::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return TdDeMarker(period);
}

}  // namespace sorvik
