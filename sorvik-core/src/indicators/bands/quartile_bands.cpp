#include "indicators/bands/quartile_bands.hpp"

namespace sorvik {

Expected<QuartileBands> QuartileBands::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return QuartileBands(period);
}

}  // namespace sorvik
