#include "indicators/statistics/jarque_bera.hpp"

namespace sorvik {

Expected<JarqueBera> JarqueBera::create(std::uint64_t period) {
  if (period < 4) return fail(IndicatorError::invalid_period("Jarque-Bera needs period >= 4"));
  if (auto err = check_max_period(period)) return fail(*err);
  return JarqueBera(period);
}

}  // namespace sorvik
