#include "indicators/moving_averages/fama.hpp"

namespace sorvik {

Expected<Fama> Fama::create(double fast_limit, double slow_limit) {
  if (auto err = MamaCore::check(fast_limit, slow_limit)) return fail(*err);
  return Fama(fast_limit, slow_limit);
}

}  // namespace sorvik
