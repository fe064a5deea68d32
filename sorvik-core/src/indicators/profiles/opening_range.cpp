#include "indicators/profiles/opening_range.hpp"

namespace sorvik {

Expected<OpeningRange> OpeningRange::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return OpeningRange(period);
}

}  // namespace sorvik
